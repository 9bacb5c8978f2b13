// The cost of a full fit: all four sections over the whole band on a
// generated measurement, beside the floor of the same count of section
// curves evaluated once each in the simplest code.
#include "fit.h"
#include "fit_cases.h"
#include "section_response.h"

#include <benchmark/benchmark.h>

using namespace tessera;

static void BM_FitAllSectionsFullBand(benchmark::State& st) {
    const auto measured = bench::generatedMeasurement(static_cast<unsigned>(st.range(0)));
    FitSettings settings;
    settings.maxBoostDb = 12;
    for (auto _ : st) {
        const FitOutcome outcome = fitSections(*measured, settings);
        benchmark::DoNotOptimize(outcome.result.after.rms);
    }
}
BENCHMARK(BM_FitAllSectionsFullBand)->Arg(1000)->Arg(1029)->Arg(1198)->Unit(benchmark::kMillisecond);

// A maximum boost of 3 dB: the boost sections' parts are hard to find, the
// slowest fits of the generated cases.
static void BM_FitMaxBoost3(benchmark::State& st) {
    const auto measured = bench::generatedMeasurement(static_cast<unsigned>(st.range(0)));
    FitSettings settings;
    settings.maxBoostDb = 3;
    for (auto _ : st) {
        const FitOutcome outcome = fitSections(*measured, settings);
        benchmark::DoNotOptimize(outcome.result.after.rms);
    }
}
BENCHMARK(BM_FitMaxBoost3)->Arg(1000)->Arg(1004)->Arg(1007)->Unit(benchmark::kMillisecond);

// The slowest cases of the quality benchmark (fit_cases.h): four generated
// ones, a headphone over a limited band, cuts only with E12 parts.
static void BM_FitBenchmarkCase(benchmark::State& st) {
    bench::FitCase fitCase = bench::fitCase(static_cast<int>(st.range(0)));
    for (auto _ : st) {
        const FitOutcome outcome = fitSections(*fitCase.measured, fitCase.settings);
        benchmark::DoNotOptimize(outcome.result.after.rms);
    }
}
BENCHMARK(BM_FitBenchmarkCase)->Arg(84)->Arg(89)->Arg(160)->Arg(161)->Arg(211)->Arg(258)->Unit(benchmark::kMillisecond);

// Kept start-up capacitors (1 nF) that cannot reach the low dips: the parts
// search falls back to scanning the table.
static void BM_FitKeptCapacitors(benchmark::State& st) {
    const auto measured = bench::generatedMeasurement(1000);
    FitSettings settings;
    settings.chooseCapacitors = false;
    for (auto _ : st) {
        const FitOutcome outcome = fitSections(*measured, settings);
        benchmark::DoNotOptimize(outcome.result.after.rms);
    }
}
BENCHMARK(BM_FitKeptCapacitors)->Unit(benchmark::kMillisecond);

// Floor: one page curve per section per candidate a minimal search would
// try, 4 sections x 13 capacitors x 27 neighbouring resistor sets.
static void BM_FitFloorCurves(benchmark::State& st) {
    for (auto _ : st) {
        double sum = 0;
        for (int n = 0; n < 4 * 13 * 27; ++n) sum += sectionCurveDb(1000 + n, 1.5, 1, n % 2 == 0)[100];
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_FitFloorCurves)->Unit(benchmark::kMillisecond);
