#include "fit_problem.h"

#include "portable_math.h"
#include "fit_parts.h"
#include "fit_target.h"
#include "frequency_grid.h"

#include <algorithm>
#include <cmath>

namespace tessera {

double SectionDesign::frequency() const { return portableExp(logF); }
double SectionDesign::q() const { return portableExp(logQ); }
double SectionDesign::gainFactor() const { return portableExp10(gainDb / 20) - 1; }

double tiltAt(double tiltDbPerDecade, double frequency) {
    return tiltDbPerDecade * portableLog10(frequency / 1000);
}

FitProblem makeFitProblem(const FilterBankState& state, const FitSettings& settings, GridBand band) {
    FitProblem problem;
    problem.level = settings.level;
    problem.first = band.first;
    const PositionRange allowed = allowedPositions(state, settings.series, settings.circuit.resistors);
    if (!allowed.empty())
        problem.resistorRatio = static_cast<double>(state.SeriesValues[static_cast<std::size_t>(allowed.highest)]) /
                                static_cast<double>(state.SeriesValues[static_cast<std::size_t>(allowed.lowest)]);
    // R1 = R2 / (2 A) within the range: A at most half the ratio.
    const double reachDb = 20 * portableLog10(1 + problem.resistorRatio / 2);
    const double boostLimit = std::min(std::clamp(settings.maxBoostDb, 0.0, kSectionGainLimitDb), reachDb);
    for (int s = 1; s <= kSectionCount; ++s) {
        if (!settings.sections[static_cast<std::size_t>(s - 1)]) continue;
        problem.sections.push_back(s);
        problem.gainLimitDb.push_back(isBoostSection(s) ? boostLimit : std::min(kSectionGainLimitDb, reachDb));
    }
    const auto& grid = gridFrequencies();
    const Curve measurement = fitMeasurement(state, settings);
    const Curve shape = targetShape(settings);
    for (int i = band.first; i <= band.last; ++i) {
        const auto g = static_cast<std::size_t>(i);
        // The combined curve less the curves of the sections being fitted:
        // what the kept sections contribute.
        double kept = state.CombinedCurve[g];
        for (int s : problem.sections) kept -= state.section(s).SectionCurve[g];
        problem.frequencies.push_back(grid[g]);
        problem.base.push_back(kept + measurement[g] - shape[g]);
    }
    return problem;
}

void addSectionResponse(const std::vector<double>& frequencies, double f, double q, double a, bool boost,
                        double sign, double* curve) {
    const double inverseF = 1 / f, inverseQ = 1 / q;
    const double lift = (1 + a) * (1 + a);
    const double scale = (boost ? 10.0 : -10.0) * sign;
    const std::size_t n = frequencies.size();
    const auto add = [&](auto log10) {
        for (std::size_t i = 0; i < n; ++i) {
            const double w = frequencies[i] * inverseF;
            const double u = 1 - w * w;
            const double v = w * inverseQ;
            const double u2 = u * u, v2 = v * v;
            curve[i] += scale * log10((u2 + lift * v2) / (u2 + v2));
        }
    };
    // The ratio lies between 1 and the lift, a positive normal number, where
    // the values are finite.
    if (std::isfinite(lift) && lift > 0 && std::isfinite(inverseF) && inverseF > 0 && std::isfinite(inverseQ))
        add([](double x) { return fastLog10(x); });
    else
        add([](double x) { return std::log10(x); });
}

// Solves the n x n system a x = b in place by Gaussian elimination with
// partial pivoting; false when it is singular.
bool solve(std::vector<double>& a, std::vector<double>& b, int n) {
    const auto at = [&](int r, int c) -> double& { return a[static_cast<std::size_t>(r * n + c)]; };
    for (int c = 0; c < n; ++c) {
        int pivot = c;
        for (int r = c + 1; r < n; ++r)
            if (std::fabs(at(r, c)) > std::fabs(at(pivot, c))) pivot = r;
        if (!(std::fabs(at(pivot, c)) > 1e-300)) return false;
        if (pivot != c) {
            for (int k = 0; k < n; ++k) std::swap(at(c, k), at(pivot, k));
            std::swap(b[static_cast<std::size_t>(c)], b[static_cast<std::size_t>(pivot)]);
        }
        for (int r = c + 1; r < n; ++r) {
            const double m = at(r, c) / at(c, c);
            if (m == 0) continue;
            for (int k = c; k < n; ++k) at(r, k) -= m * at(c, k);
            b[static_cast<std::size_t>(r)] -= m * b[static_cast<std::size_t>(c)];
        }
    }
    for (int r = n - 1; r >= 0; --r) {
        double sum = b[static_cast<std::size_t>(r)];
        for (int k = r + 1; k < n; ++k) sum -= at(r, k) * b[static_cast<std::size_t>(k)];
        b[static_cast<std::size_t>(r)] = sum / at(r, r);
    }
    return true;
}

double levelFor(const FitProblem& problem, const double* total) {
    if (problem.level) return *problem.level;
    double sum = 0;
    for (int i = 0; i < problem.points(); ++i) sum += total[i];
    return sum / problem.points();
}

double squaredError(const FitProblem& problem, const double* total) {
    const double level = levelFor(problem, total);
    double sum = 0;
    for (int i = 0; i < problem.points(); ++i) {
        const double d = total[i] - level;
        sum += d * d;
    }
    return sum;
}

FitError bandError(const Curve& result, const Curve& target, GridBand band) {
    FitError error;
    if (band.count() == 0) return error;
    double sum = 0;
    for (int i = band.first; i <= band.last; ++i) {
        const auto g = static_cast<std::size_t>(i);
        const double d = result[g] - target[g];
        sum += d * d;
        error.largest = std::max(error.largest, std::fabs(d));
    }
    error.rms = std::sqrt(sum / band.count());
    return error;
}

} // namespace tessera
