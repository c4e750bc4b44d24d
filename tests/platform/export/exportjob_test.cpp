#include "exporttesthelpers.h"
#include "platform/export/exportjob.h"
#include "platform/export/exportsetupdialog.h"
#include "platform/scriptedmessages.h"
#include "platform/settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace nm::platform;
using namespace nm::platform::testing;

namespace {

// Calls back for every widget shown anywhere in the application while it lives.
class ShowWatcher : public QObject {
public:
    explicit ShowWatcher(std::function<void(QObject*)> onShow) : m_onShow(std::move(onShow)) {
        qApp->installEventFilter(this);
    }
    ~ShowWatcher() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            m_onShow(watched);
        return false;
    }

private:
    std::function<void(QObject*)> m_onShow;
};

bool waitFor(const std::function<bool()>& condition, int ms = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > ms)
            return false;
        QTest::qWait(5);
    }
    return true;
}

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A list window as the food list will use the service: the window, its services, one job per run.
struct Fixture {
    QWidget window;
    ScriptedMessages messages;
    MemoryExportSettings settings;
    ExportTexts texts;
    QStringList opened;
    bool finished = false;
    ExportResult result;
    QPointer<ExportJob> job;

    Fixture() {
        window.resize(400, 300);
        window.show();
    }

    ExportJob* start(ExportKind kind, std::unique_ptr<RowSource> rows, bool showSetup = true,
                     const QString& fileName = QString()) {
        ExportServices services;
        services.texts = &texts;
        services.settings = &settings;
        services.messages = &messages;
        services.openDocument = [this](const QString& path) {
            opened << path;
            return true;
        };
        finished = false;
        job = new ExportJob(kind, services, &window);
        ExportTable table = awkwardTable();
        table.options.fileName = fileName;
        job->setOptions(table.options);
        job->setRows(std::move(rows));
        job->setName(table.name);
        for (const ExportColumn& c : table.columns)
            job->addColumn(c);
        for (const QString& t : table.titles)
            job->addTitle(t);
        job->setShowSetup(showSetup);
        job->setCompleteLinger(0);
        job->run([this](const ExportResult& r) {
            EXPECT_FALSE(finished) << "the job reported twice";
            finished = true;
            result = r;
        });
        return job;
    }

    ExportJob* start(ExportKind kind) { return start(kind, std::make_unique<VectorRowSource>(awkwardRows())); }

    template <typename T>
    T* control(QWidget* in, const char* name) {
        return in ? in->findChild<T*>(QLatin1String(name)) : nullptr;
    }
};

QVector<QStringList> expectedCsv() {
    const ExportTable table = awkwardTable();
    QVector<QStringList> records;
    for (const QString& t : table.titles)
        records << QStringList{t};
    QStringList h;
    for (const ExportColumn& c : table.columns)
        h << c.header;
    records << h << awkwardRows();
    return records;
}

}  // namespace

