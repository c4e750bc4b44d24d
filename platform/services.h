#pragma once
// The program-wide services, built once at start-up and handed to every window; tests build their own
// with scripted or fake members.

namespace nm::platform {

class MessageService;
class SettingsService;
class HelpViewer;
class Browser;
class TrayLink;
struct ExportTexts;

struct Services {
    MessageService* messages = nullptr;
    SettingsService* settings = nullptr;
    HelpViewer* help = nullptr;     // shows a topic such as "Nutrimap.chm::/searching_the_list.htm"
    Browser* browser = nullptr;     // opens a web address; reports failure
    TrayLink* tray = nullptr;
    const ExportTexts* exportTexts = nullptr;   // the list export's window texts; the standard ones when null
};

}  // namespace nm::platform
