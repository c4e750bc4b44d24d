#pragma once
// Fakes of the desktop services for tests: they record what the program asked of them.

#include "browser.h"
#include "desktop.h"
#include "helpviewer.h"
#include "traylink.h"

#include <QStringList>
#include <QUrl>

namespace nm::platform {

class FakeHelpViewer : public HelpViewer {
public:
    void showTopic(const QString& topic) override { topics.append(topic); }
    QStringList topics;
};

class FakeBrowser : public Browser {
public:
    bool open(const QUrl& url) override {
        opened.append(url);
        return succeeds;
    }
    QList<QUrl> opened;
    bool succeeds = true;
};

// A tray that is there unless `available` is false; the test plays the user's clicks on the icon.
class FakeTrayLink : public TrayLink {
public:
    bool addIcon(const QIcon& iconShownInTray, const QString& tipShown) override {
        ++addCalls;
        if (!available)
            return false;
        shown = true;
        icon = iconShownInTray;
        tip = tipShown;
        return true;
    }
    void removeIcon() override {
        if (shown)
            ++removeCalls;
        shown = false;
    }
    bool iconShown() const override { return shown; }

    void doubleClick() { emit doubleClicked(); }

    bool available = true;
    bool shown = false;
    QIcon icon;
    QString tip;
    int addCalls = 0;
    int removeCalls = 0;
};

class FakeDesktop : public Desktop {
public:
    explicit FakeDesktop(bool dragOn = false) : on(dragOn) {}
    bool fullWindowDrag() const override { return on; }
    void setFullWindowDrag(bool value) override {
        on = value;
        changes.append(value);
    }
    bool on;
    QList<bool> changes;
};

} // namespace nm::platform
