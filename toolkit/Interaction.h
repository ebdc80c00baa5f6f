#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace hibimo {

// The application's title, shown by every message box that has no title of its own.
inline const QString AppTitle = QStringLiteral("Hibimo");

// Everything modal the program does with its user goes through here, so that the data layer never
// knows a window and every test can script the answers (see ScriptedInteraction).
class Interaction {
  public:
    virtual ~Interaction() = default;

    // Modal message with an OK button; an empty title shows the application's title.
    virtual void message(const QString& text, const QString& title = {}) = 0;

    // Ends the program at once, saving nothing. Never returns to the caller.
    [[noreturn]] virtual void endProgram() = 0;

    // One-line text prompt; the empty text when cancelled.
    virtual QString prompt(const QString& prompt, const QString& title, const QString& defaultText) = 0;

    // Colour chooser opened on `initial` (0x00BBGGRR), its title naming what is coloured: the colour
    // chosen, or nothing when the user cancels.
    virtual std::optional<int> chooseColour(int initial, const QString& title) = 0;

    // File dialogs; the filter alternates descriptions and patterns separated by "|".
    // The empty text when cancelled.
    virtual QString openFileName(const QString& filter) = 0;
    virtual QString saveFileName(const QString& filter) = 0;

    // Shows one of the program's windows modally and returns when it has closed (the window that
    // opened it has then been activated again, see Form).
    void showModal(QWidget& window) { runModal(window); }

    // Prints the window's client area as shown.
    virtual void printWindow(QWidget& window) = 0;

    // Asks the main window to show CurYear/CurMonth again (after a year file was created).
    void setRedisplay(std::function<void()> redisplay) { redisplay_ = std::move(redisplay); }
    void redisplay() const {
        if (redisplay_)
            redisplay_();
    }

  protected:
    virtual void runModal(QWidget& window) = 0;

  private:
    std::function<void()> redisplay_;
};

} // namespace hibimo
