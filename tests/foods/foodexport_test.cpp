// "Print or Export List" on the real food list: the pop-up menu, the files it makes read back by real
// readers (a CSV parser, LibreOffice, poppler), the list back on its first row, failures shown.

#include "foodtesting.h"

#include "foods/foodexport.h"
#include "foods/foodrows.h"
#include "platform/export/exportsetupdialog.h"
#include "platform/listmodel.h"
#include "platform/export/exporttesthelpers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabBar>

using namespace nm;
using namespace nm::platform;
using foods::BrowseFood;
using foods::FoodExport;
using platform::testing::convertWithLibreOffice;
using platform::testing::libreOfficeAvailable;
using platform::testing::parseCsv;
using platform::testing::runTool;

namespace {

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

const QString kLongName = QStringLiteral("Zucchini grilled with olive oil, garlic and fresh lemon");   // 56
const QString kTitle = QStringLiteral("Nutrimap food list");
const QStringList kHeadings = {QStringLiteral("Name"), QString(), QStringLiteral("A"), QString(),
                               QStringLiteral("B"), QString(), QStringLiteral("AB"), QString(),
                               QStringLiteral("O"), QStringLiteral("Food Group")};

QStringList oBenefitRow(const QString& name, const QString& group) {
    return {name, QString(), QString(), QString(), QString(), QString(), QString(),
            QStringLiteral("*"), QStringLiteral("Benefit"), group};
}

// Benefit for O on the tab "By Food Group": group-name order, the food without a group first, only the
// O columns filled.
const QVector<QStringList> kBenefitOByGroup = {
    oBenefitRow(QStringLiteral("Chicken"), QString()),
    oBenefitRow(QStringLiteral("Łosoś wędzony {smoked} \\ 鮭"), QStringLiteral("Fish")),
    oBenefitRow(QStringLiteral("Apple, red \"Gala\""), QStringLiteral("Fruit")),
    oBenefitRow(QStringLiteral("Oats"), QStringLiteral("Grains")),
    oBenefitRow(QStringLiteral("Broccoli"), QStringLiteral("Vegetables")),
    oBenefitRow(kLongName, QStringLiteral("Vegetables")),
};

class FoodExportTest : public nm::testing::FoodWindowTest {
protected:
    void SetUp() override {
        FoodWindowTest::SetUp();
        ASSERT_TRUE(out.isValid());
        const qint32 veg = addGroup(QStringLiteral("Vegetables"), QString());
        const qint32 fruit = addGroup(QStringLiteral("Fruit"), QString());
        const qint32 grains = addGroup(QStringLiteral("Grains"), QString());
        const qint32 fish = addGroup(QStringLiteral("Fish"), QString());
        storeFood({QStringLiteral("Broccoli"), 4, 4, 4, 4, veg, QStringLiteral("Vegetables"), QStringLiteral("green")});
        storeFood({QStringLiteral("Apple, red \"Gala\""), 4, 2, 4, 4, fruit, QStringLiteral("Fruit"), QString()});
        storeFood({QStringLiteral("Banana"), 1, 4, 1, 1, fruit, QStringLiteral("Fruit"), QString()});
        storeFood({QStringLiteral("Oats"), 4, 2, 2, 4, grains, QStringLiteral("Grains"), QString()});
        storeFood({kLongName, 2, 0, 0, 4, veg, QStringLiteral("Vegetables"), QString()});
        storeFood({QStringLiteral("Chicken"), 0, 1, 0, 4, 0, QString(), QStringLiteral("no group")});
        storeFood({QStringLiteral("Kale"), 4, 4, 4, 2, veg, QStringLiteral("Vegetables"), QString()});
        storeFood({QStringLiteral("Łosoś wędzony {smoked} \\ 鮭"), 1, 4, 4, 4, fish, QStringLiteral("Fish"), QString()});
    }

    // Benefit and O ticked on the second tab, the highlight moved off the first row.
    std::unique_ptr<BrowseFood> openBenefitOByGroup() {
        auto w = openList();
        QTabBar* tabs = child<QTabWidget>(w.get(), "SHEET1")->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        click(w.get(), "BUTTONCLEARFILTER");
        clickBox(w.get(), "LOC:FBENEFIT");
        clickBox(w.get(), "LOC:FO");
        EXPECT_EQ(w->filterDescription(), QStringLiteral("Benefit, O"));
        EXPECT_EQ(w->list().rowCount(), kBenefitOByGroup.size());
        w->list().setCurrentRow(3);
        return w;
    }

    // Presses the export button and returns the pop-up it shows.
    static QMenu* pressExport(BrowseFood& w) {
        click(&w, "EXPORT");
        QMenu* menu = FoodExport::of(w).menu();
        EXPECT_TRUE(menu && waitFor([&] { return menu->isVisible(); }));
        return menu;
    }

