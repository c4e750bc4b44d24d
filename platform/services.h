#pragma once
// The program-wide services, built once at start-up and handed to every window; tests build their own
// with scripted or fake members.

namespace nm::platform {

class MessageService;
class SettingsService;
class HelpViewer;
class Browser;
class TrayLink;

struct Services {
    MessageService* messages = nullptr;
    SettingsService* settings = nullptr;
    HelpViewer* help = nullptr;     // shows a topic such as "Nutrimap.chm::/searching_the_list.htm"
    Browser* browser = nullptr;     // opens a web address; reports failure
    TrayLink* tray = nullptr;
};

}  // namespace nm::platform
