#pragma once

#include <QColor>

class QWidget;

namespace hibimo {

// Colours are held as 0x00BBGGRR integers (red in the low byte).
inline QColor colourFromBgr(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}
inline int bgrFromColour(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

// Text and background colours of any control, through its palette. The value set is kept as given, so
// that a comparison with a colour slot is exact even for values outside 0..0xFFFFFF.
void setForeColor(QWidget& w, int bgr);
void setBackColor(QWidget& w, int bgr);
int foreColor(const QWidget& w);
int backColor(const QWidget& w);

} // namespace hibimo
