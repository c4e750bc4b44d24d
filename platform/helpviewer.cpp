#include "helpviewer.h"

#include "resources/resourcepaths.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace nm::platform {

QString helpPageOf(const QString& topic) {
    QString t = topic.trimmed();
    const qsizetype sep = t.indexOf(QLatin1String("::"));
    if (sep < 0) {
        // A bare file name (or nothing) means the table of contents.
        if (t.isEmpty() || t.endsWith(QLatin1String(".chm"), Qt::CaseInsensitive))
            return QString();
    } else {
        t = t.mid(sep + 2);
    }
    while (t.startsWith(QLatin1Char('/')) || t.startsWith(QLatin1Char('\\')))
        t.remove(0, 1);
    return t;
}

struct HelpWindowViewer::Window {
    QWidget widget;
    QTextBrowser* browser = nullptr;
};

HelpWindowViewer::HelpWindowViewer() = default;
HelpWindowViewer::~HelpWindowViewer() = default;

QWidget* HelpWindowViewer::window() const {
    return m_window ? &m_window->widget : nullptr;
}
QTextBrowser* HelpWindowViewer::browser() const {
    return m_window ? m_window->browser : nullptr;
}

void HelpWindowViewer::showTopic(const QString& topic) {
    if (!m_window) {
        m_window = std::make_unique<Window>();
        QWidget& w = m_window->widget;
        w.setObjectName(QStringLiteral("HelpWindow"));
        w.setWindowTitle(QStringLiteral("Nutrimap Help"));
        w.setWindowIcon(QIcon(res::sunIcon()));
        auto* layout = new QVBoxLayout(&w);
        auto* buttons = new QHBoxLayout;
        auto* contents = new QPushButton(QStringLiteral("&Contents"), &w);
        auto* back = new QPushButton(QStringLiteral("&Back"), &w);
        auto* forward = new QPushButton(QStringLiteral("&Forward"), &w);
        buttons->addWidget(contents);
        buttons->addWidget(back);
        buttons->addWidget(forward);
        buttons->addStretch();
        layout->addLayout(buttons);
        m_window->browser = new QTextBrowser(&w);
        m_window->browser->setObjectName(QStringLiteral("HelpBrowser"));
        m_window->browser->setSearchPaths({res::helpFolder()});
        m_window->browser->setOpenExternalLinks(true);
        // Pages are read at length: a size up from the 8-point window font.
        QFont reading = m_window->browser->font();
        reading.setPointSizeF(std::max(10.0, reading.pointSizeF()));
        m_window->browser->setFont(reading);
        layout->addWidget(m_window->browser);
        QTextBrowser* b = m_window->browser;
        back->setEnabled(false);
        forward->setEnabled(false);
        QObject::connect(contents, &QPushButton::clicked, b,
                         [b] { b->setSource(QUrl(res::helpContentsPage())); });
        QObject::connect(back, &QPushButton::clicked, b, &QTextBrowser::backward);
        QObject::connect(forward, &QPushButton::clicked, b, &QTextBrowser::forward);
        QObject::connect(b, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
        QObject::connect(b, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
        w.resize(560, 520);
    }

    QString page = helpPageOf(topic);
    if (page.isEmpty())
        page = res::helpContentsPage();
    QUrl url(page);
    // Page names compare without regard to case, as on the desktop the help file comes from.
    const QString file = url.path().toLower();
    url.setPath(file);
    if (QFile::exists(res::helpFolder() + QLatin1Char('/') + file)) {
        m_window->browser->setSource(url);
    } else {
        m_window->browser->setHtml(
            QStringLiteral("<h2>Help topic not found</h2><p>The help file %1 has no page \"%2\".</p>"
                           "<p><a href=\"%3\">Show the contents</a></p>")
                .arg(helpFileName(), page.toHtmlEscaped(), res::helpContentsPage()));
    }
    QWidget& w = m_window->widget;
    w.show();
    w.raise();
    w.activateWindow();
}

HelpLink::HelpLink(QWidget& window, HelpViewer* viewer, QString topic)
    : QObject(&window), m_window(&window), m_viewer(viewer), m_topic(std::move(topic)) {
    setObjectName(QStringLiteral("HelpLink"));
    window.installEventFilter(this);
}

HelpLink::~HelpLink() {
    if (m_window)
        m_window->removeEventFilter(this);
}

void HelpLink::setControlTopic(QWidget* control, const QString& topic) {
    if (topic.isEmpty())
        m_controlTopics.remove(control);
    else
        m_controlTopics.insert(control, topic);
}

QString HelpLink::topicFor(const QWidget* focus) const {
    for (const QWidget* w = focus; w; w = w->parentWidget()) {
        const auto it = m_controlTopics.constFind(w);
        if (it != m_controlTopics.constEnd())
            return it.value();
        if (w == m_window)
            break;
    }
    return m_topic;
}

void HelpLink::showHelp() {
    if (m_viewer)
        m_viewer->showTopic(topicFor(QApplication::focusWidget()));
}

bool HelpLink::eventFilter(QObject* watched, QEvent* event) {
    // Key presses that no control of the window took come up to the window itself.
    if (watched == m_window && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_F1 || key->key() == Qt::Key_F12) && key->modifiers() == Qt::NoModifier) {
            showHelp();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace nm::platform
