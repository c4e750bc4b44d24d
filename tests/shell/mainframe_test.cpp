// The main frame: its menu tree, status-bar clock, list windows in sessions of their own, closing, help
// and the tray.
#include "shelltesting.h"

#include "platform/dialogunits.h"
#include "shell/mainframe.h"
#include "shell/splashscreen.h"

#include <gtest/gtest.h>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace nm;
using nm::shell::ListLaunchers;
using nm::shell::Main;

namespace {

// A stand-in list window: it owns its session, as the real lists do, and can refuse to close.
class FakeList : public QWidget {
public:
    FakeList(std::unique_ptr<platform::Session> own, const QString& title, std::function<void()> onClose = {})
        : session(std::move(own)), m_onClose(std::move(onClose)) {
        setWindowTitle(title);
    }
    std::unique_ptr<platform::Session> session;
    bool refuseClose = false;

protected:
    void closeEvent(QCloseEvent* event) override {
        if (m_onClose)
            m_onClose();
        if (refuseClose)
            event->ignore();
        else
            event->accept();
    }

private:
    std::function<void()> m_onClose;
};

class MainTest : public ::testing::Test {
protected:
    void SetUp() override {
        launchers.foods = [this](platform::Services& services, std::unique_ptr<platform::Session> session) {
            EXPECT_EQ(&services, &program.services);
            sessions.append(session.get());
            auto* list = new FakeList(std::move(session), QStringLiteral("Browse Foods... "), [this] {
                // The frame's own position is saved only after its document windows have closed.
                savedBeforeListClosed =
                    savedBeforeListClosed || program.entry("Main", "Maximize").has_value();
            });
            lists.append(list);
            return list;
        };
        launchers.groups = [](platform::Services&, std::unique_ptr<platform::Session>) -> QWidget* {
            return nullptr;
        };
        frame = std::make_unique<Main>(program.services, firstSession, launchers);
        frame->setSessionFactory([this] { return program.newSession(); });
        frame->setSplashOnOpen(false);
        frame->setClock([this] { return now; });
    }
    QAction* action(const char* useName) const {
        return frame->menuBar()->findChild<QAction*>(QString::fromLatin1(useName));
    }
    QMenu* menuNamed(const QString& title) const {
        for (QAction* a : frame->menuBar()->actions())
            if (a->text() == title)
                return a->menu();
        return nullptr;
    }
    QString zone(const char* name) const {
        return frame->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }

