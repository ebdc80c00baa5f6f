#include "toolkit/Form.h"

#include "toolkit/Colours.h"
#include "toolkit/Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace hibimo {

QPointer<Form> Form::lastActive_;
QPointer<Form> Form::main_;

Form::Form(QWidget* parent) : QWidget(parent) {}

Form::~Form() = default;

void Form::setMainForm(Form* form) {
    main_ = form;
}
Form* Form::mainForm() {
    return main_;
}

void Form::setClientSizeTwips(int width, int height) {
    setFixedSize(twipsToPx(width), twipsToPx(height));
}

void Form::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void Form::showModeless(Form* opener) {
    if (opener)
        opener_ = opener;
    if (isVisible()) {
        if (isMinimized())
            setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        raise();
        activateWindow();
        return;
    }
    show();
    raise();
    activateWindow();
}

int Form::addLineControl(QLineF twips) {
    lineControls_.push_back({twips, 0, true});
    return int(lineControls_.size()) - 1;
}

void Form::setLineControlColour(int index, int colour) {
    auto& line = lineControls_.at(index);
    if (line.colour == colour)
        return;
    line.colour = colour;
    update();
}

void Form::setSurfaceLines(std::vector<SurfaceLine> lines) {
    surfaceLines_ = std::move(lines);
    update();
}

void Form::runActivate() {
    lastActive_ = this;
    pendingFirstActivate_ = false;
    Form_Activate();
}

bool Form::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && shownBefore_) {
        Form* before = lastActive_;
        if (pendingFirstActivate_) {
            runActivate();
        } else if (before != this) {
            // Coming back from another of the program's windows; a return from another application
            // leaves lastActive_ at this window and so runs nothing.
            if (before)
                runActivate();
            else
                lastActive_ = this;
        }
    }
    return QWidget::event(event);
}

void Form::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    open_ = true;
    if (!shownBefore_) {
        shownBefore_ = true;
        pendingFirstActivate_ = true;
        // After the show has finished, as the first activation of a freshly shown window (unless the
        // window manager's activation came first).
        QTimer::singleShot(0, this, [this] {
            if (pendingFirstActivate_ && isVisible())
                runActivate();
        });
    }
}

void Form::closeEvent(QCloseEvent* event) {
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0) {
        event->ignore();
        return;
    }
    event->accept();
    open_ = false;
    shownBefore_ = false;
    if (lastActive_ == this)
        lastActive_ = nullptr;
    emit closed();
    activateOpenerAfterClose();
}

void Form::activateOpenerAfterClose() {
    Form* target = opener_ ? opener_.data() : main_.data();
    if (!target || target == this || !target->isOpen())
        return;
    target->runActivate();
}

void Form::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        Form_DblClick();
}

void Form::paintEvent(QPaintEvent*) {
    if (surfaceLines_.empty() && lineControls_.empty())
        return;
    QPainter p(this);
    const double scale = 1.0 / TwipsPerPixel;
    auto toPx = [scale](const QLineF& l) {
        return QLineF(l.x1() * scale, l.y1() * scale, l.x2() * scale, l.y2() * scale);
    };
    // A line in the background's own colour (the erase pass of thinner frame lines) changes no pixel
    // over the filled background, and wide strokes are the dearest part of a repaint.
    const QColor background = autoFillBackground() ? palette().color(backgroundRole()) : QColor();
    // The lines are all level or upright, and filling their rectangle costs far less than a stroke.
    auto draw = [&p, &toPx](const QLineF& twips, int colour, int width) {
        const QLineF l = toPx(twips);
        const double half = std::max(width, 1) / 2.0;
        p.fillRect(QRectF(QPointF(std::min(l.x1(), l.x2()) - half, std::min(l.y1(), l.y2()) - half),
                          QPointF(std::max(l.x1(), l.x2()) + half, std::max(l.y1(), l.y2()) + half)),
                   colourFromBgr(colour));
    };
    for (const auto& line : surfaceLines_)
        if (colourFromBgr(line.colour) != background)
            draw(line.twips, line.colour, line.widthPx);
    for (const auto& line : lineControls_)
        if (line.visible)
            draw(line.twips, line.colour, 1);
}

} // namespace hibimo
