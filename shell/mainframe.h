#pragma once
// The main frame `Main`: the program's multiple-document window with its menus, status-bar clock and
// tray behaviour. List windows open inside it; the splash screen opens over it.

#include "launchers.h"
#include "platform/services.h"
#include "platform/session.h"

#include <functional>
#include <memory>
#include <QDateTime>
#include <QMainWindow>
#include <QPointer>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QTimer;

namespace nm::platform {
class HelpLink;
}

namespace nm::shell {

class Main : public QMainWindow {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;
    using SessionFactory = std::function<std::unique_ptr<platform::Session>()>;

    static QString procedureName() { return QStringLiteral("Main"); }
    static QString helpTopic() { return QStringLiteral("Nutrimap.chm::/introduction.htm"); }
    static QString trayTip() { return QStringLiteral("Nutrimap"); }

    // `session` is the first session, the frame's own. Sessions for list windows and splash screens
    // come from `newSession` (by default a plain session on the message service).
    Main(platform::Services& services, platform::Session& session, ListLaunchers launchers,
         QWidget* parent = nullptr);
    ~Main() override;

    void setClock(Clock clock) { m_clock = std::move(clock); }
    void setSessionFactory(SessionFactory factory) { m_newSession = std::move(factory); }
    void setSplashOnOpen(bool on) { m_splashOnOpen = on; }

    // Opens the frame: procedure name, request taken, tray link, position restored, help link, clock,
    // then shown; the start-up splash screen follows once the frame is up.
    void open();
    bool isOpened() const { return m_opened; }
    bool isInTray() const { return m_inTray; }

    QMdiArea* mdiArea() const { return m_mdi; }
    QPrinter* printer() const { return m_printer.get(); }
    void refreshClock();

    // Menu commands, also reachable for tests.
    QMdiSubWindow* openList(const ListLauncher& launcher);
    void openSplash();
    void arrangeIcons();
    void restoreFromTray();

signals:
    void closed();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildStatusBar();
    void fillWindowMenu();
    void hideToTray();

    platform::Services& m_services;
    platform::Session& m_session;
    ListLaunchers m_launchers;
    Clock m_clock;
    SessionFactory m_newSession;
    bool m_splashOnOpen = true;
    bool m_opened = false;
    bool m_inTray = false;
    platform::Request m_request = platform::Request::None;

    QMdiArea* m_mdi = nullptr;
    QMenu* m_windowMenu = nullptr;
    QLabel* m_dateZone = nullptr;
    QLabel* m_timeZone = nullptr;
    QTimer* m_clockTimer = nullptr;
    QPointer<platform::HelpLink> m_helpLink;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace nm::shell