    static void choose(QMenu* menu, const QString& entry) {
        for (QAction* a : menu->actions()) {
            if (a->text() == entry) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                return;
            }
        }
        ADD_FAILURE() << "no entry " << entry.toStdString();
    }

    struct Outcome {
        bool finished = false;
        ExportResult result;
    };

    // Chooses the entry, types `path` into the setup dialog, confirms and waits for the job to end.
    Outcome exportTo(BrowseFood& w, const QString& entry, const QString& path) {
        Outcome o;
        FoodExport& exporter = FoodExport::of(w);
        QObject::connect(&exporter, &FoodExport::finished, &w, [&o](const ExportResult& r) {
            o.finished = true;
            o.result = r;
        }, Qt::SingleShotConnection);
        choose(pressExport(w), entry);
        ExportJob* job = exporter.job();
        EXPECT_NE(job, nullptr);
        if (!job)
            return o;
        job->setCompleteLinger(0);
        ExportSetupDialog* setup = job->setupDialog();
        EXPECT_TRUE(setup && waitFor([&] { return setup->isVisible(); }));
        if (!setup)
            return o;
        auto* file = setup->findChild<QLineEdit*>(QStringLiteral("ReportFile"));
        file->selectAll();
        QTest::keyClicks(file, path);
        QTest::mouseClick(setup->findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
        EXPECT_TRUE(waitFor([&] { return o.finished; }));
        return o;
    }

    QTemporaryDir out;
};

// The rows of a file as the reader gives them: titles, the heading row, then the foods.
QVector<QStringList> expectedRecords(const QString& description, const QVector<QStringList>& rows) {
    QVector<QStringList> records = {{kTitle}, {description}, kHeadings};
    records << rows;
    return records;
}

// Readers differ in how they end a row: a spreadsheet gives titles a full-width row, a row ending in
// an empty cell may come without it. Trailing empty cells are dropped on both sides.
QVector<QStringList> normalised(QVector<QStringList> records) {
    for (QStringList& r : records)
        while (!r.isEmpty() && r.back().isEmpty())
            r.removeLast();
    return records;
}

}  // namespace

TEST_F(FoodExportTest, PopUpOffersTheFourOutputsAtTheButtonAndClosingItDoesNothing) {
    auto w = openBenefitOByGroup();
    QMenu* menu = pressExport(*w);
    ASSERT_TRUE(menu);
    QStringList entries;
    for (QAction* a : menu->actions())
        entries << a->text();
    EXPECT_EQ(entries, (QStringList{QStringLiteral("Standard"), QStringLiteral("RTF Document"),
                                    QStringLiteral("Excel Document"), QStringLiteral("CSV file")}));
    auto* button = child<QPushButton>(w.get(), "EXPORT");
    const QRect near(button->mapToGlobal(QPoint(0, 0)), button->size() + QSize(0, button->height()));
    EXPECT_TRUE(near.contains(menu->geometry().topLeft())) << menu->geometry().x() << "," << menu->geometry().y();

    QTest::keyClick(menu, Qt::Key_Escape);
    ASSERT_TRUE(waitFor([&] { return !FoodExport::of(*w).menu(); }));
    QTest::qWait(50);
    EXPECT_EQ(FoodExport::of(*w).job(), nullptr);
    EXPECT_EQ(w->list().currentRow(), 3);   // nothing happened, not even the move to the first row
    EXPECT_TRUE(messages.entries().isEmpty());
    EXPECT_TRUE(filesIn(dir.path()).filter(QRegularExpression(QStringLiteral("\\.(csv|rtf|xlsx)$"))).isEmpty());
}

