#pragma once
// The program as it runs: the program-wide services built once, the first session, and the start-up
// steps carried out on them.

#include "launchers.h"
#include "platform/services.h"
#include "startup.h"

#include <memory>
#include <QString>

namespace nm::platform {
class Desktop;
class DialogMessageService;
class MessageService;
class SettingsService;
class Session;
class TextMatcher;
class HelpViewer;
class Browser;
class TrayLink;
} // namespace nm::platform

class QProgressDialog;

namespace nm::platform {
struct ExportTexts;
}

namespace nm::shell {

class Main;

class Program : public StartupSteps {
public:
    // The services a test wants to replace; whatever is left null is built for real.
    struct Parts {
        std::unique_ptr<platform::MessageService> messages;
        std::unique_ptr<platform::HelpViewer> help;
        std::unique_ptr<platform::Browser> browser;
        std::unique_ptr<platform::TrayLink> tray;
        std::unique_ptr<platform::Desktop> desktop;
        QString settingsFile = QStringLiteral("timesheet.INI");
        bool splashOnOpen = true;
    };

    Program(ListLaunchers launchers, Parts parts);
    explicit Program(ListLaunchers launchers);
    ~Program() override;

    int run() { return runStartUp(*this); }

    platform::Services& services() { return m_services; }
    platform::TextMatcher& textMatcher() { return *m_matcher; }
    Main* mainFrame() const { return m_frame.get(); }

    // A fresh session for a window, reporting structure upgrades in a wait window.
    std::unique_ptr<platform::Session> newSession();

    void setUpMessages() override;
    void setUpTextMatcher() override;
    void setUpSettings() override;
    void setUpDataStore() override;
    void setProgramIcon() override;
    void createUpgradeService() override;
    bool upgradeRegistered() const override;
    void registerUpgrade() override;
    bool fullWindowDrag() override;
    void setFullWindowDrag(bool on) override;
    int runMainFrame() override;
    void shutDownSettings() override;
    void shutDownTextMatcher() override;

private:
    void showUpgradeProgress(const QString& fileName, double fraction);

    ListLaunchers m_launchers;
    Parts m_parts;
    platform::Services m_services;
    std::unique_ptr<platform::ExportTexts> m_exportTexts;
    std::unique_ptr<platform::TextMatcher> m_matcher;
    std::unique_ptr<platform::SettingsService> m_settings;
    std::unique_ptr<platform::Session> m_session;
    std::unique_ptr<QProgressDialog> m_upgradeWindow;
    bool m_upgradeCreated = false;
    bool m_upgradeRegistered = false;
    std::unique_ptr<Main> m_frame;
};

} // namespace nm::shell
