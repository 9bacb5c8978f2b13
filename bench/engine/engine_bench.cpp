// Costs of the curve passes that every edit and every spin tick runs.
#include "filter_engine.h"
#include "standard_series.h"

#include <benchmark/benchmark.h>

#include <bit>
#include <cstdint>

using namespace tessera;

namespace {
// Receives the block as a plot control would: reads it, keeps only a
// checksum of the bits of its range and of its last curve value. The
// checksum is an integer: GCC 12 at -O3 with benchmark 1.7.1 can zero a
// double handed to DoNotOptimize.
struct DiscardingSink : PlotSink {
    std::uint64_t checksum = 0;
    void setData(GraphWindow, const PlotData& block) override {
        const std::size_t last = static_cast<std::size_t>(block.rows()) * static_cast<std::size_t>(block.count()) - 1;
        checksum = std::rotl(checksum, 7) ^ std::bit_cast<std::uint64_t>(block.yMin()) ^
                   std::bit_cast<std::uint64_t>(block.yMax()) ^ std::bit_cast<std::uint64_t>(block.value(last));
    }
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

// Runs one engine operation per iteration on a start-up bank with section 1
// tuned to a real boost.
template <typename Operation> void runPass(benchmark::State& st, Operation operation) {
    Bench b;
    for (auto _ : st) {
        operation(b.engine);
        benchmark::DoNotOptimize(b.sink.checksum);
    }
}

// One section pass plus the result pass it triggers (what one edit costs).
static void BM_RefreshFilter(benchmark::State& st) {
    runPass(st, [](FilterEngine& engine) { engine.refreshFilter(1); });
}
BENCHMARK(BM_RefreshFilter);

static void BM_RefreshResult(benchmark::State& st) {
    runPass(st, [](FilterEngine& engine) { engine.refreshresult(); });
}
BENCHMARK(BM_RefreshResult);

// A whole page refresh: resistors, snapping, realised values, both passes.
static void BM_RefreshPage(benchmark::State& st) {
    runPass(st, [](FilterEngine& engine) { engine.refreshPage(2); });
}
BENCHMARK(BM_RefreshPage);
