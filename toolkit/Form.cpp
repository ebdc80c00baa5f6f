#include "toolkit/Form.h"

#include "toolkit/Colours.h"
#include "toolkit/Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

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
    for (const auto& line : surfaceLines_) {
        QPen pen(colourFromBgr(line.colour));
        pen.setWidth(line.widthPx);
        pen.setCapStyle(Qt::SquareCap);
        p.setPen(pen);
        p.drawLine(toPx(line.twips));
    }
    for (const auto& line : lineControls_) {
        if (!line.visible)
            continue;
        QPen pen(colourFromBgr(line.colour));
        pen.setWidth(1);
        p.setPen(pen);
        p.drawLine(toPx(line.twips));
    }
}

} // namespace hibimo
