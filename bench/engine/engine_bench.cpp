// Costs of the curve passes that every edit and every spin tick runs.
#include "filter_engine.h"
#include "standard_series.h"

#include <benchmark/benchmark.h>

using namespace tessera;

namespace {
// Receives the block as a plot control would: reads it, keeps nothing.
struct DiscardingSink : PlotSink {
    double checksum = 0;
    void setData(GraphWindow, const PlotData& block) override { checksum += block.yMax(); }
};

struct Bench {
    FilterBankState state;
    DiscardingSink sink;
    FilterEngine engine{state};
    Bench() {
        E24Init(state);
        engine.setPlotSink(&sink);
        engine.Reset(true);
        state.section(1).Frequency = 1000;
        state.section(1).Q = 1.4;
        state.section(1).GainFactor = 2;
    }
};
} // namespace

// One section pass plus the result pass it triggers (what one edit costs).
static void BM_RefreshFilter(benchmark::State& st) {
    Bench b;
    for (auto _ : st) {
        b.engine.refreshFilter(1);
        benchmark::DoNotOptimize(b.sink.checksum);
    }
}
BENCHMARK(BM_RefreshFilter);

static void BM_RefreshResult(benchmark::State& st) {
    Bench b;
    for (auto _ : st) {
        b.engine.refreshresult();
        benchmark::DoNotOptimize(b.sink.checksum);
    }
}
BENCHMARK(BM_RefreshResult);

// A whole page refresh: resistors, snapping, realised values, both passes.
static void BM_RefreshPage(benchmark::State& st) {
    Bench b;
    for (auto _ : st) {
        b.engine.refreshPage(2);
        benchmark::DoNotOptimize(b.sink.checksum);
    }
}
BENCHMARK(BM_RefreshPage);
