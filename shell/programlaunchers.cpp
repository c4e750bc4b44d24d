// The one place where the main frame's menu meets the list windows of the other folders.
#include "launchers.h"

namespace nm::shell {

ListLaunchers programLaunchers() {
    ListLaunchers launchers;
    // launchers.foods   = [](platform::Services& s, std::unique_ptr<platform::Session> session) { ... BrowseFood };
    // launchers.groups  = ... BrowseJobs
    // launchers.recipes = ... BrRecepies
    return launchers;
}

}  // namespace nm::shell
