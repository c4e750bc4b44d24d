#pragma once
// The splash screen `SplashScreen`: the program's pictures, the notice line with year and version, the
// support address and a link to the web site. It closes itself on "&Continue...", when it loses the
// focus, or after 99 seconds. Each one has a session of its own and ends it when it closes.

#include "platform/services.h"
#include "platform/session.h"

#include <chrono>
#include <memory>
#include <QWidget>

class QTimer;

namespace nm::shell {

class SplashScreen : public QWidget {
    Q_OBJECT
public:
    static QString procedureName() { return QStringLiteral("SplashScreen"); }
    static constexpr std::chrono::milliseconds kCloseAfter{99'000};
    static QString supportAddress() { return QStringLiteral("support@nutrimap.example"); }
    static QString webAddress() { return QStringLiteral("https://www.nutrimap.example/"); }
    static QString noticeLine();

    SplashScreen(platform::Services& services, std::unique_ptr<platform::Session> session, QWidget* parent,
                 std::chrono::milliseconds closeAfter = kCloseAfter);
    ~SplashScreen() override;

    // Opens the window: procedure name, link, position restored, close timer, help link; then shown and
    // given the focus.
    void open();
    platform::Session& session() { return *m_session; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void requestClose();

    platform::Services& m_services;
    std::unique_ptr<platform::Session> m_session;
    std::chrono::milliseconds m_closeAfter;
    QTimer* m_closeTimer = nullptr;
    bool m_opened = false;
    bool m_wasActive = false;
    bool m_closing = false;
};

} // namespace nm::shell