    shelltest::FakeProgram program;
    platform::Session firstSession{program.messages, program.dir.path()};
    ListLaunchers launchers;
    QList<platform::Session*> sessions;
    QList<QPointer<FakeList>> lists;
    bool savedBeforeListClosed = false;
    QDateTime now{QDate(2007, 1, 7), QTime(9, 5)};
    std::unique_ptr<Main> frame;
};

TEST_F(MainTest, FrameWindowProperties) {
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Nutrimap"));
    EXPECT_FALSE(frame->windowIcon().isNull());
    EXPECT_EQ(frame->font().pointSize(), 8);
    const platform::DialogUnits du(frame->font());
    EXPECT_EQ(frame->size(), du.size(643, 397));
    EXPECT_NE(qobject_cast<QMdiArea*>(frame->centralWidget()), nullptr);
}

TEST_F(MainTest, MenuTreeTextsUseNamesAndTips) {
    const struct {
        const char* menu;
        const char* text;
        const char* useName;
        const char* tip;
    } entries[] = {
        {"&File", "P&rint Setup...", "PRINTSETUP", "Setup Printer"},
        {"&File", "E&xit", "EXIT", "Exit this application"},
        {"&Recipes and Lists", "Browse &Recipe List", "RECIPIESBROWSERECEPIELIST", ""},
        {"&Recipes and Lists", "Browse &Food List", "LISTANDMAINTAINMAINTAINFOODLIST", ""},
        {"&Recipes and Lists", "Maintain Food &Group List", "BROWSEMAINTAINJOBSLIST", ""},
        {"&Window", "T&ile", "TILE", "Make all open windows visible"},
        {"&Window", "&Cascade", "CASCADE", "Stack all open windows"},
        {"&Window", "&Arrange Icons", "ARRANGE", "Align all window icons"},
        {"&Help", "&Contents", "HELPINDEX", "View the contents of the help file"},
        {"&Help", "&About", "HELPABOUT", ""},
    };
    for (const auto& e : entries) {
        QMenu* menu = menuNamed(QString::fromLatin1(e.menu));
        ASSERT_NE(menu, nullptr) << e.menu;
        QAction* a = menu->findChild<QAction*>(QString::fromLatin1(e.useName));
        if (!a)
            for (QAction* candidate : menu->actions())
                if (candidate->objectName() == QLatin1String(e.useName))
                    a = candidate;
        ASSERT_NE(a, nullptr) << e.useName;
        EXPECT_TRUE(menu->actions().contains(a)) << e.useName;
        EXPECT_EQ(a->text(), QString::fromLatin1(e.text));
        EXPECT_EQ(a->statusTip(), QString::fromLatin1(e.tip)) << e.useName;
    }

    QStringList titles;
    for (QAction* a : frame->menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, QStringList({QStringLiteral("&File"), QStringLiteral("&Recipes and Lists"),
                                   QStringLiteral("&Window"), QStringLiteral("&Help")}));
    EXPECT_EQ(menuNamed(QStringLiteral("&File"))->objectName(), QStringLiteral("FILEMENU"));
    EXPECT_EQ(menuNamed(QStringLiteral("&Recipes and Lists"))->objectName(), QStringLiteral("RECIPIES"));
    EXPECT_EQ(menuNamed(QStringLiteral("&Window"))->menuAction()->statusTip(),
              QStringLiteral("Create and Arrange windows"));
    EXPECT_EQ(menuNamed(QStringLiteral("&Help"))->menuAction()->statusTip(), QStringLiteral("Windows Help"));

    // Separators where the tree has them.
    auto shape = [](QMenu* menu) {
        QStringList s;
        for (QAction* a : menu->actions())
            s << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return s;
    };
    EXPECT_EQ(shape(menuNamed(QStringLiteral("&File"))),
              QStringList({QStringLiteral("PRINTSETUP"), QStringLiteral("-"), QStringLiteral("EXIT")}));
    EXPECT_EQ(shape(menuNamed(QStringLiteral("&Recipes and Lists"))),
              QStringList({QStringLiteral("RECIPIESBROWSERECEPIELIST"), QStringLiteral("-"),
                           QStringLiteral("LISTANDMAINTAINMAINTAINFOODLIST"), QStringLiteral("-"),
                           QStringLiteral("BROWSEMAINTAINJOBSLIST")}));
    EXPECT_EQ(shape(menuNamed(QStringLiteral("&Help"))),
              QStringList({QStringLiteral("HELPINDEX"), QStringLiteral("-"), QStringLiteral("HELPABOUT")}));
}

TEST_F(MainTest, HighlightedEntryShowsItsTipInTheStatusBar) {
    frame->open();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(frame.get(), Qt::Key_F, Qt::AltModifier);
    QMenu* file = menuNamed(QStringLiteral("&File"));
    QTRY_VERIFY(file->isVisible());
    QTest::keyClick(file, Qt::Key_Down);
    if (file->activeAction() != action("EXIT"))
        QTest::keyClick(file, Qt::Key_Down);
    ASSERT_EQ(file->activeAction(), action("EXIT"));
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("Exit this application"));
    QTest::keyClick(file, Qt::Key_Up);
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("Setup Printer"));
    QTest::keyClick(file, Qt::Key_Escape);
}

TEST_F(MainTest, ClockZonesWrittenBeforeTheLoopAndEverySecond) {
    frame->open();
    EXPECT_EQ(zone("StatusZone3"), QStringLiteral("Sunday, January  7, 2007"));
    EXPECT_EQ(zone("StatusZone4"), QStringLiteral(" 9:05AM"));
    EXPECT_EQ(frame->findChild<QTimer*>(QStringLiteral("ClockTimer"))->interval(), 1000);
    now = QDateTime(QDate(2007, 1, 8), QTime(12, 30));
    QTRY_COMPARE_WITH_TIMEOUT(zone("StatusZone4"), QStringLiteral("12:30PM"), 3000);
    EXPECT_EQ(zone("StatusZone3"), QStringLiteral("Monday, January  8, 2007"));
}

