#include "program.h"

#include "mainframe.h"
#include "platform/browser.h"
#include "platform/desktop.h"
#include "platform/dialogunits.h"
#include "platform/export/exporttypes.h"
#include "platform/helpviewer.h"
#include "platform/messageservice.h"
#include "platform/session.h"
#include "platform/settings.h"
#include "platform/textmatcher.h"
#include "platform/traylink.h"
#include "resources/resourcepaths.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QIcon>
#include <QProgressDialog>

namespace nm::shell {

Program::Program(ListLaunchers launchers) : Program(std::move(launchers), Parts{}) {}

Program::Program(ListLaunchers launchers, Parts parts)
    : m_launchers(std::move(launchers)), m_parts(std::move(parts)),
      m_exportTexts(std::make_unique<platform::ExportTexts>()), m_matcher(std::make_unique<platform::TextMatcher>()) {
    // The program-wide objects come first, before the first session's steps.
    if (!m_parts.messages)
        m_parts.messages = std::make_unique<platform::DialogMessageService>();
    if (!m_parts.help)
        m_parts.help = std::make_unique<platform::HelpWindowViewer>();
    if (!m_parts.browser)
        m_parts.browser = std::make_unique<platform::DesktopBrowser>(*m_parts.messages);
    if (!m_parts.tray)
        m_parts.tray = std::make_unique<platform::SystemTrayLink>();
    if (!m_parts.desktop)
        m_parts.desktop = std::make_unique<platform::SystemDesktop>();
    m_services.messages = m_parts.messages.get();
    m_services.help = m_parts.help.get();
    m_services.browser = m_parts.browser.get();
    m_services.tray = m_parts.tray.get();
    m_services.exportTexts = m_exportTexts.get();
}

Program::~Program() {
    // The frame and its windows go before the sessions and services they use.
    m_frame.reset();
    m_session.reset();
    m_upgradeWindow.reset();
}

std::unique_ptr<platform::Session> Program::newSession() {
    auto session = std::make_unique<platform::Session>(*m_services.messages);
    if (m_upgradeRegistered)
        session->store().setUpgradeProgress(
            [this](const QString& fileName, double fraction) { showUpgradeProgress(fileName, fraction); });
    return session;
}

void Program::showUpgradeProgress(const QString& fileName, double fraction) {
    if (!m_upgradeWindow) {
        m_upgradeWindow = std::make_unique<QProgressDialog>();
        m_upgradeWindow->setObjectName(QStringLiteral("UpgradeProgress"));
        m_upgradeWindow->setWindowTitle(QStringLiteral("Nutrimap"));
        m_upgradeWindow->setCancelButton(nullptr);
        m_upgradeWindow->setRange(0, 100);
        m_upgradeWindow->setMinimumDuration(0);
    }
    m_upgradeWindow->setLabelText(QFileInfo(fileName).fileName());
    m_upgradeWindow->setValue(int(fraction * 100.0 + 0.5));
    if (fraction >= 1.0)
        m_upgradeWindow->reset();
    // Lets the bar repaint while the store works; input stays with the store's caller.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Program::setUpMessages() {
    // Messages name the window that raises them; nothing is registered before the frame opens.
}

void Program::setUpTextMatcher() {
    m_matcher->setUp({/*ignoreCase*/ true, /*wholeWordsOnly*/ false});
}

void Program::setUpSettings() {
    m_settings = std::make_unique<platform::SettingsService>(m_parts.settingsFile);
    m_services.settings = m_settings.get();
}

void Program::setUpDataStore() {
    m_session = std::make_unique<platform::Session>(*m_services.messages);
}

void Program::setProgramIcon() {
    QApplication::setWindowIcon(QIcon(res::sunIcon()));
}

void Program::createUpgradeService() {
    m_upgradeCreated = true;
}

bool Program::upgradeRegistered() const {
    return m_upgradeRegistered;
}

void Program::registerUpgrade() {
    // The store knows each table's structure version; registering means its upgrades report progress
    // in the wait window from now on.
    m_upgradeRegistered = m_upgradeCreated;
    if (m_upgradeRegistered)
        m_session->store().setUpgradeProgress(
            [this](const QString& fileName, double fraction) { showUpgradeProgress(fileName, fraction); });
}

bool Program::fullWindowDrag() {
    return m_parts.desktop->fullWindowDrag();
}

void Program::setFullWindowDrag(bool on) {
    m_parts.desktop->setFullWindowDrag(on);
}

int Program::runMainFrame() {
    m_frame = std::make_unique<Main>(m_services, *m_session, m_launchers);
    m_frame->setSessionFactory([this] { return newSession(); });
    m_frame->setSplashOnOpen(m_parts.splashOnOpen);
    // The frame ends the run, not the last window: help or a splash screen may outlive it for a moment.
    const bool quitOnLast = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(
        m_frame.get(), &Main::closed, qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    m_frame->open();
    const int status = QApplication::exec();
    QApplication::setQuitOnLastWindowClosed(quitOnLast);
    m_frame.reset();
    return status;
}

void Program::shutDownSettings() {
    if (m_settings)
        m_settings->shutdown();
}

void Program::shutDownTextMatcher() {
    m_matcher->shutDown();
}

} // namespace nm::shell
