#pragma once
// The fit as a least-squares problem over the band's grid points: what the
// fitted sections must add to the sections that stay and to the measurement
// to meet the target, and the error of a candidate.

#include "fit_types.h"

#include <limits>
#include <vector>

namespace tessera {

// A section's design in the units the optimiser moves: ln f, ln Q and the
// gain's magnitude in dB.
struct SectionDesign {
    double logF = 0;
    double logQ = 0;
    double gainDb = 0;

    double frequency() const;
    double q() const;
    double gainFactor() const;
};

struct FitProblem {
    std::vector<double> frequencies; // the band's grid frequencies
    // Per band point: kept sections + measurement (smoothed as asked) - the
    // target's shape. The Result minus the target is base + fitted sections - level.
    std::vector<double> base;
    std::optional<double> level; // none: the level that minimises the error
    std::vector<int> sections;   // the fitted sections, ascending
    std::vector<double> gainLimitDb; // per fitted section
    // The largest over the smallest resistor the fit may give: with R2 / R3 =
    // 2 (2 Q^2 - A) and R2 / R1 = 2 A it bounds the Q and gain the parts reach.
    double resistorRatio = std::numeric_limits<double>::infinity();
    int first = 0;               // grid index of frequencies[0]

    int points() const { return static_cast<int>(frequencies.size()); }
    bool boost(int k) const { return isBoostSection(sections[static_cast<std::size_t>(k)]); }
};

// The problem for `state` under `settings`; the band must not be empty.
FitProblem makeFitProblem(const FilterBankState& state, const FitSettings& settings, GridBand band);

// The target slope at grid point i: tilt * log10(f_i / 1000 Hz).
double tiltAt(double tiltDbPerDecade, double frequency);

// Adds the section's response in dB at each band frequency to `curve`
// (scaled by `sign`, +1 or -1). The same magnitude as the page's curve,
// written as |1 + A H| = sqrt(((1-W^2)^2 + (1+A)^2 (W/Q)^2) / ((1-W^2)^2 + (W/Q)^2)).
void addSectionResponse(const std::vector<double>& frequencies, double f, double q, double a, bool boost,
                        double sign, double* curve);

// Sum of squared deviations of base + fitted from the target level (the
// fixed one, or the mean when automatic); `total` holds base + fitted.
double squaredError(const FitProblem& problem, const double* total);
// The level the error is measured against for `total`.
double levelFor(const FitProblem& problem, const double* total);

// The sum of a[i] b[i] in four interleaved partial sums, which the compiler
// may keep in vector registers: the normal equations are most of a descent's work,
// and the steps of two sections' parts are ranked by them.
inline double dot(const double* a, const double* b, int n) {
    double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        s0 += a[i] * b[i];
        s1 += a[i + 1] * b[i + 1];
        s2 += a[i + 2] * b[i + 2];
        s3 += a[i + 3] * b[i + 3];
    }
    for (; i < n; ++i) s0 += a[i] * b[i];
    return (s0 + s2) + (s1 + s3);
}

// Solves the n x n system a x = b in place (x into b) by Gaussian
// elimination with partial pivoting; false when it is singular.
bool solve(std::vector<double>& a, std::vector<double>& b, int n);

// RMS and largest deviation of a whole-grid Result from a whole-grid target
// over the band.
FitError bandError(const Curve& result, const Curve& target, GridBand band);

} // namespace tessera
