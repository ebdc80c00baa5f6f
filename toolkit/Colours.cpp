#include "toolkit/Colours.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace hibimo {

namespace {
const char* const ForeProperty = "hibimoFore";
const char* const BackProperty = "hibimoBack";
} // namespace

void setForeColor(QWidget& w, int bgr) {
    const QVariant old = w.property(ForeProperty);
    if (old.isValid() && old.toInt() == bgr)
        return;
    w.setProperty(ForeProperty, bgr);
    QPalette p = w.palette();
    const QColor c = colourFromBgr(bgr);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Active, role, c);
        p.setColor(QPalette::Inactive, role, c);
    }
    w.setPalette(p);
}

void setBackColor(QWidget& w, int bgr) {
    const QVariant old = w.property(BackProperty);
    if (old.isValid() && old.toInt() == bgr)
        return;
    w.setProperty(BackProperty, bgr);
    QPalette p = w.palette();
    const QColor c = colourFromBgr(bgr);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            p.setColor(group, role, c);
    w.setPalette(p);
    w.setAutoFillBackground(true);
}

int foreColor(const QWidget& w) {
    const QVariant v = w.property(ForeProperty);
    return v.isValid() ? v.toInt() : bgrFromColour(w.palette().color(QPalette::Text));
}

int backColor(const QWidget& w) {
    const QVariant v = w.property(BackProperty);
    return v.isValid() ? v.toInt() : bgrFromColour(w.palette().color(QPalette::Base));
}

} // namespace hibimo
