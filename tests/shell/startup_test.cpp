// Start-up and shut-down: the order of the steps, the drag setting, and a whole run of the program on
// fakes ending with status 0 after Exit.
#include "shelltesting.h"

#include "platform/textmatcher.h"
#include "shell/mainframe.h"
#include "shell/program.h"
#include "shell/splashscreen.h"
#include "shell/startup.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTimer>

using namespace nm;

namespace {

class RecordingSteps : public shell::StartupSteps {
public:
    explicit RecordingSteps(bool dragOn) : m_drag(dragOn) {}
    void setUpMessages() override { log << QStringLiteral("messages"); }
    void setUpTextMatcher() override { log << QStringLiteral("matcher"); }
    void setUpSettings() override { log << QStringLiteral("settings"); }
    void setUpDataStore() override { log << QStringLiteral("store"); }
    void setProgramIcon() override { log << QStringLiteral("icon"); }
    void createUpgradeService() override { log << QStringLiteral("upgrade"); }
    bool upgradeRegistered() const override { return registered; }
    void registerUpgrade() override { log << QStringLiteral("register"); }
    bool fullWindowDrag() override {
        log << QStringLiteral("drag?");
        return m_drag;
    }
    void setFullWindowDrag(bool on) override {
        m_drag = on;
        log << (on ? QStringLiteral("drag on") : QStringLiteral("drag off"));
    }
    int runMainFrame() override {
        log << QStringLiteral("main");
        return 0;
    }
    void shutDownSettings() override { log << QStringLiteral("settings down"); }
    void shutDownTextMatcher() override { log << QStringLiteral("matcher down"); }

    QStringList log;
    bool registered = false;

private:
    bool m_drag;
};

TEST(StartUp, StepsInOrderAndDragSwitchedOnlyWhenItWasOn) {
    const QStringList head = {QStringLiteral("messages"), QStringLiteral("matcher"),
                              QStringLiteral("settings"), QStringLiteral("store"),
                              QStringLiteral("icon"),     QStringLiteral("upgrade")};
    RecordingSteps off(false);
    EXPECT_EQ(shell::runStartUp(off), 0);
    EXPECT_EQ(off.log,
              head + QStringList({QStringLiteral("register"), QStringLiteral("drag?"), QStringLiteral("main"),
                                  QStringLiteral("settings down"), QStringLiteral("matcher down")}));

    RecordingSteps on(true);
    on.registered = true; // registration is made once per run
    shell::runStartUp(on);
    EXPECT_EQ(on.log, head + QStringList({QStringLiteral("drag?"), QStringLiteral("drag off"),
                                          QStringLiteral("main"), QStringLiteral("drag on"),
                                          QStringLiteral("settings down"), QStringLiteral("matcher down")}));
}

struct RunResult {
    int status = -1;
    QList<bool> dragChanges;
    bool matcherSetUpDuringRun = false;
    bool matcherSetUpAfter = true;
    bool iconSet = false;
    int splashScreens = 0;
};

RunResult runProgram(const QString& settingsFile, bool dragOn) {
    RunResult result;
    auto desktop = std::make_unique<platform::FakeDesktop>(dragOn);
    platform::FakeDesktop* drag = desktop.get();
    shell::Program::Parts parts;
    parts.messages = std::make_unique<platform::ScriptedMessages>();
    parts.help = std::make_unique<platform::FakeHelpViewer>();
    parts.browser = std::make_unique<platform::FakeBrowser>();
    parts.tray = std::make_unique<platform::FakeTrayLink>();
    parts.desktop = std::move(desktop);
    parts.settingsFile = settingsFile;
    shell::Program program({}, std::move(parts));
    QTimer::singleShot(300, qApp, [&] {
        result.matcherSetUpDuringRun = program.textMatcher().isSetUp();
        result.iconSet = !QApplication::windowIcon().isNull();
        result.splashScreens = int(program.mainFrame()->findChildren<shell::SplashScreen*>().size());
        program.mainFrame()->findChild<QAction*>(QStringLiteral("EXIT"))->trigger();
    });
    result.status = program.run();
    result.dragChanges = drag->changes;
    result.matcherSetUpAfter = program.textMatcher().isSetUp();
    return result;
}

TEST(StartUp, WholeRunEndsWithStatusZeroAfterExitAndLeavesItsSettings) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("timesheet.INI"));
    const RunResult run = runProgram(ini, false);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.dragChanges.isEmpty()) << "a drag setting that was off is never touched";
    EXPECT_TRUE(run.matcherSetUpDuringRun);
    EXPECT_FALSE(run.matcherSetUpAfter);
    EXPECT_TRUE(run.iconSet);
    EXPECT_EQ(run.splashScreens, 1);

    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const platform::IniDocument doc = platform::IniDocument::parse(f.readAll());
    EXPECT_EQ(doc.value(QStringLiteral("Main"), QStringLiteral("Maximize")), QStringLiteral("No"));
    EXPECT_EQ(doc.value(QStringLiteral("Main"), QStringLiteral("Width")), QStringLiteral("643"));
    EXPECT_EQ(doc.value(QStringLiteral("SplashScreen"), QStringLiteral("Maximize")), QStringLiteral("No"))
        << "the splash screen still open at the end saves its position too";
    EXPECT_EQ(doc.value(QStringLiteral("__Dont_Touch_Me__"), QStringLiteral("Sectors")), QStringLiteral("2"));

    const RunResult dragOn = runProgram(ini, true);
    EXPECT_EQ(dragOn.status, 0);
    EXPECT_EQ(dragOn.dragChanges, QList<bool>({false, true}));
}

} // namespace