TEST(ExportJob, SetupDialogCarriesTheProgramTextsForEachKind) {
    Fixture f;
    f.start(ExportKind::Rtf);
    ExportSetupDialog* d = f.job->setupDialog();
    ASSERT_TRUE(d);
    ASSERT_TRUE(waitFor([&] { return d->isVisible(); }));
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Report setup"));
    EXPECT_TRUE(d->isModal());
    QStringList labels;
    for (QLabel* l : d->findChildren<QLabel*>())
        labels << l->text();
    EXPECT_TRUE(labels.contains(QStringLiteral("Report file:")));
    EXPECT_EQ(f.control<QPushButton>(d, "SelectFile")->text(), QStringLiteral("Select file"));
    EXPECT_EQ(f.control<QGroupBox>(d, "PageSetup")->title(), QStringLiteral("Page setup"));
    EXPECT_EQ(f.control<QRadioButton>(d, "Portrait")->text(), QStringLiteral("Portrait"));
    EXPECT_EQ(f.control<QRadioButton>(d, "Landscape")->text(), QStringLiteral("Landscape"));
    EXPECT_TRUE(f.control<QRadioButton>(d, "Landscape")->isChecked()) << "the options ask for landscape";
    EXPECT_EQ(f.control<QCheckBox>(d, "OpenAfter")->text(), QStringLiteral("Open created document after"));
    EXPECT_EQ(f.control<QPushButton>(d, "OK")->text(), QStringLiteral("OK"));
    EXPECT_EQ(f.control<QPushButton>(d, "Cancel")->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(d->fileName(), QDir::current().absoluteFilePath(QStringLiteral("BrowseFood.rtf")));

    // Cancel is the user's own choice: reported back, not shown, nothing written or remembered.
    QTest::mouseClick(f.control<QPushButton>(d, "Cancel"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return f.finished; }));
    EXPECT_EQ(f.result.error, ExportError::Cancelled);
    EXPECT_TRUE(f.messages.entries().isEmpty());
    EXPECT_TRUE(f.settings.entries().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("BrowseFood.rtf")));
    EXPECT_TRUE(waitFor([&] { return f.job.isNull(); })) << "the job releases itself";

    // A CSV file has no pages; a print has no file. The texts are the ones handed in.
    f.texts.windowText = QStringLiteral("Set up the report");
    f.start(ExportKind::Csv);
    ExportSetupDialog* csv = f.job->setupDialog();
    EXPECT_EQ(csv->windowTitle(), QStringLiteral("Set up the report"));
    EXPECT_FALSE(f.control<QGroupBox>(csv, "PageSetup"));
    EXPECT_TRUE(f.control<QLineEdit>(csv, "ReportFile"));
    csv->reject();
    ASSERT_TRUE(waitFor([&] { return f.finished; }));

    f.start(ExportKind::Print);
    ExportSetupDialog* print = f.job->setupDialog();
    EXPECT_FALSE(f.control<QLineEdit>(print, "ReportFile"));
    EXPECT_FALSE(f.control<QCheckBox>(print, "OpenAfter"));
    EXPECT_TRUE(f.control<QGroupBox>(print, "PageSetup"));
    print->reject();
    ASSERT_TRUE(waitFor([&] { return f.finished; }));
}

TEST(ExportJob, WritesTheChosenFileShowsProgressAndRemembersTheChoices) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("foods"));   // the kind's suffix is added
    Fixture f;
    QVector<QStringList> rows;
    for (int i = 0; i < 30000; ++i)
        rows << awkwardRows().at(i % awkwardRows().size());
    f.start(ExportKind::Csv, std::make_unique<VectorRowSource>(rows));
    f.job->setCompleteLinger(300);
    ExportSetupDialog* d = f.job->setupDialog();
    ASSERT_TRUE(waitFor([&] { return d->isVisible(); }));
    QLineEdit* file = f.control<QLineEdit>(d, "ReportFile");
    file->selectAll();
    QTest::keyClicks(file, path);
    f.control<QCheckBox>(d, "OpenAfter")->setChecked(true);
    QTest::mouseClick(f.control<QPushButton>(d, "OK"), Qt::LeftButton);

    QStringList seen;
    const auto note = [&seen](const QString& text) {
        if (seen.isEmpty() || seen.back() != text)
            seen << text;
    };
    // A fast machine may write every row between two polls: take the text the window first shows too.
    ShowWatcher watcher([&](QObject* shown) {
        if (auto* window = qobject_cast<ExportProgressWindow*>(shown))
            note(window->labelText());
    });
    ASSERT_TRUE(waitFor([&] {
        if (f.job && f.job->progressWindow() && f.job->progressWindow()->isVisible())
            note(f.job->progressWindow()->labelText());
        return f.finished;
    }));
    ASSERT_TRUE(f.result.ok()) << f.result.text.toStdString();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Report creation..."), QStringLiteral("Complete")}));
    const QString written = path + QStringLiteral(".csv");
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("foods.csv")});
    QVector<QStringList> expected = expectedCsv();
    expected.resize(expected.size() - awkwardRows().size());
    expected << rows;
    EXPECT_EQ(parseCsv(readFile(written)), expected);
    EXPECT_EQ(f.opened, QStringList{written});
    EXPECT_TRUE(f.messages.entries().isEmpty());

    const QString section = QStringLiteral("BrowseFood:VOX6");
    EXPECT_EQ(f.settings.value(section, QStringLiteral("FileCSV"), {}).toString(), written);
    EXPECT_EQ(f.settings.value(section, QStringLiteral("ShowDoc"), {}).toInt(), 1);

    // The next export of this list proposes the remembered choices.
    f.start(ExportKind::Csv);
    EXPECT_EQ(f.job->setupDialog()->fileName(), written);
    EXPECT_TRUE(f.job->setupDialog()->openAfter());
    f.job->setupDialog()->reject();
    ASSERT_TRUE(waitFor([&] { return f.finished; }));
}

