#pragma once
// The main frame's link to the notification area (system tray): an icon with a tip that can be added
// and removed, a left double-click on it, and its popup menu with the single entry "Display".

#include <memory>
#include <QIcon>
#include <QObject>
#include <QString>

class QMenu;
class QSystemTrayIcon;

namespace nm::platform {

class TrayLink : public QObject {
    Q_OBJECT
public:
    TrayLink();
    ~TrayLink() override;

    // Adds the icon; false when the desktop has no tray to add it to.
    virtual bool addIcon(const QIcon& icon, const QString& tip) = 0;
    virtual void removeIcon() = 0;
    virtual bool iconShown() const = 0;

    // The popup menu shown on a right-button click: one entry, "Display".
    QMenu* popupMenu();
    static QString displayText() { return QStringLiteral("Display"); }

signals:
    void doubleClicked(); // left-button double-click on the icon
    void displayChosen(); // "Display" chosen from the popup menu

private:
    std::unique_ptr<QMenu> m_menu;
};

class SystemTrayLink : public TrayLink {
    Q_OBJECT
public:
    SystemTrayLink();
    ~SystemTrayLink() override;
    bool addIcon(const QIcon& icon, const QString& tip) override;
    void removeIcon() override;
    bool iconShown() const override;

private:
    std::unique_ptr<QSystemTrayIcon> m_icon;
};

} // namespace nm::platform
