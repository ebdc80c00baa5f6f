#include "toolkit/Controls.h"

#include "toolkit/Colours.h"
#include "toolkit/Twips.h"

#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStaticText>

namespace hibimo {

QString toWidgetText(const QString& text) {
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QString fromWidgetText(const QString& text) {
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return s;
}

namespace {
// A popup menu, a message box or another application takes the focus only for a while: the box was
// not left for another control, so its editing goes on.
bool leftForAnotherControl(const QFocusEvent& event) {
    return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}
} // namespace

void placeTwips(QWidget& w, int left, int top, int width, int height) {
    w.setGeometry(twipRect(left, top, width, height));
}

int keyCodeOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Backspace:
        return 8;
    default:
        break;
    }
    const int key = event.key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key;
    return 0;
}

int shiftStateOf(const QKeyEvent& event) {
    int shift = 0;
    if (event.modifiers() & Qt::ShiftModifier)
        shift |= 1;
    if (event.modifiers() & Qt::ControlModifier)
        shift |= 2;
    if (event.modifiers() & Qt::AltModifier)
        shift |= 4;
    return shift;
}

// ---- CellBox

CellBox::CellBox(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void CellBox::setText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    shown_ = toWidgetText(text);
    update();
    emit Change();
}

void CellBox::setAsideText(const QString& text) {
    if (text == aside_)
        return;
    aside_ = text;
    asideRows_ = QString(text).replace(QLatin1Char(' '), QLatin1Char('\n'));
    update();
}

void CellBox::setContent(const QString& text, int fore, int back) {
    const QColor foreColour = colourFromBgr(fore);
    const QColor backColour = colourFromBgr(back);
    const bool coloured = foreColour != fore_ || backColour != back_ || !coloursStored_;
    if (coloured) {
        // Where foreColor() and backColor() read a control's colours.
        setProperty("hibimoFore", fore);
        setProperty("hibimoBack", back);
        coloursStored_ = true;
        fore_ = foreColour;
        back_ = backColour;
    }
    if (text == text_) {
        if (coloured)
            update();
        return;
    }
    text_ = text;
    shown_ = toWidgetText(text);
    update();
    emit Change();
}

void CellBox::setHeightTwips(int twips) {
    resize(width(), twipsToPx(twips));
}

namespace {

// Laid-out texts of the boxes by text, font and width: the day numbers of every month are the same 31
// texts, so a month step lays out almost nothing anew.
const QStaticText& laidOut(const QString& text, const QFont& font, int width) {
    static QHash<QString, QStaticText> cache;
    const QString key = text + QLatin1Char('\0') + font.key() + QLatin1Char('\0') + QString::number(width);
    auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    if (cache.size() > 2000)
        cache.clear();
    QStaticText laid(text);
    laid.setTextFormat(Qt::PlainText);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAnywhere);
    laid.setTextOption(option);
    laid.setTextWidth(width);
    laid.prepare(QTransform(), font);
    return *cache.insert(key, laid);
}

} // namespace

void CellBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    // The grey border as two fills: a stroked rectangle costs more than the rest of the box.
    p.fillRect(r, QColor(0x80, 0x80, 0x80));
    p.fillRect(r.adjusted(1, 1, -1, -1), back_);
    // The days are reached with the arrow keys too: the box with the focus must be seen.
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.drawRect(QRectF(r).adjusted(1, 1, -1, -1));
    }
    if (shown_.isEmpty())
        return;
    p.setPen(fore_);
    p.setFont(font());
    const QRect textRect = r.adjusted(2, 1, -2, -1);
    // Clipped to the box as drawText clips: a grown box shows more lines, a resting one cuts them.
    p.setClipRect(textRect);
    if (laidFor_ != shown_ || laid_.textWidth() != textRect.width()) {
        laid_ = laidOut(shown_, font(), textRect.width());
        laidFor_ = shown_;
    }
    p.drawStaticText(textRect.topLeft(), laid_);
    if (aside_.isEmpty())
        return;
    QFont small = font();
    small.setBold(false);
    small.setPointSizeF(font().pointSizeF() * 0.42);
    p.setFont(small);
    const int left = textRect.left() + QFontMetrics(font()).horizontalAdvance(shown_) + 3;
    p.drawText(QRect(left, textRect.top(), textRect.right() - left, textRect.height()),
               Qt::AlignLeft | Qt::AlignTop, asideRows_);
}

