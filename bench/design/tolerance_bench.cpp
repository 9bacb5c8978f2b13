// 1000 tolerance trials of a design with all four sections at work, beside a
// floor that does the same draws and curves in the simplest code: the
// engine's section response at every grid point of every section.

#include "tolerance.h"

#include "bench_circuit.h"
#include "frequency_grid.h"
#include "random_stream.h"
#include "section_response.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

using namespace tessera;

void BM_ToleranceThousandTrials(benchmark::State& state) {
    const CircuitParts parts = benchDesign();
    for (auto _ : state) benchmark::DoNotOptimize(runTolerance(parts, ToleranceSettings{}));
}
BENCHMARK(BM_ToleranceThousandTrials)->Unit(benchmark::kMillisecond);

// The same with a real op-amp: each section as the netlist builds it.
void BM_ToleranceThousandTrialsWithOpAmp(benchmark::State& state) {
    const CircuitParts parts = benchDesign();
    ToleranceSettings settings;
    settings.opAmp = *opAmpNamed("NE5532");
    for (auto _ : state) benchmark::DoNotOptimize(runTolerance(parts, settings));
}
BENCHMARK(BM_ToleranceThousandTrialsWithOpAmp)->Unit(benchmark::kMillisecond);

// The floor: the same draws, each section's frequency, Q and gain from its
// parts, and the engine's per-point response summed over the sections.
void BM_ToleranceThousandTrialsFloor(benchmark::State& state) {
    const CircuitParts parts = benchDesign();
    const auto& grid = gridFrequencies();
    for (auto _ : state) {
        RandomStream random(1);
        Curve lowest, highest;
        lowest.fill(1e300);
        highest.fill(-1e300);
        for (int t = 0; t < 1000; ++t) {
            CircuitParts drawn = parts;
            for (SectionParts& p : drawn) {
                p.R2 *= 1 + 0.01 * (2 * random.uniform() - 1);
                p.R3 *= 1 + 0.01 * (2 * random.uniform() - 1);
                p.R1 *= 1 + 0.01 * (2 * random.uniform() - 1);
            }
            for (SectionParts& p : drawn) {
                p.C1 *= 1 + 0.05 * (2 * random.uniform() - 1);
                p.C2 *= 1 + 0.05 * (2 * random.uniform() - 1);
            }
            for (std::size_t i = 0; i < kGridPoints; ++i) {
                double sum = 0;
                for (int s = 1; s <= kSectionCount; ++s) {
                    const SectionParts& p = drawn[static_cast<std::size_t>(s - 1)];
                    const double omega = std::sqrt((1 / p.R1 + 1 / p.R3) / (p.C1 * p.C2 * p.R2));
                    const double q = omega * p.C1 * p.C2 * p.R2 / (p.C1 + p.C2);
                    const double a = p.C1 * p.R2 / (p.R1 * (p.C1 + p.C2));
                    sum += sectionResponseDb(grid[i], omega / (2 * std::numbers::pi), q, a, isBoostSection(s), 0);
                }
                lowest[i] = std::min(lowest[i], sum);
                highest[i] = std::max(highest[i], sum);
            }
        }
        benchmark::DoNotOptimize(lowest);
        benchmark::DoNotOptimize(highest);
    }
}
BENCHMARK(BM_ToleranceThousandTrialsFloor)->Unit(benchmark::kMillisecond);

} // namespace