TEST(ExportJob, AFileThatCannotBeWrittenIsShownAndLeavesNoFile) {
    QTemporaryDir dir;
    Fixture f;
    for (ExportKind kind : {ExportKind::Csv, ExportKind::Rtf, ExportKind::Excel}) {
        f.messages.clearEntries();
        const QString path = dir.filePath(QStringLiteral("missing/report.") + exportFileSuffix(kind));
        f.start(kind, std::make_unique<VectorRowSource>(awkwardRows()), false, path);
        ASSERT_TRUE(waitFor([&] { return f.finished; }));
        EXPECT_EQ(f.result.error, ExportError::CannotWrite);
        ASSERT_EQ(f.messages.entries().size(), 1);
        EXPECT_EQ(f.messages.entries().at(0).kind, ScriptedMessages::Kind::Notice);
        EXPECT_EQ(f.messages.entries().at(0).title, QStringLiteral("Report setup"));
        EXPECT_TRUE(f.messages.entries().at(0).text.contains(QDir::toNativeSeparators(path)));
        EXPECT_FALSE(QFileInfo::exists(path));
        EXPECT_TRUE(f.opened.isEmpty());
    }
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
}

TEST(ExportJob, ATextTooLongForASpreadsheetIsShownAndKeepsTheOlderFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.xlsx"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("older");
    }
    Fixture f;
    QVector<QStringList> rows = awkwardRows();
    rows << QStringList{QStringLiteral("ok"), QString(33000, u'y')};
    f.start(ExportKind::Excel, std::make_unique<VectorRowSource>(rows), false, path);
    ASSERT_TRUE(waitFor([&] { return f.finished; }));
    EXPECT_EQ(f.result.error, ExportError::LimitExceeded);
    ASSERT_EQ(f.messages.entries().size(), 1);
    EXPECT_TRUE(f.messages.entries().at(0).text.contains(QStringLiteral("32767")));
    EXPECT_EQ(readFile(path), QByteArray("older"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("report.xlsx")});
}

TEST(ExportJob, CancelWhileWritingOrClosingTheWindowLeavesNoFile) {
    QTemporaryDir dir;
    auto manyRows = [] {
        return std::make_unique<CallbackRowSource>(1000000, [](qsizetype i) {
            return QStringList{QStringLiteral("Food %1").arg(i), QStringLiteral("Benefit"), QString(), QStringLiteral("Group")};
        });
    };
    {
        Fixture f;
        f.start(ExportKind::Rtf, manyRows(), false, dir.filePath(QStringLiteral("cancelled.rtf")));
        ASSERT_TRUE(waitFor([&] { return f.job && f.job->progressWindow() && f.job->progressWindow()->isVisible(); }));
        QTest::qWait(100);
        QTest::mouseClick(f.control<QPushButton>(f.job->progressWindow(), "Cancel"), Qt::LeftButton);
        ASSERT_TRUE(waitFor([&] { return f.finished; }));
        EXPECT_EQ(f.result.error, ExportError::Cancelled);
        EXPECT_TRUE(f.messages.entries().isEmpty());
    }
    {
        auto f = std::make_unique<Fixture>();
        f->start(ExportKind::Excel, manyRows(), false, dir.filePath(QStringLiteral("closed.xlsx")));
        ASSERT_TRUE(waitFor([&] { return f->job && f->job->progressWindow() && f->job->progressWindow()->isVisible(); }));
        QTest::qWait(100);
        f.reset();   // the list window closes and takes the job with it
    }
    EXPECT_TRUE(filesIn(dir.path()).isEmpty()) << filesIn(dir.path()).join(u' ').toStdString();
}

