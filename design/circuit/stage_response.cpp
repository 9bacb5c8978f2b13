#include "stage_response.h"

#include <cmath>
#include <numbers>

namespace tessera {
namespace {

constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;

// 1 / A(j omega) of the op-amp: 1 / A0 + j omega / (2 pi GBW), or 0 when ideal.
ComplexL inverseGain(double gbw, long double omega) {
    if (gbw <= 0) return 0;
    return {1.0L / kOpenLoopGain, omega / (kTwoPi * gbw)};
}

long double magnitude(const SectionParts& parts, double gbw, long double logOmega) {
    return std::abs(stageTransfer(parts, gbw, std::exp(logOmega)));
}

// Where |H| falls to `level` between logOmega `inside` (above it) and
// `outside` (below it).
long double crossing(const SectionParts& parts, double gbw, long double level, long double inside,
                     long double outside) {
    for (int i = 0; i < 80; ++i) {
        const long double middle = (inside + outside) / 2;
        (magnitude(parts, gbw, middle) >= level ? inside : outside) = middle;
    }
    return (inside + outside) / 2;
}

} // namespace

ComplexL stageTransfer(const SectionParts& p, double gbw, long double omega) {
    // Nodal equations at node a and at the inverting input (voltage -out / A):
    // H = -s C1 G1 / ([G2 + (s C1 + G2) / A] Y + s^2 C1 C2 - s^2 C1^2 / A),
    // Y = G1 + G3 + s (C1 + C2).
    const ComplexL s(0, omega);
    const long double C1 = p.C1, C2 = p.C2;
    const long double G1 = 1.0L / p.R1, G2 = 1.0L / p.R2, G3 = 1.0L / p.R3;
    const ComplexL inverse = inverseGain(gbw, omega);
    const ComplexL Y = G1 + G3 + s * (C1 + C2);
    const ComplexL denominator = (G2 + (s * C1 + G2) * inverse) * Y + s * s * C1 * C2 - s * s * C1 * C1 * inverse;
    return -s * C1 * G1 / denominator;
}

ComplexL sectionTransfer(const SectionParts& parts, bool boost, double gbw, long double omega) {
    const ComplexL H = stageTransfer(parts, gbw, omega);
    // Both helper amplifiers have a noise gain of 2: beta = 1 / (1 + 2 / A).
    const ComplexL beta = 1.0L / (1.0L + 2.0L * inverseGain(gbw, omega));
    return boost ? (1.0L - H) * beta : beta / (1.0L - beta * H);
}

double sectionDb(const SectionParts& parts, bool boost, double gbw, double frequency) {
    return static_cast<double>(20 * std::log10(std::abs(sectionTransfer(parts, boost, gbw, kTwoPi * frequency))));
}

StageFigures idealStage(const SectionParts& p) {
    const long double C1 = p.C1, C2 = p.C2, R1 = p.R1, R2 = p.R2, R3 = p.R3;
    const long double omega = std::sqrt((1 / R1 + 1 / R3) / (C1 * C2 * R2));
    StageFigures f;
    f.frequency = static_cast<double>(omega / kTwoPi);
    f.q = static_cast<double>(omega * C1 * C2 * R2 / (C1 + C2));
    f.peakGain = static_cast<double>(C1 * R2 / (R1 * (C1 + C2)));
    return f;
}

std::optional<StageFigures> realisedStage(const SectionParts& parts, double gbw) {
    const StageFigures ideal = idealStage(parts);
    if (!(ideal.frequency > 0) || !std::isfinite(ideal.frequency)) return std::nullopt;
    // Scan four decades either side of the ideal centre, 50 points a decade.
    constexpr int kPerDecade = 50, kDecades = 4;
    const long double centre = std::log(kTwoPi * ideal.frequency);
    const long double step = std::log(10.0L) / kPerDecade;
    const auto at = [&](int k) { return centre + step * k; };
    int best = -kPerDecade * kDecades;
    long double bestMagnitude = -1;
    for (int k = -kPerDecade * kDecades; k <= kPerDecade * kDecades; ++k)
        if (const long double m = magnitude(parts, gbw, at(k)); m > bestMagnitude) {
            bestMagnitude = m;
            best = k;
        }
    if (best == -kPerDecade * kDecades || best == kPerDecade * kDecades) return std::nullopt;

    // Golden-section search for the peak between the neighbours.
    const long double golden = (std::sqrt(5.0L) - 1) / 2;
    long double lo = at(best - 1), hi = at(best + 1);
    for (int i = 0; i < 100; ++i) {
        const long double a = hi - golden * (hi - lo), b = lo + golden * (hi - lo);
        if (magnitude(parts, gbw, a) < magnitude(parts, gbw, b))
            lo = a;
        else
            hi = b;
    }
    const long double peak = (lo + hi) / 2;
    const long double peakMagnitude = magnitude(parts, gbw, peak);
    const long double level = peakMagnitude / std::sqrt(2.0L);

    int below = best, above = best;
    while (below > -kPerDecade * kDecades && magnitude(parts, gbw, at(below)) >= level) --below;
    while (above < kPerDecade * kDecades && magnitude(parts, gbw, at(above)) >= level) ++above;
    if (magnitude(parts, gbw, at(below)) >= level || magnitude(parts, gbw, at(above)) >= level) return std::nullopt;
    const long double lower = std::exp(crossing(parts, gbw, level, peak, at(below)));
    const long double upper = std::exp(crossing(parts, gbw, level, peak, at(above)));

    StageFigures f;
    f.frequency = static_cast<double>(std::exp(peak) / kTwoPi);
    f.q = static_cast<double>(std::exp(peak) / (upper - lower));
    f.peakGain = static_cast<double>(peakMagnitude);
    return f;
}

std::optional<double> lowestAdequateGbw(const SectionParts& parts, double fraction) {
    const StageFigures ideal = idealStage(parts);
    const auto adequate = [&](long double logGbw) {
        const auto real = realisedStage(parts, static_cast<double>(std::exp(logGbw)));
        return real && std::fabs(real->frequency / ideal.frequency - 1) <= fraction &&
               std::fabs(real->q / ideal.q - 1) <= fraction;
    };
    long double good = std::log(1e12L), bad = std::log(1e3L);
    if (!adequate(good)) return std::nullopt;
    if (adequate(bad)) return 1e3;
    // The deviation shrinks as the gain-bandwidth grows: bisect the boundary.
    for (int i = 0; i < 60; ++i) {
        const long double middle = (good + bad) / 2;
        (adequate(middle) ? good : bad) = middle;
    }
    return static_cast<double>(std::exp(good));
}

} // namespace tessera
