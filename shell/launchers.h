#pragma once
// How the main frame opens the three list windows. Each launcher builds its list window for a session
// of its own and hands the window back; the window owns the session and ends it when it closes. The main
// frame places the window in its document area. An empty launcher leaves its menu entry without effect.

#include "platform/services.h"
#include "platform/session.h"

#include <functional>
#include <memory>
#include <QWidget>

namespace nm::shell {

using ListLauncher = std::function<QWidget*(platform::Services&, std::unique_ptr<platform::Session>)>;

struct ListLaunchers {
    ListLauncher foods;   // BrowseFood: "Browse &Food List"
    ListLauncher groups;  // BrowseJobs: "Maintain Food &Group List"
    ListLauncher recipes; // BrRecepies: "Browse &Recipe List"
};

// The program's own launchers, wired in programlaunchers.cpp beside main().
ListLaunchers programLaunchers();

} // namespace nm::shell
