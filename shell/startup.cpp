#include "startup.h"

namespace nm::shell {

int runStartUp(StartupSteps& steps) {
    steps.setUpMessages();
    steps.setUpTextMatcher();
    steps.setUpSettings();
    steps.setUpDataStore();
    steps.setProgramIcon();
    steps.createUpgradeService();
    if (!steps.upgradeRegistered())
        steps.registerUpgrade();
    const bool dragWasOn = steps.fullWindowDrag();
    if (dragWasOn)
        steps.setFullWindowDrag(false);
    const int status = steps.runMainFrame();
    if (dragWasOn)
        steps.setFullWindowDrag(true);
    steps.shutDownSettings();
    steps.shutDownTextMatcher();
    return status;
}

} // namespace nm::shell
