#include "traylink.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace nm::platform {

TrayLink::TrayLink() = default;
TrayLink::~TrayLink() = default;

QMenu* TrayLink::popupMenu() {
    if (!m_menu) {
        m_menu = std::make_unique<QMenu>();
        m_menu->setObjectName(QStringLiteral("TrayMenu"));
        QAction* display = m_menu->addAction(displayText());
        display->setObjectName(QStringLiteral("DISPLAY"));
        connect(display, &QAction::triggered, this, &TrayLink::displayChosen);
    }
    return m_menu.get();
}

SystemTrayLink::SystemTrayLink() = default;
SystemTrayLink::~SystemTrayLink() = default;

bool SystemTrayLink::addIcon(const QIcon& icon, const QString& tip) {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    if (!m_icon) {
        m_icon = std::make_unique<QSystemTrayIcon>();
        // Qt shows the context menu itself, at the mouse position, on a right-button click.
        m_icon->setContextMenu(popupMenu());
        connect(m_icon.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason why) {
                    if (why == QSystemTrayIcon::DoubleClick)
                        emit doubleClicked();
                });
    }
    m_icon->setIcon(icon);
    m_icon->setToolTip(tip);
    m_icon->show();
    return m_icon->isVisible();
}

void SystemTrayLink::removeIcon() {
    if (m_icon)
        m_icon->hide();
}

bool SystemTrayLink::iconShown() const {
    return m_icon && m_icon->isVisible();
}

} // namespace nm::platform
