#pragma once

#include "toolkit/Interaction.h"
#include "toolkit/NullInteraction.h"

#include <QStringList>
#include <deque>
#include <exception>
#include <functional>
#include <vector>

namespace hibimo {

// The test double of Interaction: a test queues the answers and asserts on the recorded calls. Once the
// program is being ended (endFromOutside), nothing is shown or recorded any more and every question is
// answered as cancelled.
class ScriptedInteraction : public Interaction {
  public:
    struct Message {
        QString text;
        QString title; // as shown: the application's title when the caller gave none
    };

    // Recorded calls, in order: "message", "confirm", "prompt", "colour", "open", "save",
    // "modal:<objectName>", "print:<objectName>", "end".
    QStringList calls;
    std::vector<Message> messages;
    struct Prompt {
        QString prompt, title, defaultText;
    };
    std::vector<Prompt> prompts;
    std::vector<FileRequest> fileRequests;
    QStringList questions;
    struct ColourRequest {
        int initial;
        QString title;
    };
    std::vector<ColourRequest> colourRequests;
    bool ended = false;

    // Answers, consumed in order. Without a queued answer: prompts and file dialogs answer empty,
    // the colour chooser is cancelled, a modal window is closed as if by its close box.
    std::deque<QString> promptAnswers;
    std::deque<std::optional<int>> colourAnswers;
    std::deque<QString> fileAnswers;
    std::deque<bool> confirmAnswers; // none queued: "No"
    std::deque<std::function<void(QWidget&)>> modalActions;
    // Called for every message as it is shown (for example to act while a message is up).
    std::function<void(const Message&)> onMessage;

    void message(const QString& text, const QString& title = {}) override;
    [[noreturn]] void endProgram() override;
    QString prompt(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<int> chooseColour(int initial, const QString& title) override;
    bool confirm(const QString& text) override;
    QString openFileName(const FileRequest& request) override { return fileName("open", request); }
    QString saveFileName(const FileRequest& request) override { return fileName("save", request); }
    void printWindow(QWidget& window) override;

    QStringList messageTexts() const;

    // What the scripted interaction does to a window. The data-layer tests run without widgets and
    // leave it unset (a window shown there is a fault); the window tests install one at start.
    struct Windows {
        virtual ~Windows() = default;
        virtual QString name(QWidget& window) = 0;
        virtual void show(QWidget& window) = 0;
        virtual bool isVisible(QWidget& window) = 0;
        virtual void close(QWidget& window) = 0;
    };
    static inline Windows* windows = nullptr;

  protected:
    void runModal(QWidget& window) override;
    void cancelModalWindows() override;

  private:
    void checkAlive() const;
    // Records a call unless the program is being ended; false when it is.
    bool record(const QString& call);
    QString fileName(const char* call, const FileRequest& request);
    // The windows shown modally and not yet returned from, innermost last.
    std::vector<QWidget*> open_;
};

} // namespace hibimo
