#pragma once

#include <QLineF>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace hibimo {

// A line control: a thin line at twip coordinates in a given colour.
struct LineControl {
    QLineF twips;
    int colour = 0;
    bool visible = true;
};

// A line drawn on a window's surface at twip coordinates, with a pen width in pixels.
struct SurfaceLine {
    QLineF twips;
    int colour = 0;
    int widthPx = 1;
};

// One of the program's windows, with the window events of the calendar's forms.
//
// Activation: Form_Activate runs when the window is first shown and whenever it becomes active again
// after another of the program's own windows was active or closed, never when the user comes back from
// another application. Message boxes and the file and colour dialogs are not program windows. Without a
// window manager Qt does not activate the opener again after a window closes, so the toolkit runs the
// opener's Form_Activate itself when a program window closes, and on WindowActivate only when the window
// active just before was another program window.
class Form : public QWidget {
    Q_OBJECT
  public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    virtual void Form_Activate() {}
    // Sets Cancel to 1 to keep the window open.
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }
    virtual void Form_DblClick() {}

    void setClientSizeTwips(int width, int height);
    void centreOnScreen();

    // Shows without blocking; a window already open is brought to the front as it is (a minimised one
    // comes back first).
    void showModeless(Form* opener);
    // The window that gets Form_Activate when this one closes (default: the main window).
    void setOpener(Form* opener) { opener_ = opener; }

    // The program's main window: activated again when a window without an opener closes.
    static void setMainForm(Form* form);
    static Form* mainForm();

    // Line controls and lines drawn on the surface, both beneath the child controls.
    int addLineControl(QLineF twips);
    void setLineControlColour(int index, int colour);
    void setSurfaceLines(std::vector<SurfaceLine> lines);
    const std::vector<SurfaceLine>& surfaceLines() const { return surfaceLines_; }

    bool isOpen() const { return open_; }
    // Runs the first activation now if it is still due (tests without an event loop turn).
    void activateIfPending() {
        if (pendingFirstActivate_)
            runActivate();
    }

  signals:
    // Emitted when the window has really closed (its Form_Unload did not cancel).
    void closed();

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void runActivate();
    void activateOpenerAfterClose();

    QPointer<Form> opener_;
    bool shownBefore_ = false;
    bool pendingFirstActivate_ = false;
    bool open_ = false;
    std::vector<LineControl> lineControls_;
    std::vector<SurfaceLine> surfaceLines_;

    static QPointer<Form> lastActive_;
    static QPointer<Form> main_;
};

} // namespace hibimo