TEST(ExportJob, PrintPreviewKeepsItsPositionAndPrintsThePages) {
    Fixture f;
    const QString section = QStringLiteral("PrintPreview");
    f.settings.setValue(section, QStringLiteral("Geometry"), QStringLiteral("40,50,640,480"));
    f.start(ExportKind::Print, std::make_unique<VectorRowSource>(awkwardRows()), false);
    ASSERT_TRUE(waitFor([&] { return f.job && f.job->previewDialog() && f.job->previewDialog()->isVisible(); }));
    QPrintPreviewDialog* preview = f.job->previewDialog();
    EXPECT_EQ(preview->size(), QSize(640, 480));

    // What the preview prints is the report itself.
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    ASSERT_TRUE(f.job->printTo(printer).ok());
    const QByteArray pdf = readFile(printer.outputFileName());
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);

    preview->resize(700, 500);
    preview->reject();   // closed without printing
    ASSERT_TRUE(waitFor([&] { return f.finished; }));
    EXPECT_EQ(f.result.error, ExportError::Cancelled);
    EXPECT_TRUE(f.messages.entries().isEmpty());
    const QStringList saved = f.settings.value(section, QStringLiteral("Geometry"), {}).toString().split(u',');
    ASSERT_EQ(saved.size(), 4);
    EXPECT_EQ(saved.at(2), QStringLiteral("700"));
    EXPECT_EQ(saved.at(3), QStringLiteral("500"));
}

TEST(ExportJob, RemembersChoicesInTheSettingsFileUnderTheListsSection) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("timesheet.INI"));
    SettingsService service(ini);
    SettingsServiceExportSettings settings(service);
    QWidget window;
    window.show();
    bool finished = false;
    ExportServices services;
    services.settings = &settings;
    auto* job = new ExportJob(ExportKind::Rtf, services, &window);
    ExportOptions options = awkwardTable().options;
    options.fileName = dir.filePath(QStringLiteral("report.rtf"));
    job->setOptions(options);
    job->setName(QStringLiteral("BrowseFood"));
    job->addColumn({QString(), 20, Qt::AlignCenter});
    job->setRows(std::make_unique<VectorRowSource>(awkwardRows()));
    job->setCompleteLinger(0);
    job->run([&](const ExportResult& r) {
        EXPECT_TRUE(r.ok()) << r.text.toStdString();
        finished = true;
    });
    ExportSetupDialog* d = job->setupDialog();
    ASSERT_TRUE(d);
    d->findChild<QRadioButton*>(QStringLiteral("Portrait"))->setChecked(true);
    d->accept();
    ASSERT_TRUE(waitFor([&] { return finished; }));

    const QString text = QString::fromUtf8(readFile(ini));
    EXPECT_TRUE(text.contains(QStringLiteral("[BrowseFood:VOX6]"))) << text.toStdString();
    EXPECT_EQ(service.value(QStringLiteral("BrowseFood:VOX6"), QStringLiteral("Portrait")).toInt(), 1);
    EXPECT_EQ(service.value(QStringLiteral("BrowseFood:VOX6"), QStringLiteral("FileRTF")).toString(),
              dir.filePath(QStringLiteral("report.rtf")));
    EXPECT_TRUE(readFile(dir.filePath(QStringLiteral("report.rtf"))).contains("\\pgwsxn11906\\pghsxn16838"))
        << "portrait A4 as chosen";
}
