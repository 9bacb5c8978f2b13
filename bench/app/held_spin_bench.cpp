// One auto-repeat step of a held spin button in the running program, as the
// user meets it: section 1's frequency spin button is held down and its
// repeat timer fires; the engine steps, the edit history grows the held
// step, the Edit menu follows, and everything that changed repaints. Beside
// it the same step with the history left out (the page's steps followed by
// nothing), which is all a step cost before the program had one: the
// history's share is the difference.
//
//   xvfb-run -a held_spin_bench        (X11, as the program runs; or
//   QT_QPA_PLATFORM=offscreen held_spin_bench)
#include "Main.h"
#include "einstell.h"
#include "filter_page.h"
#include "page_layout.h"
#include "program.h"

#include "arrow_buttons.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimerEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using tessera::dialog::Control;

// The program started, shown and idle, with the spin button of section 1's
// frequency held down on one half; tick() is one firing of its repeat.
class HeldSpin {
public:
    HeldSpin() : program_(std::make_unique<tessera::TesseraProgram>(bank_)) {
        FilterPage* page = program_->dialog().page(1);
        spin_ = page->findChild<TSpinButton*>(
            QString::fromStdString(tessera::dialog::objectName(Control::FrequencySpin, 1)));
        repeat_ = spin_->findChild<QTimer*>(QStringLiteral("repeatTimer"));
        settle();
        press(true);
    }
    ~HeldSpin() { release(); }

    // Up for 20 steps, then down for 20, so the frequency stays in range.
    void tick(benchmark::State& state) {
        if (++steps_ % 20 == 0) {
            state.PauseTiming();
            release();
            press(!up_);
            state.ResumeTiming();
        }
        QTimerEvent firing(repeat_->timerId());
        QCoreApplication::sendEvent(repeat_, &firing);
        QApplication::processEvents(); // the repaints
    }
    TMainForm& frame() { return program_->mainForm(); }
    FilterPage& page() { return *program_->dialog().page(1); }

private:
    void settle() {
        for (int k = 0; k < 20; ++k) QApplication::processEvents();
    }
    void press(bool up) {
        up_ = up;
        const QPointF at(spin_->width() / 2.0, up ? 2.0 : spin_->height() - 2.0);
        QMouseEvent event(QEvent::MouseButtonPress, at, spin_->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(spin_, &event);
        settle();
    }
    void release() {
        const QPointF at(spin_->width() / 2.0, up_ ? 2.0 : spin_->height() - 2.0);
        QMouseEvent event(QEvent::MouseButtonRelease, at, spin_->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(spin_, &event);
        settle();
    }

    tessera::FilterBankState bank_{};
    std::unique_ptr<tessera::TesseraProgram> program_;
    TSpinButton* spin_ = nullptr;
    QTimer* repeat_ = nullptr;
    bool up_ = true;
    int steps_ = 0;
};

void HeldSpinStep(benchmark::State& state) {
    HeldSpin held;
    for (auto _ : state) held.tick(state);
}
BENCHMARK(HeldSpinStep)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void HeldSpinStepWithoutHistory(benchmark::State& state) {
    HeldSpin held;
    QObject::disconnect(&held.page(), nullptr, &held.frame(), nullptr);
    for (auto _ : state) held.tick(state);
}
BENCHMARK(HeldSpinStepWithoutHistory)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    tessera::identifyApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
