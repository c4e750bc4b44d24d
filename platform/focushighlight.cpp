#include "focushighlight.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>

namespace nm::platform {

FocusHighlight::FocusHighlight(QWidget& window) : QObject(&window), m_window(&window) {
    connect(qApp, &QApplication::focusChanged, this, &FocusHighlight::onFocusChanged);
    onFocusChanged(nullptr, QApplication::focusWidget());
}

FocusHighlight::~FocusHighlight() {
    restore();
}

QWidget* FocusHighlight::inputControlOf(QWidget* focus) {
    for (QWidget* w = focus; w; w = w->parentWidget()) {
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w))
            return w;
        if (w->isWindow())
            break;
    }
    if (!focus)
        return nullptr;
    QWidget* w = focus;
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)
        || qobject_cast<QAbstractItemView*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
        return w;
    return nullptr;
}

void FocusHighlight::restore() {
    if (!m_current)
        return;
    QWidget* w = m_current.data();
    m_current = nullptr;
    w->setPalette(m_hadOwnPalette ? m_savedPalette : QPalette());
    w->setAutoFillBackground(m_savedAutoFill);
}

void FocusHighlight::onFocusChanged(QWidget*, QWidget* now) {
    QWidget* control = inputControlOf(now);
    if (control && (!m_window || !control->isVisible()
                    || (control != m_window && !m_window->isAncestorOf(control))))
        control = nullptr;
    if (control == m_current)
        return;
    restore();
    if (!control)
        return;
    m_current = control;
    m_hadOwnPalette = control->testAttribute(Qt::WA_SetPalette);
    m_savedPalette = control->palette();
    m_savedAutoFill = control->autoFillBackground();
    // Only the colour the control fills its input area with: a list's headers and scroll bars keep theirs.
    QPalette p = control->palette();
    if (qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control)) {
        p.setColor(QPalette::Window, colour());
        control->setAutoFillBackground(true);
    } else {
        p.setColor(QPalette::Base, colour());
        if (qobject_cast<QComboBox*>(control))
            p.setColor(QPalette::Button, colour());
    }
    control->setPalette(p);
}

}  // namespace nm::platform
