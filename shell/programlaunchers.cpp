// The one place where the main frame's menu meets the list windows of the other folders.
#include "launchers.h"

// The list windows hold their forms by pointer; the form class must be complete where they are used.
#include "platform/updateform.h"

#include "foods/browsefood.h"
#include "foods/browsejobs.h"
#if __has_include("recipes/brrecepies.h")
#include "recipes/brrecepies.h"
#define NUTRIMAP_HAS_RECIPE_LIST 1
#endif

namespace nm::shell {

ListLaunchers programLaunchers() {
    ListLaunchers launchers;
    launchers.foods = &foods::createBrowseFood;
    launchers.groups = &foods::createBrowseJobs;
#ifdef NUTRIMAP_HAS_RECIPE_LIST
    launchers.recipes = &recipes::createBrRecepies;
#endif
    return launchers;
}

} // namespace nm::shell
