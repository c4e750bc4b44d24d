// The splash screen: its controls, its link, and the three ways it closes.
#include "shelltesting.h"

#include "platform/dialogunits.h"
#include "platform/hyperlink.h"
#include "shell/splashscreen.h"

#include <gtest/gtest.h>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace nm;
using nm::shell::SplashScreen;

namespace {

using namespace std::chrono_literals;

class SplashTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame.resize(900, 700);
        frame.show();
    }
    QPointer<SplashScreen> openSplash(std::chrono::milliseconds closeAfter = SplashScreen::kCloseAfter) {
        auto* splash = new SplashScreen(program.services, program.newSession(), &frame, closeAfter);
        splash->open();
        return splash;
    }
    QPointer<SplashScreen> openActive() {
        QPointer<SplashScreen> splash = openSplash();
        EXPECT_TRUE(QTest::qWaitForWindowActive(splash.data()));
        return splash;
    }

    shelltest::FakeProgram program;
    QWidget frame;
};

TEST_F(SplashTest, ControlsWhereTheLayoutPutsThem) {
    QPointer<SplashScreen> splash = openSplash();
    const platform::DialogUnits du(splash->font());
    EXPECT_EQ(splash->size(), du.size(309, 316));
    EXPECT_TRUE(splash->windowTitle().isEmpty());
    const struct {
        const char* useName;
        QRect at;
    } controls[] = {
        {"STRINGEMAIL", du.rect(8, 280, 296, 10)}, {"GROUPMAIN", du.rect(7, 4, 295, 258)},
        {"IMAGE1", du.rect(16, 18, 277, 177)},     {"IMAGENUTRIMAP", du.rect(16, 196, 277, 40)},
        {"STRINGCOPY", du.rect(16, 244, 278, 10)}, {"CLOSE", du.rect(7, 296, 50, 14)},
    };
    for (const auto& c : controls) {
        auto* w = splash->findChild<QWidget*>(QString::fromLatin1(c.useName));
        ASSERT_NE(w, nullptr) << c.useName;
        EXPECT_EQ(w->geometry(), c.at) << c.useName;
    }
    auto* site = splash->findChild<QLabel*>(QStringLiteral("STRINGCOM"));
    EXPECT_EQ(site->pos(), du.rect(7, 266, 296, 10).topLeft());
    EXPECT_EQ(site->text(), SplashScreen::webAddress());
    EXPECT_TRUE(QUrl(SplashScreen::webAddress()).scheme().startsWith(QLatin1String("http")));

    EXPECT_EQ(splash->findChild<QLabel*>(QStringLiteral("STRINGEMAIL"))->text(),
              QStringLiteral("email: ") + SplashScreen::supportAddress());
    const QString notice = splash->findChild<QLabel*>(QStringLiteral("STRINGCOPY"))->text();
    EXPECT_TRUE(notice.contains(QStringLiteral(NUTRIMAP_VERSION))) << notice.toStdString();
    EXPECT_TRUE(notice.contains(QRegularExpression(QStringLiteral("\\b20\\d\\d\\b"))))
        << notice.toStdString();
    EXPECT_EQ(splash->findChild<QPushButton*>(QStringLiteral("CLOSE"))->text(),
              QStringLiteral("&Continue..."));
    EXPECT_TRUE(splash->findChild<QGroupBox*>(QStringLiteral("GROUPMAIN"))->title().isEmpty());
    for (const char* picture : {"IMAGE1", "IMAGENUTRIMAP"}) {
        const QPixmap pixmap = splash->findChild<QLabel*>(QString::fromLatin1(picture))->pixmap();
        ASSERT_FALSE(pixmap.isNull()) << picture;
        // A drawn picture, not a blank box: more than a handful of colours in it.
        const QImage image = pixmap.toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 4)
            for (int x = 0; x < image.width(); x += 4)
                colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 20) << picture;
    }
    EXPECT_EQ(program.messages.currentProcedure(), SplashScreen::procedureName());
    splash->close();
}

