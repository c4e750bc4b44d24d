#pragma once
// Turns a display text into a link: pure blue, underlined, normal weight, the hand cursor over it, and
// a left click opens its web address in the default browser.

#include <QCursor>
#include <QObject>
#include <QUrl>

class QLabel;

namespace nm::platform {

class Browser;

class Hyperlink : public QObject {
    Q_OBJECT
public:
    // The link is the label's child and lives as long as the label.
    Hyperlink(QLabel& label, QUrl url, Browser* browser);

    QUrl url() const { return m_url; }
    static QColor linkColour() { return {0, 0, 255}; }
    static QCursor handCursor(); // the program's own hand cursor

signals:
    void opened(bool ok); // after each click: whether the browser started

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel& m_label;
    QUrl m_url;
    Browser* m_browser;
};

} // namespace nm::platform
