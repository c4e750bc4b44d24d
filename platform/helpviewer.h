#pragma once
// Help: the viewer that shows the program's help pages, and the help link through which a window's F1
// (and F12) opens the viewer on the window's topic or on the topic of the control that has the focus.
//
// Topics are written as the help file names them, "Nutrimap.chm::/searching_the_list.htm"; the file
// name alone, or an empty topic, stands for the table of contents.

#include <memory>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;
class QTextBrowser;

namespace nm::platform {

inline QString helpFileName() {
    return QStringLiteral("nutrimap.chm");
}

// The page a topic names ("searching_the_list.htm", with any "#anchor"), or empty for the contents.
QString helpPageOf(const QString& topic);

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void showTopic(const QString& topic) = 0;
    void showContents() { showTopic(QString()); }
};

// Our own help window over the pages compiled into the program. One window serves every request; a
// topic that names no page shows a page saying so, and the program goes on.
class HelpWindowViewer : public HelpViewer {
public:
    HelpWindowViewer();
    ~HelpWindowViewer() override;
    void showTopic(const QString& topic) override;

    QWidget* window() const; // the help window once shown, else nullptr
    QTextBrowser* browser() const;

private:
    struct Window;
    std::unique_ptr<Window> m_window;
};

// A window's help link: created when the window opens, destroyed with it (it is the window's child).
// F1 and F12 pressed anywhere in the window, unless a control inside uses the key itself, show the
// topic of the focused control (or of the nearest of its parents that has one), else the window's.
class HelpLink : public QObject {
    Q_OBJECT
public:
    HelpLink(QWidget& window, HelpViewer* viewer, QString topic = QString());
    ~HelpLink() override;

    void setControlTopic(QWidget* control, const QString& topic);
    QString topic() const { return m_topic; }
    QString topicFor(const QWidget* focus) const;
    void showHelp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
    HelpViewer* m_viewer;
    QString m_topic;
    QHash<const QWidget*, QString> m_controlTopics;
};

} // namespace nm::platform