TEST_F(SplashTest, ContinueClosesAndSavesPositionWithoutSize) {
    QPointer<SplashScreen> splash = openSplash();
    splash->move(40, 50);
    QTest::mouseClick(splash->findChild<QPushButton*>(QStringLiteral("CLOSE")), Qt::LeftButton);
    QTRY_VERIFY(splash.isNull());
    EXPECT_EQ(program.entry("SplashScreen", "Maximize"), QStringLiteral("No"));
    EXPECT_TRUE(program.entry("SplashScreen", "XPos").has_value());
    EXPECT_FALSE(program.entry("SplashScreen", "Width").has_value());
    EXPECT_FALSE(program.entry("SplashScreen", "Height").has_value());
    EXPECT_TRUE(program.messages.currentProcedure().isEmpty());

    // The next one opens where this one was, to the dialog unit.
    QPointer<SplashScreen> next = openSplash();
    const platform::DialogUnits du(next->font());
    EXPECT_EQ(next->pos(), QPoint(du.x(du.toX(40)), du.y(du.toY(50))));
    next->close();
}

TEST_F(SplashTest, LosingTheFocusClosesIt) {
    QPointer<SplashScreen> splash = openActive();
    frame.activateWindow();
    QTRY_VERIFY(splash.isNull());
}

TEST_F(SplashTest, ASecondSplashTakesTheFocusAndTheFirstCloses) {
    QPointer<SplashScreen> first = openActive();
    QPointer<SplashScreen> second = openActive();
    QTRY_VERIFY(first.isNull());
    EXPECT_FALSE(second.isNull());
    second->close();
}

TEST_F(SplashTest, ClosesByItselfAfterItsTime) {
    QPointer<SplashScreen> standard = openSplash();
    auto* timer = standard->findChild<QTimer*>(QStringLiteral("CloseTimer"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 99000);
    EXPECT_TRUE(timer->isActive());
    standard->close();

    QPointer<SplashScreen> quick = openSplash(60ms);
    QTest::qWait(20);
    EXPECT_FALSE(quick.isNull());
    QTRY_VERIFY_WITH_TIMEOUT(quick.isNull(), 2000);
}

TEST_F(SplashTest, LinkOpensTheWebSiteAndF1ShowsTheContents) {
    QPointer<SplashScreen> splash = openActive();
    auto* site = splash->findChild<QLabel*>(QStringLiteral("STRINGCOM"));
    EXPECT_EQ(site->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(site->font().underline());
    EXPECT_FALSE(site->cursor().pixmap().isNull());
    QTest::mouseClick(site, Qt::LeftButton);
    ASSERT_EQ(program.browser.opened.size(), 1);
    EXPECT_EQ(program.browser.opened.first(), QUrl(SplashScreen::webAddress()));

    QTest::keyClick(splash.data(), Qt::Key_F1);
    ASSERT_EQ(program.help.topics.size(), 1);
    EXPECT_TRUE(program.help.topics.first().isEmpty());
    splash->close();
}

// A browser that cannot start and says so in a real message box, as the program's own does.
class FailingBrowser : public platform::Browser {
public:
    bool open(const QUrl&) override {
        QTimer::singleShot(300, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->accept();
        });
        QMessageBox box(QMessageBox::Information, QStringLiteral("Web Browser"), QStringLiteral("failed"),
                        QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
        return false;
    }
};

TEST_F(SplashTest, BrowserFailureReportStaysOverAnOpenSplash) {
    FailingBrowser failing;
    program.services.browser = &failing;
    QPointer<SplashScreen> splash = openActive();
    QTest::mouseClick(splash->findChild<QLabel*>(QStringLiteral("STRINGCOM")), Qt::LeftButton);
    QTest::qWait(300);
    EXPECT_FALSE(splash.isNull()) << "the report is not the user leaving the splash screen";
    if (splash)
        splash->close();
}

} // namespace
