// One tick of a held spin button as the running program does it: the engine
// steps section 1's frequency, hands the section's and the result's curve to
// their plot controls, and both controls repaint at 1000 x 700 (offscreen).
// Beside it the floor: the same engine step, then two plain widgets that
// paint the same complete picture with bare QPainter calls, nothing kept;
// and the engine step alone, its share of both.
//
//   QT_QPA_PLATFORM=offscreen spin_tick_bench

#include "contimage.h"
#include "filter_engine.h"
#include "plot_drawing.h"
#include "regional.h"
#include "standard_series.h"

#include <QApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

using namespace tessera;
using namespace tessera::plot;

constexpr int kWidth = 1000, kHeight = 700;

// Section 1 tuned to a real boost, as the engine benchmarks use it.
struct Bank {
    FilterBankState state;
    FilterEngine engine{state};
    Bank() {
        E24Init(state);
        engine.Reset(true);
        state.section(1).Frequency = 1000;
        state.section(1).Q = 1.4;
        state.section(1).GainFactor = 2;
        engine.refreshFilter(1);
    }
    // Up for 20 ticks, then down for 20: the frequency stays in its range.
    void tick(int& n) {
        engine.spin(1, Entry::Frequency, (n / 20) % 2 == 0);
        ++n;
    }
};

template <typename Plot> struct RoutedSink : PlotSink {
    Plot* section = nullptr;
    Plot* result = nullptr;
    void setData(GraphWindow window, const PlotData& block) override {
        if (window == GraphWindow::Filter1) section->SetData(block);
        if (window == GraphWindow::Result) result->SetData(block);
    }
};

template <typename Plot> void showAt1000x700(Plot& plot) {
    plot.resize(kWidth, kHeight);
    plot.show();
    QApplication::processEvents();
}

// What the event loop does next: paint what the two windows asked to have
// repainted, and put it on the screen.
void paintPending(QWidget& section, QWidget& result) {
    QCoreApplication::sendPostedEvents(&section, QEvent::UpdateRequest);
    QCoreApplication::sendPostedEvents(&result, QEvent::UpdateRequest);
}

// Routes the engine's curves for section 1 and the result to the two
// windows and runs one tick per iteration.
template <typename Plot> void runTicks(benchmark::State& state, Plot& section, Plot& result) {
    Bank bank;
    RoutedSink<Plot> sink;
    sink.section = &section;
    sink.result = &result;
    bank.engine.setPlotSink(&sink);
    int n = 0;
    for (auto _ : state) {
        bank.tick(n);
        paintPending(section, result);
    }
}

void BM_SpinTick(benchmark::State& state) {
    TControlImage section, result;
    section.setTitle("Filter1 (dB)");
    result.setTitle("Result (dB)");
    for (TControlImage* plot : {&section, &result}) {
        plot->setXlabel("Frequency (Hz)");
        showAt1000x700(*plot);
    }
    runTicks(state, section, result);
    state.counters["drawings"] = section.drawingCount() + result.drawingCount();
    state.counters["layers"] = section.staticLayerCount() + result.staticLayerCount();
}
BENCHMARK(BM_SpinTick)->Unit(benchmark::kMicrosecond);

// The engine's share of a tick: the same step, the curves read and dropped.
struct DroppedPlot : QWidget {
    // Read as a plot control would, so the step cannot be skipped.
    double lastYMax = 0;
    void SetData(const PlotData& block) { lastYMax = block.yMax(); }
};

void BM_SpinTickEngineOnly(benchmark::State& state) {
    DroppedPlot section, result;
    runTicks(state, section, result);
}
BENCHMARK(BM_SpinTickEngineOnly)->Unit(benchmark::kMicrosecond);

// The complete picture in plain QPainter calls, all of it afresh on every
// paint: frame, grid and labels where the plot places them, and the curve.
class BarePlot : public QWidget {
public:
    QString title;
    void SetData(const PlotData& block) {
        block_ = block;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        PlotScene scene;
        scene.view = &block_;
        scene.stride = block_.count();
        scene.fullXMin = block_.xMin();
        scene.width = width();
        scene.height = height();
        scene.title = title;
        scene.xlabel = QStringLiteral("Frequency (Hz)");
        const PlotFrame frame = PlotFrame::of(scene);
        const FrequencyMarks frequency = FrequencyMarks::of(frame.scale, '.');
        const PlotLayout& p = frame.scale.layout();

        QPainter painter(this);
        painter.fillRect(rect(), QColor(192, 192, 192));
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, width() - 1, height() - 1);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(11);
        painter.setFont(font);
        painter.setBackground(QColor(192, 192, 192));
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.drawText(p.cx - 40, p.T / 2 + 11, title);
        painter.drawText(p.cx - 40, p.B + p.T / 2 + 11, scene.xlabel);
        painter.fillRect(QRect(QPoint(p.L, p.T), QPoint(p.R - 1, p.B - 1)), Qt::black);
        painter.drawRect(QRect(QPoint(p.L, p.T), QPoint(p.R - 2, p.B - 2)));
        const QPen solidGrid(QColor(192, 192, 192)), dottedGrid(QColor(192, 192, 192), 1, Qt::DotLine);
        for (const FrequencyTick& tick : frequency.ticks) {
            if (tick.major) {
                painter.setPen(Qt::black);
                painter.drawText(tick.x - 7, p.B + 17, QString::fromStdString(tick.label));
                painter.drawLine(tick.x, p.B + 5, tick.x, p.B - 5);
            }
            painter.setPen(tick.major ? solidGrid : dottedGrid);
            painter.drawLine(tick.x, p.B, tick.x, p.T + 1);
        }
        for (const GainMark& tick : gainMarks(frame.scale, frame.yStep, '.')) {
            painter.setPen(Qt::black);
            painter.drawLine(p.L - 5, tick.y, p.L + 5, tick.y);
            painter.drawText(p.L - 30, tick.y + 5, QString::fromStdString(tick.label));
            painter.setPen(tick.zero ? solidGrid : dottedGrid);
            painter.drawLine(p.L + 6, tick.y, p.R - 1, tick.y);
        }
        painter.setPen(QColor(0, 255, 0));
        std::vector<QPoint> points;
        for (int j = 0; j < block_.count(); ++j)
            points.emplace_back(frame.scale.x(block_.value(static_cast<std::size_t>(j))),
                                frame.scale.y(block_.value(static_cast<std::size_t>(block_.count() + j))));
        painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    }

private:
    PlotData block_ = PlotData::initialBlock();
};

void BM_SpinTickFloor(benchmark::State& state) {
    BarePlot section, result;
    section.title = QStringLiteral("Filter1 (dB)");
    result.title = QStringLiteral("Result (dB)");
    showAt1000x700(section);
    showAt1000x700(result);
    runTicks(state, section, result);
}
BENCHMARK(BM_SpinTickFloor)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setDecimalSeparator('.');
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
