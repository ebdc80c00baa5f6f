#pragma once

#include "toolkit/Interaction.h"

#include <exception>

namespace hibimo::fuzz {

// Thrown where the program would end, so that a run goes on with the next input.
struct ProgramEnded : std::exception {};

// Answers nothing and shows nothing: the readers' messages are part of normal behaviour.
class QuietInteraction : public Interaction {
  public:
    int messages = 0;
    void message(const QString&, const QString& = {}) override { ++messages; }
    [[noreturn]] void endProgram() override { throw ProgramEnded(); }
    QString prompt(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<int> chooseColour() override { return std::nullopt; }
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
    void printWindow(QWidget&) override {}

  protected:
    void runModal(QWidget&) override {}
};

} // namespace hibimo::fuzz
