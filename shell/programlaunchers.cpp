// The one place where the main frame's menu meets the list windows of the other folders.
#include "launchers.h"

// The list windows hold their forms by pointer; the form class must be complete where they are used.
#include "platform/updateform.h"

#include "foods/browsefood.h"
#include "foods/browsejobs.h"
#include "recipes/brrecepies.h"

namespace nm::shell {

ListLaunchers programLaunchers() {
    ListLaunchers launchers;
    launchers.foods = &foods::createBrowseFood;
    launchers.groups = &foods::createBrowseJobs;
    launchers.recipes = &recipes::createBrRecepies;
    return launchers;
}

} // namespace nm::shell
