// The hyperlink and browser, the tray link's popup menu, the desktop drag setting and the text matcher.
#include "platform/browser.h"
#include "platform/desktop.h"
#include "platform/dialogunits.h"
#include "platform/fakeservices.h"
#include "platform/hyperlink.h"
#include "platform/scriptedmessages.h"
#include "platform/textmatcher.h"
#include "platform/traylink.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace nm::platform;

namespace {

TEST(Hyperlink, LooksLikeALinkAndOpensItsAddressOnClick) {
    QLabel label(QStringLiteral("https://www.nutrimap.example/"));
    label.resize(200, 20);
    QFont bold = label.font();
    bold.setBold(true);
    label.setFont(bold);
    FakeBrowser browser;
    auto* link = new Hyperlink(label, QUrl(QStringLiteral("https://www.nutrimap.example/")), &browser);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(label.font().underline());
    EXPECT_FALSE(label.font().bold());
    EXPECT_NE(label.cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(label.cursor().pixmap().isNull()) << "the program's own hand cursor";

    QSignalSpy opened(link, &Hyperlink::opened);
    label.show();
    QTest::mouseClick(&label, Qt::RightButton);
    EXPECT_TRUE(browser.opened.isEmpty());
    QTest::mouseClick(&label, Qt::LeftButton);
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.first(), QUrl(QStringLiteral("https://www.nutrimap.example/")));
    browser.succeeds = false;
    QTest::mouseClick(&label, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_TRUE(opened.at(0).at(0).toBool());
    EXPECT_FALSE(opened.at(1).at(0).toBool());
}

TEST(DesktopBrowser, ReportsWhenNoBrowserStarts) {
    ScriptedMessages messages;
    DesktopBrowser browser(messages);
    EXPECT_FALSE(browser.open(QUrl()));
    ASSERT_EQ(messages.entries().size(), 1);
    EXPECT_EQ(messages.entries().first().kind, ScriptedMessages::Kind::Notice);
    EXPECT_EQ(messages.entries().first().title, DesktopBrowser::failureTitle());
}

TEST(TrayLink, PopupHasOnlyDisplayAndChoosingItSignals) {
    FakeTrayLink tray;
    QMenu* menu = tray.popupMenu();
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("Display"));
    QSignalSpy chosen(&tray, &TrayLink::displayChosen);
    menu->actions().first()->trigger();
    EXPECT_EQ(chosen.size(), 1);
}

TEST(SystemTrayLink, WithoutATrayTheIconIsNotAdded) {
    // The offscreen platform has no notification area, like a desktop without a tray.
    SystemTrayLink tray;
    EXPECT_FALSE(tray.addIcon(QIcon(), QStringLiteral("Nutrimap")));
    EXPECT_FALSE(tray.iconShown());
    tray.removeIcon();
}

TEST(SystemDesktop, ReportsFullWindowDragOffWhereThereIsNoSuchSetting) {
    SystemDesktop desktop;
    EXPECT_FALSE(desktop.fullWindowDrag());
    desktop.setFullWindowDrag(false);
    EXPECT_FALSE(desktop.fullWindowDrag());
}

TEST(TextMatcher, ApproximateMatchesIgnoreCaseAndNeedNotBeWholeWords) {
    TextMatcher matcher;
    EXPECT_EQ(matcher.distance(QStringLiteral("a"), QStringLiteral("a")), -1) << "not set up yet";
    matcher.setUp({true, false});
    const struct {
        const char* pattern;
        const char* text;
        int distance;
    } cases[] = {
        {"apple", "Green APPLE pie", 0}, {"aple", "Apple", 1}, {"brocoli", "Broccoli, raw", 1},
        {"pine", "Pineapple", 0},        {"xyz", "Apple", 3},  {"", "anything", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matcher.distance(QString::fromUtf8(c.pattern), QString::fromUtf8(c.text)), c.distance)
            << c.pattern;

    matcher.setUp({true, true});
    EXPECT_EQ(matcher.distance(QStringLiteral("pine"), QStringLiteral("Pineapple")), 5);
    EXPECT_EQ(matcher.distance(QStringLiteral("pine"), QStringLiteral("Pine nuts")), 0);
    matcher.shutDown();
    EXPECT_FALSE(matcher.isSetUp());
}

TEST(DialogUnits, TahomaEightGivesTheMeasuredBaseUnitsAndPositionsRoundTrip) {
    const QFont font = windowFont();
    EXPECT_EQ(font.pointSize(), 8);
    const DialogUnits du(font);
    if (font.family() == QStringLiteral("Tahoma")) {
        EXPECT_EQ(du.baseX(), 6);
        EXPECT_EQ(du.baseY(), 11);
        EXPECT_EQ(du.size(643, 397), QSize(965, 546));
    }
    for (int v = 0; v < 2000; ++v) {
        ASSERT_EQ(du.toX(du.x(v)), v);
        ASSERT_EQ(du.toY(du.y(v)), v);
    }
}

} // namespace
