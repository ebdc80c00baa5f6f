#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

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
    // The same for a password: what is typed is not shown.
    virtual QString password(const QString& text, const QString& title) { return prompt(text, title, {}); }

    // Colour chooser opened on `initial` (0x00BBGGRR), its title naming what is coloured: the colour
    // chosen, or nothing when the user cancels.
    virtual std::optional<int> chooseColour(int initial, const QString& title) = 0;

    // Yes/No question; false also when the program is being ended.
    virtual bool confirm(const QString& text) = 0;

    // What a file dialog is asked for. The filter alternates descriptions and patterns separated by
    // "|". The suffix (without its dot) is added by the dialog itself to a name typed without one, so
    // that the dialog's own question before replacing a file sees the name that will be written. The
    // proposed name is a bare name or a path; a bare one goes into the folder last used for files of
    // that suffix.
    struct FileRequest {
        FileRequest(QString filter, QString suffix = {}, QString proposedName = {})
            : filter(std::move(filter)), suffix(std::move(suffix)), proposedName(std::move(proposedName)) {}
        FileRequest(const char* filter) : FileRequest(QString::fromUtf8(filter)) {}
        QString filter;
        QString suffix;
        QString proposedName;
    };
    // File dialogs: the name chosen, the empty text when cancelled.
    virtual QString openFileName(const FileRequest& request) = 0;
    virtual QString saveFileName(const FileRequest& request) = 0;

    // Shows one of the program's windows modally and returns when it has closed (the window that
    // opened it has then been activated again, see Form). False when the program is being ended: the
    // window was closed as if cancelled (or never shown), and the caller stores nothing from it.
    bool showModal(QWidget& window);

    // Ends the program from outside its windows (a signal, the session ending) as closing the main
    // window does. A handler may be waiting on a modal window; shutting down under it would reload the
    // tables it then stores into. So every modal window open is closed as if cancelled, every question
    // asked from then on is answered as cancelled at once, and `shutDown` runs once the handlers have
    // returned to the event loop.
    void endFromOutside(std::function<void()> shutDown);
    bool ending() const { return ending_; }
    // Runs `task` now when no modal window is open, else from the event loop once the last one has
    // closed and the handler that opened it has returned: only then do the tables agree with the
    // window (a year being entered may be half loaded while its creation message is up).
    void whenNoModalOpen(std::function<void()> task);

    // Prints the window's client area as shown.
    virtual void printWindow(QWidget& window) = 0;

  protected:
    virtual void runModal(QWidget& window) = 0;
    // Closes every modal window and question that is open, as if the user cancelled it.
    virtual void cancelModalWindows() = 0;

    // Held by each modal wait for as long as it lasts.
    class ModalWait {
      public:
        explicit ModalWait(Interaction& ui) : ui_(ui) { ++ui_.modalDepth_; }
        ~ModalWait() { ui_.modalClosed(); }
        ModalWait(const ModalWait&) = delete;
        ModalWait& operator=(const ModalWait&) = delete;

      private:
        Interaction& ui_;
    };

  private:
    void modalClosed();
    void runPending();

    int modalDepth_ = 0;
    bool ending_ = false;
    bool posted_ = false;
    std::vector<std::function<void()>> pending_;
    // Owns the posted run of the pending tasks, which thus never outlives this object.
    QObject context_;
};

} // namespace hibimo
