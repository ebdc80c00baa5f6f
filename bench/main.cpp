#include "bench/DataBench.h"
#include "bench/ShareBench.h"
#include "bench/WindowBench.h"

#include <QApplication>
#include <cstring>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "--bare-window") == 0)
        return hibimo::bench::runBareWindow(false);
    if (argc >= 2 && std::strcmp(argv[1], "--bare-window-text") == 0)
        return hibimo::bench::runBareWindow(true);
    if (argc >= 3 && std::strcmp(argv[1], "--main-window") == 0)
        return hibimo::bench::runMainWindow(argv[2]);
    if (argc >= 2 && std::strcmp(argv[1], "--share") == 0) {
        hibimo::bench::runShareBenchmarks();
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "--publish") == 0) {
        hibimo::bench::runPublishBenchmarks();
        return 0;
    }
    hibimo::bench::runDataBenchmarks();
    hibimo::bench::runShareBenchmarks();
    hibimo::bench::runWindowBenchmarks(argv[0]);
    return 0;
}
