// Start-up to the first painted frame window: the splash window, every
// window of the program in its order, then events until the frame has
// painted itself once.
#include "Main.h"
#include "program.h"
#include "splash.h"

#include <QApplication>
#include <QEvent>

#include <benchmark/benchmark.h>

namespace {

class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return QObject::eventFilter(watched, event);
    }
};

void StartUpToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        auto bank = std::make_unique<tessera::FilterBankState>();
        auto splash = std::make_unique<TSplashForm>();
        splash->showAndPaint();
        tessera::TesseraProgram program(*bank);
        splash.reset();
        FirstPaint watcher;
        program.mainForm().installEventFilter(&watcher);
        while (!watcher.painted) QApplication::processEvents(QEventLoop::AllEvents, 5);
        program.mainForm().removeEventFilter(&watcher);
        state.PauseTiming();
        program.mainForm().hide();
        state.ResumeTiming();
    }
}
BENCHMARK(StartUpToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
