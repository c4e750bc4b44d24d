#pragma once
// Resize strategies: each control keeps its place and size against a reference (the window, or a
// frame such as a group box) as the window is resized. Positions are taken once from the design
// layout; every later resize is worked out from them, so repeated resizing never drifts.

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QVector>

class QWidget;

namespace nm::platform {

enum class HPos { KeepLeft, KeepRight };
enum class HSize { Fixed, Grow, Proportional };   // Grow: the right edge keeps its distance
enum class VPos { KeepTop, KeepBottom };
enum class VSize { Fixed, Grow, Proportional };   // Grow: the bottom edge keeps its distance

struct ResizeRule {
    QWidget* widget = nullptr;
    QWidget* reference = nullptr;   // nullptr: the window
    HPos hpos = HPos::KeepLeft;
    HSize hsize = HSize::Fixed;
    VPos vpos = VPos::KeepTop;
    VSize vsize = VSize::Fixed;
};

class ResizeRules : public QObject {
    Q_OBJECT
public:
    explicit ResizeRules(QWidget& window);

    // Rules apply in the order added: add a frame before the controls that refer to it. Call after
    // the controls stand at their design places and the window at its design size.
    void add(const ResizeRule& rule);
    void apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        ResizeRule rule;
        QRect design;
    };
    QRect designOf(const QWidget* w) const;
    QRect currentOf(const QWidget* w) const;

    QPointer<QWidget> m_window;
    QRect m_windowDesign;
    QVector<Entry> m_entries;
};

}  // namespace nm::platform