TEST_F(FoodExportTest, FilteredListByGroupIsWrittenAsTheListHoldsIt) {
    struct Case {
        QString entry;
        ExportKind kind;
        QString suffix;
        bool needsLibreOffice;
    };
    const Case cases[] = {
        {QStringLiteral("CSV file"), ExportKind::Csv, QStringLiteral("csv"), false},
        {QStringLiteral("Excel Document"), ExportKind::Excel, QStringLiteral("xlsx"), true},
        {QStringLiteral("RTF Document"), ExportKind::Rtf, QStringLiteral("rtf"), true},
    };
    auto w = openBenefitOByGroup();
    const QVector<QStringList> expected = normalised(expectedRecords(QStringLiteral("Benefit, O"), kBenefitOByGroup));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        if (c.needsLibreOffice && !libreOfficeAvailable()) {
            ADD_FAILURE() << "LibreOffice is not installed";
            continue;
        }
        w->list().setCurrentRow(3);
        const QString path = out.filePath(QStringLiteral("foods.") + c.suffix);
        const Outcome o = exportTo(*w, c.entry, path);
        ASSERT_TRUE(o.finished);
        ASSERT_TRUE(o.result.ok()) << o.result.text.toStdString();
        EXPECT_EQ(w->list().currentRow(), 0);
        EXPECT_EQ(child<QPlainTextEdit>(w.get(), "FOO:NOTES")->toPlainText(), QStringLiteral("no group"));
        EXPECT_TRUE(messages.entries().isEmpty());
        EXPECT_EQ(settings->value(QStringLiteral("BrowseFood:VOX6"), QStringLiteral("File") + exportKindCode(c.kind))
                      .toString(),
                  path);

        QVector<QStringList> records;
        if (c.suffix == u"csv") {
            bool ok = false;
            records = parseCsv(readFile(path), &ok);
            EXPECT_TRUE(ok);
        } else if (c.suffix == u"xlsx") {
            QString error;
            const QByteArray csv = convertWithLibreOffice(
                path, QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"), QStringLiteral("csv"), &error);
            ASSERT_FALSE(csv.isEmpty()) << error.toStdString();
            records = parseCsv(csv);
        } else {
            QString error;
            const QByteArray txt = convertWithLibreOffice(path, QStringLiteral("txt:Text (encoded):UTF8"),
                                                          QStringLiteral("txt"), &error);
            ASSERT_FALSE(txt.isEmpty()) << error.toStdString();
            QString text = QString::fromUtf8(txt);
            if (text.startsWith(QChar(0xFEFF)))
                text.remove(0, 1);
            text.remove(u'\r');
            QStringList lines = text.split(u'\n');
            while (!lines.isEmpty() && lines.back().isEmpty())
                lines.removeLast();
            // As text every paragraph is a line: the two titles, a spacer, then one cell a line.
            ASSERT_GE(lines.size(), 3);
            records = {{lines.at(0)}, {lines.at(1)}};
            EXPECT_EQ(lines.at(2), QString());
            for (qsizetype i = 3; i + kHeadings.size() <= lines.size(); i += kHeadings.size())
                records << lines.mid(i, kHeadings.size());
            EXPECT_EQ((lines.size() - 3) % kHeadings.size(), 0);
        }
        EXPECT_EQ(normalised(records), expected);
        EXPECT_EQ(filesIn(out.path()).filter(c.suffix), QStringList{QStringLiteral("foods.") + c.suffix});
    }
}

TEST_F(FoodExportTest, AllFoodsAfterClearFilterCarryEveryWordAndStar) {
    auto w = openList();
    click(w.get(), "BUTTONCLEARFILTER");
    const QString path = out.filePath(QStringLiteral("all.csv"));
    const Outcome o = exportTo(*w, QStringLiteral("CSV file"), path);
    ASSERT_TRUE(o.finished && o.result.ok()) << o.result.text.toStdString();
    const QVector<QStringList> records = parseCsv(readFile(path));
    ASSERT_EQ(records.size(), 3 + 8);
    EXPECT_EQ(records.at(1), QStringList{QStringLiteral("No Filter")});
    // Name order; the stars as the list has them, "*" for O and " * " for the others.
    EXPECT_EQ(records.at(3), (QStringList{QStringLiteral("Apple, red \"Gala\""), QStringLiteral(" * "),
                                          QStringLiteral("Benefit"), QString(), QStringLiteral("Neutral"),
                                          QStringLiteral(" * "), QStringLiteral("Benefit"), QStringLiteral("*"),
                                          QStringLiteral("Benefit"), QStringLiteral("Fruit")}));
    // A name longer than the list shows is written whole.
    EXPECT_EQ(records.at(3 + 6).at(0), kLongName);
    EXPECT_EQ(records.at(3 + 6).at(1), QString());
    EXPECT_EQ(records.at(3 + 6).at(2), QStringLiteral("Neutral"));
    EXPECT_GT(kLongName.size(), foods::kNameShown);
}

