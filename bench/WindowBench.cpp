#include "bench/WindowBench.h"

#include "app/HbmFrm.h"
#include "bench/Bench.h"
#include "colours/ColourScheme.h"
#include "dialogs/HbmModule.h"
#include "generation/YearLoading.h"
#include "toolkit/Fonts.h"
#include "toolkit/Interaction.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace hibimo::bench {

namespace {

// A program folder as after some use: the delivered lists, settings, a colour file and year files.
void prepareFolder(const QString& folder) {
    for (const char* list : {"HBHolyD.dat", "HBBirth.dat"})
        QFile::copy(QStringLiteral(HIBIMO_SOURCE_DIR "/data/") + QLatin1String(list),
                    QDir(folder).filePath(QLatin1String(list)));
    QuietInteraction ui;
    HbmModule m(folder, ui);
    ColorDefaults(m.colours);
    m.colours.ColorFile = m.filePath(QStringLiteral("Default.ccf"));
    ColorSave(m, m.colours);
    m.colours.VersionText = QStringLiteral("ver 10392");
    SettingsWrite(m, m.colours);
    for (int year = 2020; year <= 2031; ++year) {
        m.LoadedYear = QString::number(year);
        YearLoad(m, m.LoadedYear);
    }
}

void startMainWindow(HbmFrm& frm) {
    frm.Form_Load();
    frm.show();
    frm.activateIfPending();
    frm.repaint();
}

// Nanoseconds of the steady clock, which on Linux is system-wide and so comparable across processes.
long long steadyNs(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

// The program's own start-up ends with its first paint, not with its exit: the child prints the
// steady clock once its window has been painted.
void printPaintedAt() {
    std::printf("%lld\n", steadyNs(std::chrono::steady_clock::now()));
    std::fflush(stdout);
}

struct ProcessTimes {
    double toFirstPaintMs;
    double wholeProcessMs;
};

ProcessTimes medianProcessTimes(const char* self, const QStringList& args, int runs) {
    std::vector<double> painted;
    std::vector<double> whole;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        const auto start = std::chrono::steady_clock::now();
        child.start(QString::fromLocal8Bit(self), args);
        child.waitForFinished(-1);
        whole.push_back(msSince(start));
        const long long paintedAt = child.readAllStandardOutput().trimmed().toLongLong();
        painted.push_back(static_cast<double>(paintedAt - steadyNs(start)) / 1e6);
    }
    return {median(std::move(painted)), median(std::move(whole))};
}

} // namespace

int runBareWindow(bool withText) {
    QWidget window;
    window.resize(679, 481);
    if (withText) {
        // One line of Japanese text: what any window with text pays for the font database.
        auto* label = new QLabel(QStringLiteral("日曜"), &window);
        label->setFont(msFont(MsGothic, 9));
    }
    window.show();
    // The first paint happens once the window is exposed, in the event loop.
    QCoreApplication::processEvents();
    printPaintedAt();
    return 0;
}

int runMainWindow(const char* folder) {
    installFontSubstitutions();
    QuietInteraction ui;
    HbmModule m(QString::fromLocal8Bit(folder), ui);
    HbmFrm frm(m);
    startMainWindow(frm);
    QCoreApplication::processEvents();
    printPaintedAt();
    return m.DispReady ? 0 : 1;
}

void runWindowBenchmarks(const char* self) {
    QTemporaryDir dir;
    prepareFolder(dir.path());
    installFontSubstitutions();
    QuietInteraction ui;
    HbmModule m(dir.path(), ui);
    m.today = [] { return QDate(2024, 6, 15); };
    HbmFrm frm(m);
    startMainWindow(frm);
    // Exposed, so that every repaint below really paints.
    QCoreApplication::processEvents();

    // 240 steps forward and back through 2022..2026: mostly steps within a year, a year change at
    // every year end (save the old year, load the new one).
    auto stepping = [&frm] {
        int direction = 1;
        int steps = 0;
        return medianMs(240, [&] {
            if (steps++ % 60 == 0)
                direction = -direction;
            frm.Command1_Click(direction > 0 ? 1 : 0);
            frm.repaint();
        });
    };
    report("month_step_with_repaint", stepping());
    // The same with 六曜 and the lunisolar date in every cell.
    frm.ChkAlmanac->click();
    report("month_step_with_repaint_almanac", stepping());
    frm.ChkAlmanac->click();

    const int runs = 15;
    const ProcessTimes bare = medianProcessTimes(self, {QStringLiteral("--bare-window")}, runs);
    const ProcessTimes bareText = medianProcessTimes(self, {QStringLiteral("--bare-window-text")}, runs);
    const ProcessTimes main = medianProcessTimes(self, {QStringLiteral("--main-window"), dir.path()}, runs);
    report("startup_bare_qt_window_to_first_paint", bare.toFirstPaintMs);
    report("startup_bare_qt_window_with_text_to_first_paint", bareText.toFirstPaintMs);
    report("startup_first_month_to_first_paint", main.toFirstPaintMs);
    std::printf("startup_ratio_to_bare %.2f x\n", main.toFirstPaintMs / bare.toFirstPaintMs);
    std::printf("startup_ratio_to_bare_with_text %.2f x\n", main.toFirstPaintMs / bareText.toFirstPaintMs);
    report("whole_process_bare_qt_window", bare.wholeProcessMs);
    report("whole_process_first_month", main.wholeProcessMs);
}

} // namespace hibimo::bench
