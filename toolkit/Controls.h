#pragma once

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStaticText>
#include <QString>
#include <QWidget>

namespace hibimo {

// Texts hold line breaks as CR LF; widgets use "\n". These convert at the widget boundary.
QString toWidgetText(const QString& text);
QString fromWidgetText(const QString& text);

// A read-only text box of the month grid. It paints itself: the grid has 168 of them, refilled on
// every month step, and a full text editor each would cost start-up time for nothing.
class CellBox : public QWidget {
    Q_OBJECT
  public:
    explicit CellBox(QWidget* parent);

    QString text() const { return text_; }
    // Fires Change when the text changes, also when the program sets it.
    void setText(const QString& text);
    // A second, small text after the main one, a word to a row: a day's almanac beside its number.
    void setAsideText(const QString& text);
    QString asideText() const { return aside_; }
    // Text, text colour and background (0x00BBGGRR), repainting the box only when one of them
    // changes. The colours are the box's own: a palette for each of 168 boxes costs a month step
    // more than painting them. foreColor() and backColor() read them.
    void setContent(const QString& text, int fore, int back);
    void setHeightTwips(int twips);
    void bringToFront() { raise(); }

  signals:
    void Click();
    void DblClick();
    void GotFocus();
    void LostFocus();
    void Change();
    void KeyDown(int keyCode, int shift);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString text_;
    QString shown_;
    QString aside_;
    QString asideRows_;
    QStaticText laid_;
    QString laidFor_;
    QColor fore_ = Qt::black;
    QColor back_ = Qt::white;
    // Whether the colour properties hold this box's colours yet (reading a property costs a lookup
    // by name, on every box at every step).
    bool coloursStored_ = false;
};

// A multi-line text box the user can type into (month memo, list editors).
class MemoBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit MemoBox(QWidget* parent);

    QString text() const { return fromWidgetText(toPlainText()); }
    void setText(const QString& text);
    void setHeightTwips(int twips);
    void bringToFront() { raise(); }

  signals:
    void Click();
    void GotFocus();
    void LostFocus();
    void Change();
    void KeyDown(int keyCode, int shift);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// A one-line text box (the memo dialog's input line).
class LineBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit LineBox(QWidget* parent);
    QString text() const { return QLineEdit::text(); }
    void setText(const QString& text) { QLineEdit::setText(text); }

  signals:
    // Key code as the Windows-style virtual key (13 for Enter) and the shift state (1 shift, 2 ctrl, 4 alt).
    void KeyDown(int keyCode, int shift);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A label whose Change fires when its caption changes, also when the program sets it.
class Label : public QLabel {
    Q_OBJECT
  public:
    explicit Label(QWidget* parent, const QString& caption = {});
    QString caption() const { return text(); }
    void setCaption(const QString& caption);
    // 0 no border, 1 a single line.
    void setBorderStyle(int style);

  signals:
    void Click();
    void Change();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A frame grouping controls: an etched border with the caption standing on its top edge, painted
// in the frame's own colours.
class Frame : public QWidget {
    Q_OBJECT
  public:
    Frame(QWidget* parent, const QString& caption);
    QString caption() const { return caption_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString caption_;
};

// A picture box that keeps what is drawn on it.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent);
    void clear();
    // Pen width in pixels; coordinates in pixels of the box.
    void drawLine(int colourBgr, int widthPx, QPointF from, QPointF to);
    const QImage& image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QImage image_;
};

// Windows-style key code of a Qt key event (13 Enter, 27 Escape, letters and digits as ASCII).
int keyCodeOf(const QKeyEvent& event);
int shiftStateOf(const QKeyEvent& event);

// Places a control at a rectangle given in twips.
void placeTwips(QWidget& w, int left, int top, int width, int height);

} // namespace hibimo
