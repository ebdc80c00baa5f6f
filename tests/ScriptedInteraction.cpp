#include "tests/ScriptedInteraction.h"

#include <stdexcept>

namespace hibimo {

namespace {

// The next queued answer, or `none` when the test queued nothing.
template <typename T> T nextAnswer(std::deque<T>& answers, T none = {}) {
    if (answers.empty())
        return none;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

ScriptedInteraction::Windows& windowsOf() {
    if (!ScriptedInteraction::windows)
        throw std::logic_error("a window was shown in a test without windows");
    return *ScriptedInteraction::windows;
}

} // namespace

void ScriptedInteraction::checkAlive() const {
    if (ended)
        throw std::logic_error("the program went on after it was ended");
}

bool ScriptedInteraction::record(const QString& call) {
    checkAlive();
    if (ending())
        return false;
    calls << call;
    return true;
}

void ScriptedInteraction::message(const QString& text, const QString& title) {
    if (!record(QStringLiteral("message")))
        return;
    ModalWait wait(*this);
    messages.push_back({text, title.isEmpty() ? AppTitle : title});
    if (onMessage)
        onMessage(messages.back());
}

void ScriptedInteraction::endProgram() {
    checkAlive();
    calls << QStringLiteral("end");
    ended = true;
    throw ProgramEnded();
}

QString ScriptedInteraction::prompt(const QString& prompt, const QString& title, const QString& defaultText) {
    if (!record(QStringLiteral("prompt")))
        return {};
    prompts.push_back({prompt, title, defaultText});
    return nextAnswer(promptAnswers);
}

std::optional<int> ScriptedInteraction::chooseColour(int initial, const QString& title) {
    if (!record(QStringLiteral("colour")))
        return std::nullopt;
    colourRequests.push_back({initial, title});
    return nextAnswer(colourAnswers);
}

bool ScriptedInteraction::confirm(const QString& text) {
    if (!record(QStringLiteral("confirm")))
        return false;
    questions << text;
    return nextAnswer(confirmAnswers, false);
}

QString ScriptedInteraction::fileName(const char* call, const FileRequest& request) {
    if (!record(QString::fromLatin1(call)))
        return {};
    fileRequests.push_back(request);
    return nextAnswer(fileAnswers);
}

void ScriptedInteraction::printWindow(QWidget& window) {
    checkAlive();
    calls << QStringLiteral("print:") + windowsOf().name(window);
}

void ScriptedInteraction::runModal(QWidget& window) {
    checkAlive();
    Windows& windows = windowsOf();
    calls << QStringLiteral("modal:") + windows.name(window);
    windows.show(window);
    open_.push_back(&window);
    if (auto action = nextAnswer(modalActions))
        action(window);
    open_.pop_back();
    // Whatever the script did, a modal show ends with the window closed (as by its close box if the
    // script did not close it).
    if (windows.isVisible(window))
        windows.close(window);
}

void ScriptedInteraction::cancelModalWindows() {
    for (auto it = open_.rbegin(); it != open_.rend(); ++it)
        if (windowsOf().isVisible(**it))
            windowsOf().close(**it);
}

QStringList ScriptedInteraction::messageTexts() const {
    QStringList texts;
    for (const auto& m : messages)
        texts << m.text;
    return texts;
}

} // namespace hibimo
