// Window positions in timesheet.INI: what is written when a window closes and what a later opening
// makes of it, including files that were damaged or edited by hand.
#include "platform/dialogunits.h"
#include "platform/inidocument.h"
#include "platform/settings.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QWidget>

using nm::platform::DialogUnits;
using nm::platform::IniDocument;
using nm::platform::SettingsService;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("timesheet.INI")); }
    void write(const QByteArray& text) {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray read() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    IniDocument doc() const { return IniDocument::parse(read()); }
    QString entry(const QString& section, const QString& key) const {
        return doc().value(section, key).value_or(QStringLiteral("<none>"));
    }

    QTemporaryDir dir;
};

QString s(const char* text) {
    return QString::fromUtf8(text);
}

TEST_F(SettingsTest, FirstRunWithoutFileOpensAtDefinedPlaceAndCreatesFileOnSave) {
    SettingsService settings(path());
    QWidget w;
    w.setGeometry(40, 50, 300, 200);
    const QRect before = w.geometry();
    settings.restoreWindow(w, s("Main"));
    EXPECT_EQ(w.geometry(), before);
    EXPECT_FALSE(QFile::exists(path()));

    settings.saveWindow(w, s("Main"));
    const DialogUnits du(w.font());
    EXPECT_EQ(entry(s("Main"), s("Maximize")), s("No"));
    EXPECT_EQ(entry(s("Main"), s("Minimize")), s("No"));
    EXPECT_EQ(entry(s("Main"), s("XPos")), QString::number(du.toX(w.x())));
    EXPECT_EQ(entry(s("Main"), s("YPos")), QString::number(du.toY(w.y())));
    EXPECT_EQ(entry(s("Main"), s("Width")), QString::number(du.toX(300)));
    EXPECT_EQ(entry(s("Main"), s("Height")), QString::number(du.toY(200)));
    EXPECT_EQ(doc().keys(s("Main")),
              QStringList({s("Maximize"), s("Minimize"), s("XPos"), s("YPos"), s("Width"), s("Height")}));
}

TEST_F(SettingsTest, PositionRoundTripsThroughDialogUnits) {
    write("[BrowseFood]\nMaximize=No\nMinimize=No\nXPos=20\nYPos=16\nWidth=507\nHeight=300\n");
    SettingsService settings(path());
    QWidget w;
    w.setGeometry(0, 0, 100, 100);
    settings.restoreWindow(w, s("BrowseFood"));
    const DialogUnits du(w.font());
    EXPECT_EQ(w.pos(), QPoint(du.x(20), du.y(16)));
    EXPECT_EQ(w.size(), du.size(507, 300));

    settings.saveWindow(w, s("BrowseFood"));
    EXPECT_EQ(
        read(),
        QByteArray("[BrowseFood]\nMaximize=No\nMinimize=No\nXPos=20\nYPos=16\nWidth=507\nHeight=300\n"));
}

struct StateCase {
    const char* name;
    Qt::WindowState state;
    bool resizable;
    const char* maximize;
    const char* minimize;
    bool positionKept;
    bool sizeKept;
};

class SaveStateTest : public SettingsTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(SaveStateTest, WritesStateAndRemovesKeysThatDoNotApply) {
    const StateCase& c = GetParam();
    // Every key present beforehand, so removal shows.
    write("[MntFood]\nMaximize=No\nMinimize=No\nXPos=1\nYPos=2\nWidth=3\nHeight=4\n");
    SettingsService settings(path());
    QWidget w;
    w.setGeometry(30, 30, 240, 160);
    w.setWindowState(c.state);
    settings.saveWindow(w, s("MntFood"), c.resizable);
    EXPECT_EQ(entry(s("MntFood"), s("Maximize")), QString::fromLatin1(c.maximize));
    EXPECT_EQ(entry(s("MntFood"), s("Minimize")), QString::fromLatin1(c.minimize));
    EXPECT_EQ(doc().value(s("MntFood"), s("XPos")).has_value(), c.positionKept);
    EXPECT_EQ(doc().value(s("MntFood"), s("YPos")).has_value(), c.positionKept);
    EXPECT_EQ(doc().value(s("MntFood"), s("Width")).has_value(), c.sizeKept);
    EXPECT_EQ(doc().value(s("MntFood"), s("Height")).has_value(), c.sizeKept);
}

