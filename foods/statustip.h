#pragma once
// Shows a control's status-bar text while it has the focus, not only while the mouse is over it:
// the text travels up to the frame's status bar as a status-tip event.

#include <QObject>

class QWidget;

namespace nm::foods {

class StatusTipOnFocus : public QObject {
    Q_OBJECT
public:
    // Watches `control`; the watcher is the control's child and goes with it.
    static void install(QWidget* control, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

}  // namespace nm::foods
