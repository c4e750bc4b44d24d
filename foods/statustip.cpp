#include "statustip.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStatusTipEvent>
#include <QWidget>

namespace nm::foods {

void StatusTipOnFocus::install(QWidget* control, const QString& text) {
    control->setStatusTip(text);
    control->installEventFilter(new StatusTipOnFocus(control));
}

bool StatusTipOnFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w) {
            QStatusTipEvent tip(event->type() == QEvent::FocusIn ? w->statusTip() : QString());
            QCoreApplication::sendEvent(w, &tip);
        }
    }
    return false;
}

}  // namespace nm::foods