void CellBox::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    event->accept();
}

void CellBox::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

void CellBox::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}

void CellBox::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    emit GotFocus();
}

void CellBox::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (leftForAnotherControl(*event))
        emit LostFocus();
}

void CellBox::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(keyCodeOf(*event), shiftStateOf(*event));
    QWidget::keyPressEvent(event);
}

// ---- MemoBox

MemoBox::MemoBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    viewport()->installEventFilter(this);
    connect(this, &QPlainTextEdit::textChanged, this, &MemoBox::Change);
}

void MemoBox::setText(const QString& text) {
    const QString shown = toWidgetText(text);
    if (shown == toPlainText())
        return;
    setPlainText(shown);
}

void MemoBox::setHeightTwips(int twips) {
    resize(width(), twipsToPx(twips));
}

bool MemoBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            emit Click();
    }
    return QPlainTextEdit::eventFilter(watched, event);
}

void MemoBox::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    emit GotFocus();
}

void MemoBox::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (leftForAnotherControl(*event))
        emit LostFocus();
}

void MemoBox::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(keyCodeOf(*event), shiftStateOf(*event));
    QPlainTextEdit::keyPressEvent(event);
}

// ---- LineBox

LineBox::LineBox(QWidget* parent) : QLineEdit(parent) {}

void LineBox::keyPressEvent(QKeyEvent* event) {
    const int code = keyCodeOf(*event);
    emit KeyDown(code, shiftStateOf(*event));
    if (code == 13) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// ---- Label

Label::Label(QWidget* parent, const QString& caption) : QLabel(caption, parent) {
    setTextFormat(Qt::PlainText);
}

void Label::setCaption(const QString& caption) {
    const QString shown = toWidgetText(caption);
    if (shown == text())
        return;
    setText(shown);
    emit Change();
}

void Label::setBorderStyle(int style) {
    if (style == 1) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

// ---- Frame

Frame::Frame(QWidget* parent, const QString& caption) : QWidget(parent), caption_(caption) {
    setAutoFillBackground(true);
}

void Frame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    const QRect border = rect().adjusted(0, top, -2, -2);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(border);
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(border.translated(1, 1));
    const int textWidth = metrics.horizontalAdvance(caption_);
    const QRect label(6, 0, textWidth + 4, metrics.height());
    p.fillRect(label, palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(label, Qt::AlignCenter, caption_);
}

// ---- PictureBox

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::clear() {
    // One image pixel per device pixel: on a scaled screen the preview line stays as sharp as the
    // lines the window draws itself.
    const qreal ratio = devicePixelRatioF();
    if (image_.deviceIndependentSize() != QSizeF(size()) || image_.devicePixelRatio() != ratio) {
        image_ = QImage(size() * ratio, QImage::Format_RGB32);
        image_.setDevicePixelRatio(ratio);
    }
    image_.fill(palette().color(QPalette::Base));
    update();
}

void PictureBox::drawLine(int colourBgr, int widthPx, QPointF from, QPointF to) {
    if (image_.isNull())
        clear();
    QPainter p(&image_);
    QPen pen(colourFromBgr(colourBgr));
    pen.setWidth(widthPx);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(from, to);
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (image_.isNull())
        p.fillRect(rect(), palette().color(QPalette::Base));
    else
        p.drawImage(0, 0, image_);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!image_.isNull() && image_.deviceIndependentSize() != QSizeF(size()))
        clear();
}

} // namespace hibimo
