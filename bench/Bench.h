#pragma once

#include "toolkit/Interaction.h"

#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace hibimo::bench {

// Says nothing; a message or the end of the program during a benchmark is a fault of the bench.
class QuietInteraction : public Interaction {
  public:
    void message(const QString& text, const QString& = {}) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
    [[noreturn]] void endProgram() override { std::abort(); }
    QString prompt(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<int> chooseColour() override { return std::nullopt; }
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
    void printWindow(QWidget&) override {}

  protected:
    void runModal(QWidget&) override {}
};

// Median wall time of runs calls of work, in milliseconds.
inline double medianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    times.reserve(static_cast<size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// One figure per line: "<name> <median> ms".
inline void report(const char* name, double ms) {
    std::printf("%s %.3f ms\n", name, ms);
}

} // namespace hibimo::bench
