// Start-up until the last window is on the screen: the splash window, every
// window of the program in its order, then events until the frame, the six
// graph windows' plots and the configuration dialog have each painted once.
// Beside it the floor: a bare Qt main window, shown maximised, until it has
// painted once; and the same window showing one line of text, which adds
// the font system's start that every program with words on the screen pays.
//
// Measured twice: as whole processes (this program started again as a probe
// that does one start-up and ends at once, as a user meets it: the Qt
// libraries, platform and fonts are loaded every time), and warm, inside
// one process that has already started Qt and identified the program.
//
//   QT_QPA_PLATFORM=offscreen startup_bench   (or under xvfb-run for X11)
#include "Main.h"
#include "einstell.h"
#include "graph_window.h"
#include "program.h"
#include "splash.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>

#include <benchmark/benchmark.h>

#include <set>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <string>

extern char** environ;

namespace {

// Waits until every watched widget has painted at least once.
class PaintWatcher : public QObject {
public:
    void watch(QObject* widget) {
        waiting_.insert(widget);
        widget->installEventFilter(this);
    }
    void waitForAll() {
        while (!waiting_.empty()) QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && waiting_.erase(watched)) watched->removeEventFilter(this);
        return QObject::eventFilter(watched, event);
    }

private:
    std::set<QObject*> waiting_;
};

// One start-up in this process: the program's windows until the last has painted.
std::unique_ptr<tessera::TesseraProgram> startProgram(tessera::FilterBankState& bank) {
    auto splash = std::make_unique<TSplashForm>();
    splash->showAndPaint();
    auto program = std::make_unique<tessera::TesseraProgram>(bank);
    splash.reset();
    PaintWatcher watcher;
    watcher.watch(&program->mainForm());
    watcher.watch(&program->dialog());
    for (TGraphWindow* window : program->graphWindows().windows()) watcher.watch(window->ControlImage1());
    watcher.waitForAll();
    return program;
}

// With `withText` the window shows one line of text: the font system starts
// (its configuration read, the fonts listed, one face loaded), as it must for
// any program that shows words.
std::unique_ptr<QMainWindow> startBareWindow(bool withText = false) {
    auto window = std::make_unique<QMainWindow>();
    if (withText) window->setCentralWidget(new QLabel(QStringLiteral("TESSERA 1.0")));
    window->showMaximized();
    PaintWatcher watcher;
    watcher.watch(window.get());
    watcher.waitForAll();
    return window;
}

constexpr const char* kProgramProbe = "--probe-program";
constexpr const char* kBareProbe = "--probe-bare-window";
constexpr const char* kBareTextProbe = "--probe-bare-window-with-text";
std::string selfPath;

// Starts this program as `probe` and waits for it; its CPU time goes to the counters.
void runProbe(benchmark::State& state, const char* probe) {
    double cpuSeconds = 0;
    for (auto _ : state) {
        char* args[] = {selfPath.data(), const_cast<char*>(probe), nullptr};
        pid_t child = 0;
        if (posix_spawn(&child, selfPath.c_str(), nullptr, nullptr, args, environ) != 0) {
            state.SkipWithError("cannot start the probe");
            return;
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the probe failed");
            return;
        }
        cpuSeconds += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    }
    state.counters["probe CPU ms"] = benchmark::Counter(cpuSeconds * 1e3 / static_cast<double>(state.iterations()));
}

void ProcessStartUpToLastWindowShown(benchmark::State& state) { runProbe(state, kProgramProbe); }
BENCHMARK(ProcessStartUpToLastWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void ProcessBareMainWindowShown(benchmark::State& state) { runProbe(state, kBareProbe); }
BENCHMARK(ProcessBareMainWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void ProcessBareMainWindowWithTextShown(benchmark::State& state) { runProbe(state, kBareTextProbe); }
BENCHMARK(ProcessBareMainWindowWithTextShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void StartUpToLastWindowShown(benchmark::State& state) {
    int drawings = 0;
    for (auto _ : state) {
        auto bank = std::make_unique<tessera::FilterBankState>();
        auto program = startProgram(*bank);

        state.PauseTiming();
        drawings = 0;
        for (TGraphWindow* window : program->graphWindows().windows()) drawings += window->ControlImage1()->drawingCount();
        program.reset();
        bank.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    // Each of the six plots draws once.
    state.counters["plot drawings"] = drawings;
}
BENCHMARK(StartUpToLastWindowShown)->Unit(benchmark::kMillisecond)->Iterations(20);

void BareMainWindowShown(benchmark::State& state) {
    for (auto _ : state) {
        auto window = startBareWindow();

        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BareMainWindowShown)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    // A probe: one start-up as the program does it, then out without tearing down.
    if (argc == 2 && std::strcmp(argv[1], kProgramProbe) == 0) {
        QApplication application(argc, argv);
        tessera::identifyApplication();
        tessera::FilterBankState bank;
        auto program = startProgram(bank);
        std::_Exit(0);
    }
    if (argc == 2 && (std::strcmp(argv[1], kBareProbe) == 0 || std::strcmp(argv[1], kBareTextProbe) == 0)) {
        QApplication application(argc, argv);
        auto window = startBareWindow(std::strcmp(argv[1], kBareTextProbe) == 0);
        std::_Exit(0);
    }
    selfPath = argv[0];
    QApplication application(argc, argv);
    // As the program does once before its first window.
    tessera::identifyApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
