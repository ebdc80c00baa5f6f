#pragma once

#include "toolkit/Interaction.h"

#include <QStringList>
#include <cstdlib>
#include <exception>

namespace hibimo {

// An Interaction without a user, for benchmarks and fuzzers: messages are kept, every question is
// answered as if cancelled, and the end of the program aborts (override where it is expected).
class NullInteraction : public Interaction {
  public:
    QStringList messages;

    void message(const QString& text, const QString& = {}) override { messages << text; }
    [[noreturn]] void endProgram() override { std::abort(); }
    QString prompt(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<int> chooseColour(int, const QString&) override { return std::nullopt; }
    bool confirm(const QString&) override { return false; }
    QString openFileName(const FileRequest&) override { return {}; }
    QString saveFileName(const FileRequest&) override { return {}; }
    void printWindow(QWidget&) override {}

  protected:
    void runModal(QWidget&) override {}
    void cancelModalWindows() override {}
};

// Thrown where the program would end, so that a test, a fuzzer run or a benchmark sees the end and
// nothing after it runs.
struct ProgramEnded : std::exception {
    const char* what() const noexcept override { return "program ended"; }
};

// A NullInteraction whose end of the program throws ProgramEnded: for benchmarks, fuzzers and tests
// that feed damaged files on purpose.
class QuietInteraction : public NullInteraction {
  public:
    [[noreturn]] void endProgram() override { throw ProgramEnded(); }
};

} // namespace hibimo
