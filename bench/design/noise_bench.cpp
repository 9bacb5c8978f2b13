// The output noise of a design (what the fit asks many times) and the whole
// noise and headroom analysis, beside a floor that does the least of that work in the
// simplest code: each section's transfer (stage_response.h) at the grid
// frequencies and between them, as the noise integral samples them.

#include "noise.h"

#include "bench_circuit.h"
#include "headroom.h"
#include "frequency_grid.h"
#include "stage_response.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

using namespace tessera;

CircuitSettings benchSettings() {
    CircuitSettings settings;
    settings.opAmp = *opAmpNamed("NE5532");
    return settings;
}

void BM_AWeightedNoise(benchmark::State& state) {
    const CircuitParts parts = benchDesign();
    const CircuitSettings settings = benchSettings();
    for (auto _ : state) benchmark::DoNotOptimize(aWeightedNoiseUv(parts, settings));
}
BENCHMARK(BM_AWeightedNoise)->Unit(benchmark::kMicrosecond);

// What the Noise and Headroom dialog and `tessera-design noise` compute.
void BM_NoiseAndHeadroom(benchmark::State& state) {
    const CircuitParts parts = benchDesign();
    const CircuitSettings settings = benchSettings();
    for (auto _ : state) {
        benchmark::DoNotOptimize(analyseNoise(parts, settings));
        benchmark::DoNotOptimize(analyseHeadroom(parts, settings));
    }
}
BENCHMARK(BM_NoiseAndHeadroom)->Unit(benchmark::kMicrosecond);

// The floor: |section transfer|^2 of the four sections, summed, at 511
// frequencies (the grid and the points between).
void BM_NoiseFloor(benchmark::State& state) {
    const CircuitParts parts = benchDesign();
    const double gbw = benchSettings().opAmp.gbw;
    const auto& grid = gridFrequencies();
    for (auto _ : state) {
        long double sum = 0;
        for (std::size_t i = 0; i < kGridPoints; ++i)
            for (int half = 0; half < (i + 1 < kGridPoints ? 2 : 1); ++half) {
                const double f = half == 0 ? grid[i] : std::sqrt(grid[i] * grid[i + 1]);
                for (int s = 1; s <= kSectionCount; ++s)
                    sum += std::norm(sectionTransfer(parts[static_cast<std::size_t>(s - 1)], isBoostSection(s), gbw,
                                                     2 * std::numbers::pi_v<long double> * f));
            }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_NoiseFloor)->Unit(benchmark::kMicrosecond);

} // namespace
