#include "tolerance.h"

#include "circuit_response.h"
#include "designators.h"
#include "frequency_grid.h"
#include "random_stream.h"
#include "vector_state.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tessera {
namespace {

constexpr int kPartCount = 5 * kSectionCount; // three resistors and two capacitors each

// A section's realised centre frequency, Q and gain factor, as the
// coefficients the fast response needs.
struct SectionShape {
    double inverseFSquared; // 1 / F^2
    double inverseQSquared; // 1 / Q^2
    double boostSquared;    // (1 + A)^2
};

SectionShape shapeOf(const SectionParts& p) {
    const double omegaSquared = (1 / p.R1 + 1 / p.R3) / (p.C1 * p.C2 * p.R2);
    const double twoPi = 2 * std::numbers::pi;
    const double q = std::sqrt(omegaSquared) * p.C1 * p.C2 * p.R2 / (p.C1 + p.C2);
    const double a = p.C1 * p.R2 / (p.R1 * (p.C1 + p.C2));
    return {twoPi * twoPi / omegaSquared, 1 / (q * q), (1 + a) * (1 + a)};
}

// With a real op-amp: the sections as the netlist builds them, multiplied.
void combinedWithOpAmpInto(const CircuitParts& parts, const OpAmpModel& opAmp, Curve& out) {
    const auto& grid = gridFrequencies();
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        double power = 1;
        for (int s = 1; s <= kSectionCount; ++s)
            power *= std::norm(sectionGain(parts[static_cast<std::size_t>(s - 1)], s, opAmp, 2 * std::numbers::pi * grid[i]));
        out[i] = 10 * std::log10(power);
    }
}

// |1 + A H|^2 at all grid points at once, multiplied over the sections (cut
// sections divide), then one logarithm per point; ideal op-amps.
void combinedInto(const CircuitParts& parts, const OpAmpModel& opAmp, Curve& out) {
    if (!opAmp.isIdeal()) return combinedWithOpAmpInto(parts, opAmp, out);
    static const auto squares = [] {
        std::array<double, kGridPoints> s{};
        const auto& grid = gridFrequencies();
        for (std::size_t i = 0; i < kGridPoints; ++i) s[i] = grid[i] * grid[i];
        return s;
    }();
    std::array<SectionShape, kSectionCount> shapes;
    for (std::size_t k = 0; k < shapes.size(); ++k) shapes[k] = shapeOf(parts[k]);
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        double numerator = 1, denominator = 1;
        for (std::size_t k = 0; k < shapes.size(); ++k) {
            const double w2 = squares[i] * shapes[k].inverseFSquared;
            const double u = (1 - w2) * (1 - w2);
            const double v = w2 * shapes[k].inverseQSquared;
            const double top = u + v * shapes[k].boostSquared, bottom = u + v;
            if (isBoostSection(static_cast<int>(k) + 1)) {
                numerator *= top;
                denominator *= bottom;
            } else {
                numerator *= bottom;
                denominator *= top;
            }
        }
        out[i] = 10 * std::log10(numerator / denominator);
    }
}

// Part p of the circuit (designator order R1 ... R12, C1 ... C8).
template <typename Parts> auto& part(Parts& parts, int p) {
    if (p < 3 * kSectionCount) {
        auto& s = parts[static_cast<std::size_t>(p / 3)];
        static constexpr Slot order[] = {Slot::R2, Slot::R3, Slot::R1}; // the user's order
        const Slot slot = order[p % 3];
        return slot == Slot::R1 ? s.R1 : slot == Slot::R2 ? s.R2 : s.R3;
    }
    const int c = p - 3 * kSectionCount;
    auto& s = parts[static_cast<std::size_t>(c / 2)];
    return c % 2 == 0 ? s.C1 : s.C2;
}

