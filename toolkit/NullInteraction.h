#pragma once

#include "toolkit/Interaction.h"

#include <QStringList>
#include <cstdlib>

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
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
    void printWindow(QWidget&) override {}

  protected:
    void runModal(QWidget&) override {}
    void cancelModalWindows() override {}
};

} // namespace hibimo
