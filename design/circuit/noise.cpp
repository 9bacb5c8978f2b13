#include "noise.h"

#include "circuit_response.h"
#include "frequency_grid.h"
#include "stage_response.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tessera {
namespace {

constexpr int kSourceCount = kSectionCount * kNoiseSourcesPerSection;
using SourcePowers = std::array<double, kSourceCount>;

// Points per grid interval for Simpson's rule: even, and more for sharp
// peaks (a section's -3 dB width is f / Q; the grid steps 2.7 %).
int subdivisions(const CircuitParts& parts) {
    double highestQ = 0;
    for (const SectionParts& p : parts) highestQ = std::max(highestQ, idealStage(p).q);
    const double wanted = std::ceil(highestQ / 6);
    return 2 * static_cast<int>(std::clamp(wanted, 1.0, 32.0));
}

// The output noise power density (V^2/Hz) of every source at angular
// frequency omega: a section's own noise times the gains of the sections
// after it.
void sourcePowers(const CircuitParts& parts, const CircuitSettings& settings, double omega, SourcePowers& out) {
    double after = 1; // |gain|^2 of the sections after the one at hand
    for (int s = kSectionCount; s >= 1; --s) {
        const auto k = static_cast<std::size_t>(s - 1);
        const SectionResponse r = sectionResponse(parts[k], s, settings.summingOhms, settings.opAmp, omega);
        for (std::size_t n = 0; n < kNoiseSourcesPerSection; ++n) out[k * kNoiseSourcesPerSection + n] = r.noise[n] * after;
        after *= std::norm(r.sectionGain);
    }
}

// Composite Simpson's rule in ln f over the grid, `m` steps per interval:
// calls visit(grid index or -1, frequency, weight) where the integral of a
// density P over frequency is the sum of weight * P.
template <typename Visit> void forEachSample(int m, Visit visit) {
    const auto& grid = gridFrequencies();
    const int intervals = kGridPoints - 1;
    for (int i = 0; i <= intervals; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const double before = i > 0 ? std::log(grid[at] / grid[at - 1]) / m : 0;
        const double step = i < intervals ? std::log(grid[at + 1] / grid[at]) / m : 0;
        visit(i, grid[at], (before + step) / 3 * grid[at]);
        if (i == intervals) break;
        const double logStart = std::log(grid[at]);
        for (int j = 1; j < m; ++j) {
            const double f = std::exp(logStart + j * step);
            visit(-1, f, (j % 2 == 1 ? 4 : 2) * step / 3 * f);
        }
    }
}

double squaredAWeighting(double f) {
    const auto raw = [](double x) {
        const double x2 = x * x;
        const double r = 12194.0 * 12194.0 * x2 * x2 /
                         ((x2 + 20.6 * 20.6) * std::sqrt((x2 + 107.7 * 107.7) * (x2 + 737.9 * 737.9)) *
                          (x2 + 12194.0 * 12194.0));
        return r * r;
    };
    static const double atOneKilohertz = raw(1000);
    return raw(f) / atOneKilohertz;
}

constexpr double kTwoPi = 2 * std::numbers::pi;

} // namespace

double aWeighting(double frequency) { return std::sqrt(squaredAWeighting(frequency)); }

double voltsToDbu(double volts) { return 20 * std::log10(volts / kZeroDbuVolts); }
double dbuToVolts(double dbu) { return kZeroDbuVolts * std::pow(10, dbu / 20); }

double aWeightedNoiseUv(const CircuitParts& parts, const CircuitSettings& settings) {
    SourcePowers powers;
    double sum = 0;
    forEachSample(subdivisions(parts), [&](int, double f, double weight) {
        sourcePowers(parts, settings, kTwoPi * f, powers);
        double total = 0;
        for (double p : powers) total += p;
        sum += weight * squaredAWeighting(f) * total;
    });
    return std::sqrt(sum) * 1e6;
}

NoiseResult analyseNoise(const CircuitParts& parts, const CircuitSettings& settings) {
    NoiseResult result;
    SourcePowers powers, weighted{};
    double unweighted = 0;
    forEachSample(subdivisions(parts), [&](int gridIndex, double f, double weight) {
        sourcePowers(parts, settings, kTwoPi * f, powers);
        double total = 0;
        const double aWeight = weight * squaredAWeighting(f);
        for (std::size_t n = 0; n < powers.size(); ++n) {
            total += powers[n];
            weighted[n] += aWeight * powers[n];
        }
        unweighted += weight * total;
        if (gridIndex >= 0) result.densityNv[static_cast<std::size_t>(gridIndex)] = std::sqrt(total) * 1e9;
    });
    double aTotal = 0;
    for (double w : weighted) aTotal += w;
    result.totalUv = std::sqrt(unweighted) * 1e6;
    result.totalDbu = voltsToDbu(std::sqrt(unweighted));
    result.aWeightedUv = std::sqrt(aTotal) * 1e6;
    result.aWeightedDbu = voltsToDbu(std::sqrt(aTotal));
    for (int s = 1; s <= kSectionCount; ++s)
        for (int n = 0; n < kNoiseSourcesPerSection; ++n) {
            const double w = weighted[static_cast<std::size_t>((s - 1) * kNoiseSourcesPerSection + n)];
            if (w > 0 && aTotal > 0) result.contributors.push_back({noiseSourceName(s, n), w / aTotal});
        }
    std::stable_sort(result.contributors.begin(), result.contributors.end(),
                     [](const NoiseContributor& a, const NoiseContributor& b) { return a.share > b.share; });
    return result;
}

} // namespace tessera