std::string designatorOf(int p) {
    if (p < 3 * kSectionCount) {
        static constexpr Slot order[] = {Slot::R2, Slot::R3, Slot::R1};
        return resistorDesignator(p / 3 + 1, order[p % 3]);
    }
    const int c = p - 3 * kSectionCount;
    return capacitorDesignator(c / 2 + 1, c % 2);
}

double toleranceOf(int p, const ToleranceSettings& settings) {
    return (p < 3 * kSectionCount ? settings.resistorPercent : settings.capacitorPercent) / 100;
}

// Each part alone at both ends of its tolerance: its share of the spread is
// its squared half-difference summed over the band.
std::vector<PartShare> rankParts(const CircuitParts& nominalParts, const Curve& nominal,
                                 const ToleranceSettings& settings) {
    std::vector<PartShare> shares;
    std::vector<double> spread;
    double total = 0;
    Curve up, down;
    for (int p = 0; p < kPartCount; ++p) {
        CircuitParts changed = nominalParts;
        const double t = toleranceOf(p, settings);
        part(changed, p) = part(nominalParts, p) * (1 + t);
        combinedInto(changed, settings.opAmp, up);
        part(changed, p) = part(nominalParts, p) * (1 - t);
        combinedInto(changed, settings.opAmp, down);
        double sum = 0, alone = 0;
        for (int i = settings.band.first; i <= settings.band.last; ++i) {
            const auto k = static_cast<std::size_t>(i);
            const double half = (up[k] - down[k]) / 2;
            sum += half * half;
            alone = std::max({alone, std::fabs(up[k] - nominal[k]), std::fabs(down[k] - nominal[k])});
        }
        shares.push_back({designatorOf(p), 0, alone});
        spread.push_back(sum);
        total += sum;
    }
    for (std::size_t p = 0; p < shares.size(); ++p) shares[p].share = total > 0 ? spread[p] / total : 0;
    std::stable_sort(shares.begin(), shares.end(), [](const PartShare& a, const PartShare& b) { return a.share > b.share; });
    return shares;
}

} // namespace

Curve combinedDb(const CircuitParts& parts, const OpAmpModel& opAmp) {
    Curve curve;
    combinedInto(parts, opAmp, curve);
    return curve;
}

std::optional<ToleranceResult> runTolerance(const CircuitParts& parts, const ToleranceSettings& settings,
                                            const ToleranceProgress& progress) {
    clearUpperVectorState();
    ToleranceResult result;
    result.settings = settings;
    result.parts = parts;
    combinedInto(parts, settings.opAmp, result.nominal);
    result.lowest = result.nominal;
    result.highest = result.nominal;

    RandomStream random(settings.seed);
    constexpr int kProgressEvery = 256;
    CircuitParts drawn;
    Curve trial;
    for (int t = 0; t < settings.trials; ++t) {
        if (progress && t % kProgressEvery == 0) {
            if (!progress(t, settings.trials)) return std::nullopt;
            clearUpperVectorState(); // the progress display may have dirtied it again
        }
        drawn = parts;
        for (int p = 0; p < kPartCount; ++p)
            part(drawn, p) = part(parts, p) * (1 + toleranceOf(p, settings) * (2 * random.uniform() - 1));
        combinedInto(drawn, settings.opAmp, trial);
        for (std::size_t i = 0; i < kGridPoints; ++i) {
            result.lowest[i] = std::min(result.lowest[i], trial[i]);
            result.highest[i] = std::max(result.highest[i], trial[i]);
        }
    }
    if (progress && !progress(settings.trials, settings.trials)) return std::nullopt;

    for (int i = settings.band.first; i <= settings.band.last; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const double deviation = std::max(result.highest[k] - result.nominal[k], result.nominal[k] - result.lowest[k]);
        if (deviation > result.largestDeviationDb) {
            result.largestDeviationDb = deviation;
            result.largestDeviationPoint = i;
        }
    }
    result.ranking = rankParts(parts, result.nominal, settings);
    return result;
}

} // namespace tessera