TEST_F(FoodExportTest, PrintPreviewShowsThePagesTitledAndNumbered) {
    const bool poppler = !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() &&
                         !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    if (!poppler)
        GTEST_SKIP() << "poppler-utils is not installed";
    {
        // Enough foods for several pages, stored through one session.
        platform::Session writer(messages, dir.path());
        store::TableManager& table = writer.store().table(store::TableId::Food);
        for (int i = 1; i <= 120; ++i) {
            ASSERT_TRUE(table.primeAutoInc().ok());
            table.buffer().setText(QStringLiteral("FOO:NAME"), QStringLiteral("Pulse %1").arg(i, 3, 10, QChar(u'0')));
            table.buffer().setInteger(QStringLiteral("FOO:BLOODO"), 4);
            ASSERT_TRUE(writer.store().relation(store::TableId::Food).insert().ok());
        }
    }
    auto w = openList();
    w->list().setCurrentRow(5);
    bool finished = false;
    ExportResult result;
    QObject::connect(&FoodExport::of(*w), &FoodExport::finished, w.get(), [&](const ExportResult& r) {
        finished = true;
        result = r;
    });
    choose(pressExport(*w), QStringLiteral("Standard"));
    ExportJob* job = FoodExport::of(*w).job();
    ASSERT_TRUE(job);
    ExportSetupDialog* setup = job->setupDialog();
    ASSERT_TRUE(setup && waitFor([&] { return setup->isVisible(); }));
    QTest::mouseClick(setup->findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return job->previewDialog() && job->previewDialog()->isVisible(); }));
    QPrintPreviewDialog* preview = job->previewDialog();

    // The preview's own printer, sent to a PDF file: what printing from the preview gives.
    QPrinter* printer = preview->printer();
    ASSERT_TRUE(printer);
    const QString pdf = out.filePath(QStringLiteral("printed.pdf"));
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdf);
    ASSERT_TRUE(job->printTo(*printer).ok());

    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdf}));
    const auto pagesMatch = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    ASSERT_TRUE(pagesMatch.hasMatch()) << info.toStdString();
    const int pages = pagesMatch.captured(1).toInt();
    ASSERT_GE(pages, 2);
    const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    ASSERT_TRUE(size.hasMatch());
    EXPECT_GT(size.captured(1).toDouble(), size.captured(2).toDouble());   // A4 across: portrait is off
    EXPECT_NEAR(size.captured(1).toDouble(), 842, 2);

    QStringList seen;
    int previous = 0;
    for (int p = 1; p <= pages; ++p) {
        const QString text = QString::fromUtf8(runTool(QStringLiteral("pdftotext"),
                                               {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(p),
                                                QStringLiteral("-l"), QString::number(p), pdf, QStringLiteral("-")}))
                                 .simplified();
        EXPECT_TRUE(text.contains(kTitle)) << p;
        EXPECT_TRUE(text.contains(QStringLiteral("All"))) << p;
        EXPECT_TRUE(text.contains(QStringLiteral("Food Group"))) << p;
        // pdftotext may close up "1 / 4".
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\b%1 ?/ ?%2$").arg(p).arg(pages))))
            << p << ": " << text.toStdString();
        // The foods run on from page to page in the list's order.
        const auto names = QRegularExpression(QStringLiteral("Pulse (\\d{3})")).globalMatch(text);
        for (auto it = names; it.hasNext();) {
            const int n = it.next().captured(1).toInt();
            EXPECT_EQ(n, previous + 1);
            previous = n;
        }
    }
    EXPECT_EQ(previous, 120);

    preview->reject();   // closed without printing: the service's own choice, nothing shown
    ASSERT_TRUE(waitFor([&] { return finished; }));
    EXPECT_EQ(result.error, ExportError::Cancelled);
    EXPECT_TRUE(messages.entries().isEmpty());
    EXPECT_EQ(w->list().currentRow(), 0);
}

TEST_F(FoodExportTest, AFileThatCannotBeWrittenIsReportedAndLeavesNothing) {
    auto w = openBenefitOByGroup();
    for (const QString& entry : {QStringLiteral("CSV file"), QStringLiteral("Excel Document"),
                                 QStringLiteral("RTF Document")}) {
        SCOPED_TRACE(entry.toStdString());
        messages.clearEntries();
        w->list().setCurrentRow(3);
        const QString path = out.filePath(QStringLiteral("missing/foods.out"));
        const Outcome o = exportTo(*w, entry, path);
        ASSERT_TRUE(o.finished);
        EXPECT_EQ(o.result.error, ExportError::CannotWrite);
        ASSERT_EQ(messages.entries().size(), 1);
        EXPECT_EQ(messages.entries().at(0).kind, ScriptedMessages::Kind::Notice);
        EXPECT_EQ(messages.entries().at(0).title, QStringLiteral("Report setup"));
        EXPECT_TRUE(messages.entries().at(0).text.contains(QDir::toNativeSeparators(path)))
            << messages.entries().at(0).text.toStdString();
        EXPECT_FALSE(QFileInfo::exists(path));
        EXPECT_EQ(w->list().currentRow(), 0);
    }
    EXPECT_TRUE(filesIn(out.path()).isEmpty()) << filesIn(out.path()).join(u' ').toStdString();
    EXPECT_FALSE(QFileInfo::exists(out.filePath(QStringLiteral("missing"))));
}
