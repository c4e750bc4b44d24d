#pragma once
// Opening a web address in the desktop's default browser.

#include <QUrl>

namespace nm::platform {

class MessageService;

class Browser {
public:
    virtual ~Browser() = default;
    // False when no browser could be started; the real one has then told the user.
    virtual bool open(const QUrl& url) = 0;
};

class DesktopBrowser : public Browser {
public:
    explicit DesktopBrowser(MessageService& messages) : m_messages(messages) {}
    bool open(const QUrl& url) override;

    static QString failureTitle() { return QStringLiteral("Web Browser"); }
    static QString failureText(const QUrl& url);

private:
    MessageService& m_messages;
};

} // namespace nm::platform
