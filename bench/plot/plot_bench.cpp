// A Redraw of a 1000 x 700 plot with two rows (every spin-button tick
// redraws two plots, 100 ms apart): the curves over the kept static layer,
// beside the complete drawing of everything that it replaces; the readout
// on a mouse movement, and the metafile export.
//
//   QT_QPA_PLATFORM=offscreen plot_bench

#include "frequency_grid.h"
#include "plot_surface.h"
#include "wmf_writer.h"

#include <QGuiApplication>
#include <QPainter>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace tessera;
using namespace tessera::plot;

PlotData peakBlock() {
    PlotData block = PlotData::forRows(2, kGridPoints);
    block.setSampleRate(48000);
    block.setXRange(20, 20000);
    double lowest = 0, highest = 0;
    for (int j = 0; j < kGridPoints; ++j) {
        const double f = gridFrequencies()[static_cast<std::size_t>(j)];
        const double u = std::log2(f / 1000);
        const double v = 8 / (1 + 4 * u * u);
        block.setValue(static_cast<std::size_t>(j), f);
        block.setValue(static_cast<std::size_t>(kGridPoints + j), v);
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
    }
    block.setYRange(lowest, highest);
    return block;
}

void BM_Redraw1000x700TwoRows(benchmark::State& state) {
    PlotSurface plot;
    plot.setSize(1000, 700);
    plot.setTitle("Filter1 (dB)");
    plot.setXlabel("Frequency (Hz)");
    plot.SetData(peakBlock());
    for (auto _ : state) {
        plot.Redraw();
        benchmark::DoNotOptimize(plot.picture().constBits());
    }
}
BENCHMARK(BM_Redraw1000x700TwoRows)->Unit(benchmark::kMicrosecond);

// Everything recorded and played into the bitmap, as every Redraw once did.
void BM_CompleteDrawing1000x700TwoRows(benchmark::State& state) {
    const PlotData block = peakBlock();
    PlotScene scene;
    scene.view = &block;
    scene.stride = block.count();
    scene.fullXMin = block.xMin();
    scene.width = 1000;
    scene.height = 700;
    scene.title = "Filter1 (dB)";
    scene.xlabel = "Frequency (Hz)";
    QImage picture(1000, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        const DrawnPlot drawn = drawPlot(scene, '.');
        QPainter painter(&picture);
        playRecording(drawn.recording, painter);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_CompleteDrawing1000x700TwoRows)->Unit(benchmark::kMicrosecond);

void BM_ReadoutOnMouseMove(benchmark::State& state) {
    PlotSurface plot;
    plot.setSize(1000, 700);
    plot.SetData(peakBlock());
    int x = 100;
    for (auto _ : state) {
        benchmark::DoNotOptimize(plot.move(x, 350));
        x = x < 900 ? x + 7 : 101;
    }
}
BENCHMARK(BM_ReadoutOnMouseMove)->Unit(benchmark::kMicrosecond);

void BM_MetafileBytes(benchmark::State& state) {
    PlotSurface plot;
    plot.setSize(1000, 700);
    plot.SetData(peakBlock());
    for (auto _ : state) benchmark::DoNotOptimize(placeableMetafile(plot.recording(), 96));
}
BENCHMARK(BM_MetafileBytes)->Unit(benchmark::kMicrosecond);

void BM_ExportMetafile(benchmark::State& state) {
    QTemporaryDir scratch;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(scratch.path());
    PlotSurface plot;
    plot.setSize(1000, 700);
    plot.SetData(peakBlock());
    for (auto _ : state) benchmark::DoNotOptimize(plot.ExportMetafile());
    QDir::setCurrent(previous);
}
BENCHMARK(BM_ExportMetafile)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