TEST_F(MainTest, OpeningTakesTheRequestAndNamesTheProcedure) {
    firstSession.request = platform::Request::View;
    firstSession.response = platform::Response::Completed;
    frame->open();
    EXPECT_EQ(firstSession.request, platform::Request::None);
    EXPECT_EQ(firstSession.response, platform::Response::None);
    EXPECT_EQ(program.messages.currentProcedure(), Main::procedureName());
    frame->close();
    EXPECT_TRUE(program.messages.currentProcedure().isEmpty());
}

TEST_F(MainTest, EachListOpensInASessionOfItsOwnInsideTheFrame) {
    frame->open();
    action("LISTANDMAINTAINMAINTAINFOODLIST")->trigger();
    action("LISTANDMAINTAINMAINTAINFOODLIST")->trigger();
    ASSERT_EQ(lists.size(), 2);
    ASSERT_EQ(sessions.size(), 2);
    EXPECT_NE(sessions.at(0), sessions.at(1));
    EXPECT_NE(sessions.at(0), &firstSession);
    EXPECT_EQ(lists.at(0)->session.get(), sessions.at(0));
    const QList<QMdiSubWindow*> windows = frame->mdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_TRUE(windows.at(0)->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_TRUE(lists.at(1)->isVisible());

    // Launchers not there yet, or one that builds nothing, change nothing.
    action("RECIPIESBROWSERECEPIELIST")->trigger();
    action("BROWSEMAINTAINJOBSLIST")->trigger();
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 2);

    // The Window menu lists the open windows after its own entries; choosing one activates it.
    QMenu* window = menuNamed(QStringLiteral("&Window"));
    emit window->aboutToShow();
    QStringList texts;
    for (QAction* a : window->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(texts,
              QStringList({QStringLiteral("T&ile"), QStringLiteral("&Cascade"),
                           QStringLiteral("&Arrange Icons"), QStringLiteral("-"),
                           QStringLiteral("&1 Browse Foods..."), QStringLiteral("&2 Browse Foods...")}));
    window->actions().at(4)->trigger();
    EXPECT_EQ(frame->mdiArea()->activeSubWindow(), windows.at(0));

    windows.at(0)->close();
    QTRY_VERIFY(lists.at(0).isNull()); // the window and its session are gone
}

TEST_F(MainTest, TilingWindowsThatCannotShrinkKeepsTheFrameSize) {
    // List windows have minimum sizes of their own, set before they reach the frame.
    launchers.recipes = [](platform::Services&, std::unique_ptr<platform::Session> session) -> QWidget* {
        auto* list = new FakeList(std::move(session), QStringLiteral("Browse Recipes..."));
        list->setMinimumSize(760, 412);
        list->resize(760, 412);
        return list;
    };
    Main wide(program.services, firstSession, launchers);
    wide.setSplashOnOpen(false);
    wide.open();
    const QSize before = wide.size();
    for (int i = 0; i < 2; ++i)
        wide.findChild<QAction*>(QStringLiteral("RECIPIESBROWSERECEPIELIST"))->trigger();
    wide.findChild<QAction*>(QStringLiteral("TILE"))->trigger();
    QTest::qWait(50);
    EXPECT_EQ(wide.size(), before);
}

TEST_F(MainTest, ArrangeIconsLinesUpMinimizedWindowsAlongTheBottom) {
    frame->open();
    for (int i = 0; i < 3; ++i)
        action("LISTANDMAINTAINMAINTAINFOODLIST")->trigger();
    const QList<QMdiSubWindow*> windows = frame->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    windows.at(0)->showMinimized();
    windows.at(2)->showMinimized();
    windows.at(0)->move(300, 20);
    windows.at(2)->move(10, 40);
    action("ARRANGE")->trigger();
    const int bottom = frame->mdiArea()->viewport()->height();
    EXPECT_EQ(windows.at(0)->geometry().bottom() + 1, bottom);
    EXPECT_EQ(windows.at(2)->geometry().bottom() + 1, bottom);
    EXPECT_EQ(windows.at(0)->x(), 0);
    EXPECT_EQ(windows.at(2)->x(), windows.at(0)->width());
}

TEST_F(MainTest, ClosingClosesListsFirstThenSavesTheFramePosition) {
    frame->open();
    action("LISTANDMAINTAINMAINTAINFOODLIST")->trigger();
    frame->move(24, 30);
    action("EXIT")->trigger();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(savedBeforeListClosed);
    const platform::DialogUnits du(frame->font());
    EXPECT_EQ(program.entry("Main", "Maximize"), QStringLiteral("No"));
    EXPECT_EQ(program.entry("Main", "Minimize"), QStringLiteral("No"));
    EXPECT_EQ(program.entry("Main", "XPos"), QString::number(du.toX(24)));
    EXPECT_EQ(program.entry("Main", "Width"), QStringLiteral("643"));
    EXPECT_EQ(program.entry("Main", "Height"), QStringLiteral("397"));
}

TEST_F(MainTest, AListThatStaysOpenKeepsTheFrameOpen) {
    frame->open();
    action("LISTANDMAINTAINMAINTAINFOODLIST")->trigger();
    lists.at(0)->refuseClose = true;
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(program.entry("Main", "Maximize").has_value());
    lists.at(0)->refuseClose = false;
    EXPECT_TRUE(frame->close());
}

TEST_F(MainTest, MaximizedWhenClosedOpensMaximized) {
    frame->open();
    frame->showMaximized();
    frame->close();
    EXPECT_EQ(program.entry("Main", "Maximize"), QStringLiteral("Yes"));
    EXPECT_FALSE(program.entry("Main", "XPos").has_value());

    Main again(program.services, firstSession, launchers);
    again.setSplashOnOpen(false);
    again.open();
    EXPECT_TRUE(again.isMaximized());
}

TEST_F(MainTest, HelpKeysContentsAndAbout) {
    frame->open();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(frame.get(), Qt::Key_F1);
    QTest::keyClick(frame.get(), Qt::Key_F12);
    action("HELPINDEX")->trigger();
    EXPECT_EQ(program.help.topics, QStringList({Main::helpTopic(), Main::helpTopic(), QString()}));
    EXPECT_EQ(Main::helpTopic(), QStringLiteral("Nutrimap.chm::/introduction.htm"));

    action("HELPABOUT")->trigger();
    action("HELPABOUT")->trigger();
    EXPECT_EQ(frame->findChildren<shell::SplashScreen*>().size(), 2)
        << "each About opens another splash screen";
}

TEST_F(MainTest, SplashScreenFollowsTheOpening) {
    frame->setSplashOnOpen(true);
    frame->open();
    QTRY_COMPARE(frame->findChildren<shell::SplashScreen*>().size(), 1);
}

TEST_F(MainTest, MinimizeHidesIntoTheTrayAndDoubleClickBringsItBack) {
    frame->open();
    frame->showMinimized();
    QTRY_VERIFY(program.tray.shown);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(frame->isInTray());
    EXPECT_EQ(program.tray.tip, QStringLiteral("Nutrimap"));
    EXPECT_FALSE(program.tray.icon.isNull());

    program.tray.doubleClick();
    EXPECT_FALSE(program.tray.shown);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(frame->isMinimized());

    // Again, this time back through the popup's "Display".
    frame->showMinimized();
    QTRY_VERIFY(program.tray.shown);
    program.tray.popupMenu()->actions().first()->trigger();
    EXPECT_FALSE(program.tray.shown);
    EXPECT_TRUE(frame->isVisible());

    // A double-click while the frame is shown does nothing.
    program.tray.doubleClick();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(program.tray.removeCalls, 2);
}

TEST_F(MainTest, WithoutATrayTheMinimizedFrameStaysWhereItIs) {
    program.tray.available = false;
    frame->open();
    frame->showMinimized();
    QTest::qWait(50);
    EXPECT_GE(program.tray.addCalls, 1);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->isMinimized());
    EXPECT_FALSE(frame->isInTray());
}

TEST_F(MainTest, ClosingWhileInTheTrayRemovesTheIconAndShowsTheFrameFirst) {
    frame->open();
    frame->showMinimized();
    QTRY_VERIFY(program.tray.shown);
    frame->close();
    EXPECT_FALSE(program.tray.shown);
    EXPECT_EQ(program.entry("Main", "Minimize"), QStringLiteral("No"));
    EXPECT_TRUE(program.entry("Main", "XPos").has_value());
}

} // namespace
