#include "resize.h"

#include <QEvent>
#include <QWidget>

namespace nm::platform {

ResizeRules::ResizeRules(QWidget& window) : QObject(&window), m_window(&window), m_windowDesign(window.rect()) {
    window.installEventFilter(this);
}

void ResizeRules::add(const ResizeRule& rule) {
    if (!rule.widget)
        return;
    if (m_entries.isEmpty())
        m_windowDesign = m_window->rect();
    m_entries.append({rule, rule.widget->geometry()});
}

QRect ResizeRules::designOf(const QWidget* w) const {
    if (!w || w == m_window)
        return m_windowDesign;
    for (const Entry& e : m_entries) {
        if (e.rule.widget == w)
            return e.design;
    }
    return w->geometry();
}

QRect ResizeRules::currentOf(const QWidget* w) const {
    if (!w || w == m_window)
        return m_window->rect();
    return w->geometry();
}

namespace {

int scaled(int value, int now, int design) {
    return design > 0 ? int((qint64(value) * now + design / 2) / design) : value;
}

}  // namespace

void ResizeRules::apply() {
    if (!m_window)
        return;
    for (const Entry& e : m_entries) {
        const ResizeRule& r = e.rule;
        const QRect ref0 = designOf(r.reference);
        const QRect ref1 = currentOf(r.reference);
        const QRect& w0 = e.design;

        int width = w0.width();
        if (r.hsize == HSize::Grow)
            width = w0.width() + ref1.width() - ref0.width();
        else if (r.hsize == HSize::Proportional)
            width = scaled(w0.width(), ref1.width(), ref0.width());
        int x = r.hpos == HPos::KeepLeft ? ref1.left() + (w0.left() - ref0.left())
                                         : ref1.left() + ref1.width() - (ref0.left() + ref0.width() - (w0.left() + w0.width())) - width;

        int height = w0.height();
        if (r.vsize == VSize::Grow)
            height = w0.height() + ref1.height() - ref0.height();
        else if (r.vsize == VSize::Proportional)
            height = scaled(w0.height(), ref1.height(), ref0.height());
        int y = r.vpos == VPos::KeepTop ? ref1.top() + (w0.top() - ref0.top())
                                        : ref1.top() + ref1.height() - (ref0.top() + ref0.height() - (w0.top() + w0.height())) - height;

        r.widget->setGeometry(x, y, qMax(0, width), qMax(0, height));
    }
}

bool ResizeRules::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && event->type() == QEvent::Resize && !m_entries.isEmpty())
        apply();
    return QObject::eventFilter(watched, event);
}

}  // namespace nm::platform
