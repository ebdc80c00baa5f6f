#include "tests/ScriptedInteraction.h"

#include <stdexcept>

namespace hibimo {

void ScriptedInteraction::checkAlive() const {
    if (ended)
        throw std::logic_error("the program went on after it was ended");
}

void ScriptedInteraction::message(const QString& text, const QString& title) {
    checkAlive();
    if (ending())
        return;
    ModalWait wait(*this);
    calls << QStringLiteral("message");
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
    checkAlive();
    if (ending())
        return {};
    calls << QStringLiteral("prompt");
    prompts.push_back({prompt, title, defaultText});
    if (promptAnswers.empty())
        return {};
    QString answer = promptAnswers.front();
    promptAnswers.pop_front();
    return answer;
}

std::optional<int> ScriptedInteraction::chooseColour(int initial, const QString& title) {
    checkAlive();
    if (ending())
        return std::nullopt;
    calls << QStringLiteral("colour");
    colourRequests.push_back({initial, title});
    if (colourAnswers.empty())
        return std::nullopt;
    auto answer = colourAnswers.front();
    colourAnswers.pop_front();
    return answer;
}

bool ScriptedInteraction::confirm(const QString& text) {
    checkAlive();
    if (ending())
        return false;
    calls << QStringLiteral("confirm");
    questions << text;
    if (confirmAnswers.empty())
        return false;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

QString ScriptedInteraction::fileName(const char* call, const FileRequest& request) {
    checkAlive();
    if (ending())
        return {};
    calls << QString::fromLatin1(call);
    filters << request.filter;
    fileRequests.push_back(request);
    if (fileAnswers.empty())
        return {};
    QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

QString ScriptedInteraction::openFileName(const FileRequest& request) {
    return fileName("open", request);
}

QString ScriptedInteraction::saveFileName(const FileRequest& request) {
    return fileName("save", request);
}

namespace {
ScriptedInteraction::Windows& windowsOf() {
    if (!ScriptedInteraction::windows)
        throw std::logic_error("a window was shown in a test without windows");
    return *ScriptedInteraction::windows;
}
} // namespace

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
    if (!modalActions.empty()) {
        auto action = modalActions.front();
        modalActions.pop_front();
        action(window);
    }
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