INSTANTIATE_TEST_SUITE_P(
    States, SaveStateTest,
    ::testing::Values(StateCase{"normal", Qt::WindowNoState, true, "No", "No", true, true},
                      StateCase{"fixedSize", Qt::WindowNoState, false, "No", "No", true, false},
                      StateCase{"maximized", Qt::WindowMaximized, true, "Yes", "No", false, false},
                      StateCase{"minimized", Qt::WindowMinimized, true, "No", "Yes", false, false},
                      StateCase{"minimizedFixed", Qt::WindowMinimized, false, "No", "Yes", false, false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(SettingsTest, MaximizedWindowReopensMaximizedAndNoMeansUnmaximize) {
    SettingsService settings(path());
    QWidget closing;
    closing.setWindowState(Qt::WindowMaximized);
    settings.saveWindow(closing, s("Main"));

    QWidget opening;
    settings.restoreWindow(opening, s("Main"));
    EXPECT_TRUE(opening.isMaximized());

    write("[Main]\nMaximize=No\nMinimize=No\n");
    QWidget maximized;
    maximized.setWindowState(Qt::WindowMaximized);
    settings.restoreWindow(maximized, s("Main"));
    EXPECT_FALSE(maximized.isMaximized());
}

TEST_F(SettingsTest, MinimizeYesIsWrittenButNotActedOn) {
    write("[BrRecepies]\nMaximize=No\nMinimize=Yes\n");
    SettingsService settings(path());
    QWidget w;
    settings.restoreWindow(w, s("BrRecepies"));
    EXPECT_FALSE(w.isMinimized());
}

TEST_F(SettingsTest, SectionWithoutValidMaximizeIsIgnoredWhole) {
    SettingsService settings(path());
    for (const char* maximize : {"Maybe", "yes", "", "1", "Yes please"}) {
        write(QByteArray("[UpRecepies]\nMaximize=") + maximize +
              "\nXPos=50\nYPos=60\nWidth=200\nHeight=150\n");
        QWidget w;
        w.setGeometry(10, 20, 110, 120);
        w.setWindowState(Qt::WindowMaximized);
        settings.restoreWindow(w, s("UpRecepies"));
        EXPECT_EQ(w.geometry(), QRect(10, 20, 110, 120)) << maximize;
        EXPECT_TRUE(w.isMaximized()) << maximize;
    }
    write("[UpRecepies]\nXPos=50\nYPos=60\n");
    QWidget w;
    w.setGeometry(10, 20, 110, 120);
    settings.restoreWindow(w, s("UpRecepies"));
    EXPECT_EQ(w.geometry(), QRect(10, 20, 110, 120));
}

TEST_F(SettingsTest, WindowThatCannotBeResizedKeepsItsSize) {
    write("[SplashScreen]\nMaximize=No\nMinimize=No\nXPos=10\nYPos=10\nWidth=400\nHeight=400\n");
    SettingsService settings(path());
    QWidget w;
    w.setGeometry(0, 0, 150, 120);
    settings.restoreWindow(w, s("SplashScreen"), false);
    const DialogUnits du(w.font());
    EXPECT_EQ(w.pos(), QPoint(du.x(10), du.y(10)));
    EXPECT_EQ(w.size(), QSize(150, 120));
}

TEST_F(SettingsTest, PartialAndUnreadableEntriesLeaveTheRestWorking) {
    // Hand-edited: other case, blanks round the equals sign, a quoted value, a bad number, no height.
    write("[main]\n  maximize = No \nXPOS=\"12\"\nYPos=twelve\nWidth=-5\nheight=99999999999\n");
    SettingsService settings(path());
    QWidget w;
    w.setGeometry(7, 8, 90, 80);
    settings.restoreWindow(w, s("Main"));
    const DialogUnits du(w.font());
    EXPECT_EQ(w.pos(), QPoint(du.x(12), 8));
    EXPECT_EQ(w.size(), QSize(90, 80));
}

TEST_F(SettingsTest, DamagedFilesNeverStopTheProgram) {
    const QList<QByteArray> damaged = {
        QByteArray("\x00\x01\xff\xfe[Main\n=No\n[]\n==\n\x89PNG\r\n", 26), QByteArray(70000, '\xff'),
        QByteArray("[Main]\nMaximize=No\nXPos=5\n[Main]\nMaximize=Yes\n"), // the first section wins
    };
    for (const QByteArray& bytes : damaged) {
        write(bytes);
        SettingsService settings(path());
        QWidget w;
        w.setGeometry(1, 2, 100, 100);
        settings.restoreWindow(w, s("Main"));
        EXPECT_FALSE(w.isMaximized());
        settings.saveWindow(w, s("Main"));
        EXPECT_EQ(entry(s("Main"), s("Maximize")), s("No"));
        settings.shutdown();
        qsizetype named = 0;
        for (const QString& section : doc().sections())
            named += !section.isEmpty() && section != SettingsService::indexSection();
        EXPECT_EQ(entry(SettingsService::indexSection(), s("Sectors")).toLongLong(), named);
    }
}

TEST_F(SettingsTest, HandEditedLinesAndOtherSectionsSurviveASave) {
    const QByteArray original = "; my notes\r\n[Export]\r\nLastFile=C:\\list.csv\r\n\r\n[Main]\r\nXPos=1\r\n";
    write(original);
    SettingsService settings(path());
    QWidget w;
    w.setGeometry(0, 0, 100, 100);
    settings.saveWindow(w, s("Main"));
    const QByteArray after = read();
    EXPECT_TRUE(
        after.startsWith("; my notes\r\n[Export]\r\nLastFile=C:\\list.csv\r\n\r\n[Main]\r\nXPos=0\r\n"))
        << after.constData();
    EXPECT_EQ(settings.value(s("Export"), s("LastFile")).toString(), s("C:\\list.csv"));
}

TEST_F(SettingsTest, IndexSectionIsKeptAndRewrittenAtShutdown) {
    write("[__Dont_Touch_Me__]\nSectors=2\n1=BrowseFood\n2=Gone\n\n[BrowseFood]\nMaximize=No\n");
    SettingsService settings(path());
    EXPECT_EQ(settings.indexedSections(), QStringList({s("BrowseFood"), s("Gone")}));
    QWidget w;
    settings.saveWindow(w, s("Main"));
    // Saving a window leaves the index as it was until shut-down.
    EXPECT_EQ(entry(SettingsService::indexSection(), s("Sectors")), s("2"));
    EXPECT_EQ(entry(SettingsService::indexSection(), s("2")), s("Gone"));

    settings.shutdown();
    EXPECT_EQ(entry(SettingsService::indexSection(), s("Sectors")), s("2"));
    EXPECT_EQ(entry(SettingsService::indexSection(), s("1")), s("BrowseFood"));
    EXPECT_EQ(entry(SettingsService::indexSection(), s("2")), s("Main"));
    EXPECT_FALSE(doc().value(SettingsService::indexSection(), s("3")).has_value());
    EXPECT_EQ(entry(s("Main"), s("Maximize")), s("No"));

    write("[__Dont_Touch_Me__]\nSectors=lots\n7=x\n");
    SettingsService damaged(path());
    EXPECT_TRUE(damaged.indexedSections().isEmpty());
}

TEST_F(SettingsTest, NothingSavedMeansNoFileAtShutdown) {
    SettingsService settings(path());
    settings.shutdown();
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(SettingsTest, ReadsWhatAnotherCopyWroteMeanwhile) {
    SettingsService settings(path());
    settings.setValue(s("Export"), s("Folder"), s("one"));
    SettingsService other(path());
    other.setValue(s("Export"), s("Folder"), s("two"));
    EXPECT_EQ(settings.value(s("Export"), s("Folder")).toString(), s("two"));
    EXPECT_EQ(settings.value(s("Export"), s("Missing"), s("fallback")).toString(), s("fallback"));
}

TEST_F(SettingsTest, DocumentWindowPositionIsItsSubWindowsInsideTheArea) {
    write("[BrowseJobs]\nMaximize=No\nMinimize=No\nXPos=8\nYPos=8\nWidth=200\nHeight=120\n");
    SettingsService settings(path());
    QMdiArea area;
    area.resize(800, 600);
    auto* list = new QWidget;
    QMdiSubWindow* sub = area.addSubWindow(list);
    area.show();
    settings.restoreWindow(*list, s("BrowseJobs"));
    const DialogUnits du(list->font());
    EXPECT_EQ(sub->pos(), QPoint(du.x(8), du.y(8)));
    EXPECT_EQ(sub->size(), du.size(200, 120));
    list->setMinimumSize(400, 300);
    settings.restoreWindow(*list, s("BrowseJobs"));
    EXPECT_GE(sub->width(), 400) << "never smaller than the window inside";
    EXPECT_GE(sub->height(), 300);
    sub->move(du.x(20), du.y(24));
    settings.saveWindow(*list, s("BrowseJobs"));
    EXPECT_EQ(entry(s("BrowseJobs"), s("XPos")), s("20"));
    EXPECT_EQ(entry(s("BrowseJobs"), s("YPos")), s("24"));
}

TEST_F(SettingsTest, PositionFarOffEveryScreenIsNotApplied) {
    write("[Main]\nMaximize=No\nMinimize=No\nXPos=-90000\nYPos=-90000\n");
    SettingsService settings(path());
    QWidget w;
    w.setGeometry(10, 10, 100, 100);
    settings.restoreWindow(w, s("Main"));
    EXPECT_EQ(w.pos(), QPoint(10, 10));
}

TEST(IniDocument, KeepsLinesItCannotReadAndChangesEntriesInPlace) {
    IniDocument doc = IniDocument::parse(
        "\xEF\xBB\xBFtop line\n[A]\n# note\nkey = \"quoted value\"\nnot an entry\n\n[B]\nx=1\n");
    EXPECT_EQ(doc.sections(), QStringList({s("A"), s("B")}));
    EXPECT_EQ(doc.value(s("a"), s("KEY")).value(), s("quoted value"));
    EXPECT_FALSE(doc.value(s("A"), s("# note")).has_value());
    doc.setValue(s("A"), s("key"), s("new"));
    doc.setValue(s("A"), s("added"), s("two\nlines"));
    doc.setValue(s("C"), s("y"), s("2"));
    doc.remove(s("B"), s("x"));
    EXPECT_EQ(
        doc.toBytes(),
        QByteArray("top line\n[A]\n# note\nkey=new\nnot an entry\nadded=two lines\n\n[B]\n\n[C]\ny=2\n"));
}

} // namespace
