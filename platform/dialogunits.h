#pragma once
// Geometry in dialog units, converted with the window font's metrics: a horizontal unit is a quarter
// of the average character width, a vertical unit an eighth of the font height.

#include <QFont>
#include <QRect>
#include <QSize>

namespace nm::platform {

// The program's window font: Tahoma 8 when it can be loaded, else the nearest installed sans font.
QFont windowFont();

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font = windowFont());

    int baseX() const { return m_baseX; }   // average character width in pixels
    int baseY() const { return m_baseY; }   // font height in pixels

    int x(int du) const { return (du * m_baseX + 2) / 4; }
    int y(int du) const { return (du * m_baseY + 4) / 8; }
    QSize size(int w, int h) const { return {x(w), y(h)}; }
    QRect rect(int left, int top, int w, int h) const { return {x(left), y(top), x(w), y(h)}; }

    int toX(int px) const { return (px * 4 + m_baseX / 2) / m_baseX; }
    int toY(int px) const { return (px * 8 + m_baseY / 2) / m_baseY; }
    QRect toDialogUnits(const QRect& px) const { return {toX(px.x()), toY(px.y()), toX(px.width()), toY(px.height())}; }

private:
    int m_baseX;
    int m_baseY;
};

}  // namespace nm::platform
