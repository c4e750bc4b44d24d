#include "hyperlink.h"

#include "browser.h"
#include "resources/resourcepaths.h"

#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>

namespace nm::platform {

QCursor Hyperlink::handCursor() {
    const QPixmap pixmap = QIcon(res::handCursor()).pixmap(32, 32);
    if (pixmap.isNull())
        return QCursor(Qt::PointingHandCursor);
    return QCursor(pixmap, res::handCursorHotX, res::handCursorHotY);
}

Hyperlink::Hyperlink(QLabel& label, QUrl url, Browser* browser)
    : QObject(&label), m_label(label), m_url(std::move(url)), m_browser(browser) {
    setObjectName(QStringLiteral("Hyperlink"));
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, linkColour());
    label.setPalette(palette);
    QFont font = label.font();
    font.setUnderline(true);
    font.setBold(false);
    label.setFont(font);
    label.setCursor(handCursor());
    label.setToolTip(m_url.toDisplayString());
    label.installEventFilter(this);
}

bool Hyperlink::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_label && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && m_label.rect().contains(mouse->position().toPoint())) {
            const bool ok = m_browser && m_browser->open(m_url);
            emit opened(ok);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace nm::platform
