#pragma once
// The focus highlight: while an input control of the window has the focus it is shown on a yellow
// background; when the focus leaves, its own background returns. Buttons, labels, frames, tabs and
// hidden controls are never highlighted.

#include <QColor>
#include <QObject>
#include <QPalette>
#include <QPointer>

class QWidget;

namespace nm::platform {

class FocusHighlight : public QObject {
    Q_OBJECT
public:
    // Starts at once for `window` and every control inside it; ends with the window.
    explicit FocusHighlight(QWidget& window);
    ~FocusHighlight() override;

    static QColor colour() { return QColor(255, 255, 0); }
    // The control to highlight for a focus widget: the widget itself, or the compound input control
    // (combo, spin box) it belongs to; nullptr when it is not an input control.
    static QWidget* inputControlOf(QWidget* focus);

    QWidget* highlighted() const { return m_current.data(); }

private:
    void onFocusChanged(QWidget* old, QWidget* now);
    void restore();

    QPointer<QWidget> m_window;
    QPointer<QWidget> m_current;
    QPalette m_savedPalette;
    bool m_hadOwnPalette = false;
    bool m_savedAutoFill = false;
};

}  // namespace nm::platform
