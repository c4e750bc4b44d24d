#pragma once
// Program start-up and shut-down: the order of the steps, and the full-window-drag setting switched off
// for the run and back on afterwards only when it was on.

namespace nm::shell {

class StartupSteps {
public:
    virtual ~StartupSteps() = default;
    virtual void setUpMessages() = 0;    // the message service, with the first session's status
    virtual void setUpTextMatcher() = 0; // letter case ignored, not limited to whole words
    virtual void setUpSettings() = 0;    // on ./timesheet.INI
    virtual void setUpDataStore() = 0;   // the first session's managers and buffers
    virtual void setProgramIcon() = 0;
    virtual void createUpgradeService() = 0;
    virtual bool upgradeRegistered() const = 0;
    virtual void registerUpgrade() = 0;
    virtual bool fullWindowDrag() = 0;
    virtual void setFullWindowDrag(bool on) = 0;
    virtual int runMainFrame() = 0;      // returns when the main frame has closed
    virtual void shutDownSettings() = 0; // rewrites the settings file's index section
    virtual void shutDownTextMatcher() = 0;
};

// Runs the steps in order; the result is the program's exit status.
int runStartUp(StartupSteps& steps);

} // namespace nm::shell
