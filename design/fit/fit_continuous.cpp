#include "fit_continuous.h"

#include "fit_parallel.h"
#include "portable_math.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tessera {
namespace {

const double kLogFMin = portableLog(20.0), kLogFMax = portableLog(20000.0);
const double kLogQMin = portableLog(0.1), kLogQMax = portableLog(8.0);
const double kLn10 = portableLog(10.0);
// Keeps A below 2 Q^2, where the shunt resistor would turn negative, yet
// near enough that a broad boost whose shunt resistor lies near the top of
// its range (R3 = R2 / (2 (2 Q^2 - A)), 25 R2 / Q^2 here) is within reach.
constexpr double kBuildableShare = 0.99;
// A re-seeded trial gets a short descent first and the full one only when
// it comes near the best so far.
constexpr int kShortIterations = 25;
constexpr double kPromisingShare = 1.3;
// A random start is a long way from any minimum: a longer first descent.
constexpr int kRandomStartIterations = 50;
// A start still this far above the best after kAbandonCheckIterations steps
// seldom ends below it: its descent stops there, which halves the cost of
// the random starts.
constexpr double kHopelessShare = 3;
// Of the random starts, one in this many is wholly random; the others keep
// the best design but up to two sections (or, every other one, three) drawn afresh.
constexpr int kWhollyRandomEvery = 3;
// The random starts descend in batches of this many from the best design as
// the batch began: work for several threads, and the same whatever their number.
constexpr int kStartsPerBatch = 16;
// A section of less gain than this in the best design is idle; one whose
// absence would raise the error by less than this share serves little.
// Either is drawn afresh first in a random start.
constexpr double kIdleGainDb = 0.1;
constexpr double kLittleShare = 0.2;
// Of the sections a random start draws afresh, this share is centred where
// the best design leaves its largest dips (a boost) or peaks (a cut), the
// rest anywhere in the band.
constexpr double kAimedShare = 0.5;
// Near flat the random starts run on to this many times those asked for (256
// of the default 200, sixteen whole batches): the minima there lie close
// together, the parts decide among them, and the later starts still find
// designs that realise far better.
constexpr double kNearFlatStartsShare = 1.28;
// A descent stops after three steps in a row that lower the error by less
// than this share: the parts that realise a design matter far more than the
// last digits of its ideal error.
constexpr double kSlowShare = 1e-4;

double& variable(SectionDesign& d, int p) { return p == 0 ? d.logF : p == 1 ? d.logQ : d.gainDb; }

void addDesign(const FitProblem& problem, int k, const SectionDesign& d, double sign, double* curve) {
    addSectionResponse(problem.frequencies, d.frequency(), d.q(), d.gainFactor(), problem.boost(k), sign, curve);
}

// Moving average over +-width band points, shorter at the ends.
std::vector<double> smoothed(const std::vector<double>& values, int width) {
    const int n = static_cast<int>(values.size());
    std::vector<double> out(values.size());
    for (int i = 0; i < n; ++i) {
        const int from = std::max(0, i - width), to = std::min(n - 1, i + width);
        double sum = 0;
        for (int j = from; j <= to; ++j) sum += values[static_cast<std::size_t>(j)];
        out[static_cast<std::size_t>(i)] = sum / (to - from + 1);
    }
    return out;
}

double median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// A section on the largest feature of `wanted` (what the fitted sections
// should add) of its sign: centre at the extreme, gain its height, Q from
// the width at half height.
SectionDesign seedOn(const FitProblem& problem, int k, const std::vector<double>& wanted) {
    const double sign = problem.boost(k) ? 1.0 : -1.0;
    const int n = problem.points();
    int peak = 0;
    for (int i = 1; i < n; ++i)
        if (sign * wanted[static_cast<std::size_t>(i)] > sign * wanted[static_cast<std::size_t>(peak)]) peak = i;
    const double height = sign * wanted[static_cast<std::size_t>(peak)];
    const auto& f = problem.frequencies;
    SectionDesign d;
    d.logF = portableLog(f[static_cast<std::size_t>(peak)]);
    d.gainDb = std::max(height, 0.0);
    int left = peak, right = peak;
    while (left > 0 && sign * wanted[static_cast<std::size_t>(left)] > height / 2) --left;
    while (right < n - 1 && sign * wanted[static_cast<std::size_t>(right)] > height / 2) ++right;
    const double fp = f[static_cast<std::size_t>(peak)];
    // An edge reached on one side: mirror the other side's width.
    double lowRatio = fp / f[static_cast<std::size_t>(left)], highRatio = f[static_cast<std::size_t>(right)] / fp;
    if (left == 0) lowRatio = std::max(lowRatio, highRatio);
    if (right == n - 1) highRatio = std::max(highRatio, lowRatio);
    // |H| = 1/2 where W - 1/W = +-sqrt(3)/Q, i.e. where the band is sqrt(3)/Q wide.
    const double width = std::max(highRatio - 1 / lowRatio, 1e-3);
    d.logQ = portableLog(std::clamp(std::sqrt(3.0) / width, 0.3, 8.0));
    return clampDesign(problem, k, d);
}

} // namespace

namespace {

// The highest Q the parts reach at a gain: R2 / R3 = 2 (2 Q^2 - A) at most
// the ratio of the largest to the smallest resistor.
double highestLogQ(const FitProblem& problem, double gainDb) {
    if (!std::isfinite(problem.resistorRatio)) return kLogQMax;
    const double a = portableExp10(gainDb / 20) - 1;
    return std::clamp(0.5 * portableLog(problem.resistorRatio / 4 + a / 2), kLogQMin, kLogQMax);
}

// The largest gain the parts can give at a Q (a shunt resistor of at most
// the top of its range, A < 2 Q^2), in dB, and its slope over ln Q.
double buildableGainDb(double logQ) {
    const double q2 = portableExp(2 * logQ);
    return 20 * portableLog10(1 + kBuildableShare * 2 * q2);
}
double buildableGainSlope(double logQ) {
    const double a = kBuildableShare * 2 * portableExp(2 * logQ);
    return 20 / kLn10 * 2 * a / (1 + a);
}

// A variable on one of its bounds whose descent points out of the range is
// held there: its column of the Jacobian and its gradient become zero, so
// the step moves the others as if it were fixed (clamping the step instead
// would leave the descent stalled on the bound). A gain held at the most the
// parts can give at its Q follows the Q instead: the broad boosts of a
// shelf or tilt lie along that bound. Returns whether the gain follows the Q.
bool holdBounds(const FitProblem& problem, int k, const SectionDesign& d, double* columns, double* gradient,
                const double* residual) {
    const int m = problem.points();
    constexpr double kOn = 1e-9;
    const auto hold = [&](int p) {
        std::fill(columns + p * m, columns + (p + 1) * m, 0.0);
        gradient[p] = 0;
    };
    // The descent direction of a variable is -gradient.
    const double buildable = buildableGainDb(d.logQ), limit = problem.gainLimitDb[static_cast<std::size_t>(k)];
    bool follows = false;
    if (gradient[2] < 0 && d.gainDb >= std::min(limit, buildable) - kOn) {
        if (buildable < limit && d.logQ < highestLogQ(problem, d.gainDb) - kOn) {
            const double slope = buildableGainSlope(d.logQ);
            for (int i = 0; i < m; ++i) columns[m + i] += slope * columns[2 * m + i];
            gradient[1] = dot(columns + m, residual, m);
            follows = true;
        }
        hold(2);
    } else if (gradient[2] > 0 && d.gainDb <= kOn) {
        hold(2);
    }
    if ((gradient[0] > 0 && d.logF <= kLogFMin + kOn) || (gradient[0] < 0 && d.logF >= kLogFMax - kOn)) hold(0);
    if ((gradient[1] > 0 && d.logQ <= kLogQMin + kOn) || (gradient[1] < 0 && d.logQ >= highestLogQ(problem, d.gainDb) - kOn)) {
        hold(1);
        follows = false;
    }
    return follows;
}

} // namespace

SectionDesign clampDesign(const FitProblem& problem, int k, SectionDesign d) {
    if (!std::isfinite(d.logF)) d.logF = kLogFMax;
    if (!std::isfinite(d.logQ)) d.logQ = 0;
    if (!std::isfinite(d.gainDb)) d.gainDb = 0;
    d.logF = std::clamp(d.logF, kLogFMin, kLogFMax);
    const double limit = problem.gainLimitDb[static_cast<std::size_t>(k)];
    d.logQ = std::clamp(d.logQ, kLogQMin, highestLogQ(problem, std::clamp(d.gainDb, 0.0, limit)));
    const double q = d.q();
    const double buildable = 20 * portableLog10(1 + kBuildableShare * 2 * q * q);
    d.gainDb = std::clamp(d.gainDb, 0.0, std::min(limit, buildable));
    return d;
}

// d(response dB)/d(ln f, ln Q, gain dB) of a section at each band point,
// into three columns of problem.points() values. With W = f_i/F, u = 1 - W^2,
// v = W/Q, L = (1+A)^2 the response is +-10 log10((u^2 + L v^2) / (u^2 + v^2)).
void sectionDerivatives(const FitProblem& problem, int k, const SectionDesign& d, double* columns) {
    const int m = problem.points();
    const double inverseF = 1 / d.frequency(), inverseQ = 1 / d.q();
    const double lift = portableExp10(d.gainDb / 10);
    const double scale = (problem.boost(k) ? 10.0 : -10.0) / kLn10;
    const double liftRate = lift * kLn10 / 10;
    for (int i = 0; i < m; ++i) {
        const double w = problem.frequencies[static_cast<std::size_t>(i)] * inverseF;
        const double u = 1 - w * w, v = w * inverseQ;
        const double u2 = u * u, v2 = v * v;
        const double numerator = u2 + lift * v2, denominator = u2 + v2;
        const double du2 = 4 * u * w * w; // d(u^2)/d(ln F)
        columns[i] = scale * ((du2 - 2 * lift * v2) / numerator - (du2 - 2 * v2) / denominator);
        columns[m + i] = scale * (-2 * lift * v2 / numerator + 2 * v2 / denominator);
        columns[2 * m + i] = scale * liftRate * v2 / numerator;
    }
}

std::vector<double> totalCurve(const FitProblem& problem, const Designs& designs) {
    std::vector<double> total = problem.base;
    for (int k = 0; k < static_cast<int>(designs.size()); ++k)
        addDesign(problem, k, designs[static_cast<std::size_t>(k)], 1, total.data());
    return total;
}

double designError(const FitProblem& problem, const Designs& designs) {
    return squaredError(problem, totalCurve(problem, designs).data());
}

namespace {

// The sections in `which` placed one by one on what the other sections leave
// from `level`, the section meeting the larger feature first.
Designs seedSections(const FitProblem& problem, Designs designs, std::vector<int> which, double level) {
    std::vector<double> wanted(problem.base.size());
    for (std::size_t i = 0; i < wanted.size(); ++i) wanted[i] = level - problem.base[i];
    for (int k = 0; k < static_cast<int>(designs.size()); ++k)
        if (std::find(which.begin(), which.end(), k) == which.end())
            addDesign(problem, k, designs[static_cast<std::size_t>(k)], -1, wanted.data());
    while (!which.empty()) {
        const std::vector<double> smooth = smoothed(wanted, 3);
        auto chosen = which.begin();
        double best = -1;
        for (auto k = which.begin(); k != which.end(); ++k) {
            const double sign = problem.boost(*k) ? 1.0 : -1.0;
            double height = 0;
            for (double w : smooth) height = std::max(height, sign * w);
            if (height > best) best = height, chosen = k;
        }
        const auto c = static_cast<std::size_t>(*chosen);
        designs[c] = seedOn(problem, *chosen, smooth);
        addDesign(problem, *chosen, designs[c], -1, wanted.data());
        which.erase(chosen);
    }
    return designs;
}

} // namespace

Designs seedDesigns(const FitProblem& problem) {
    std::vector<int> all(problem.sections.size());
    for (std::size_t k = 0; k < all.size(); ++k) all[k] = static_cast<int>(k);
    const double level = problem.level ? *problem.level : median(problem.base);
    return seedSections(problem, Designs(problem.sections.size()), all, level);
}

Designs refineDesigns(const FitProblem& problem, Designs x, int maxIterations, double abandonAbove, double* error) {
    const int sections = static_cast<int>(x.size());
    const int n = 3 * sections, m = problem.points();
    if (n == 0) {
        if (error != nullptr) *error = designError(problem, x);
        return x;
    }
    for (int k = 0; k < sections; ++k) x[static_cast<std::size_t>(k)] = clampDesign(problem, k, x[static_cast<std::size_t>(k)]);

    std::vector<double> total = totalCurve(problem, x);
    double cost = squaredError(problem, total.data());
    std::vector<double> jacobian(static_cast<std::size_t>(n * m)), residual(static_cast<std::size_t>(m));
    std::vector<double> normal(static_cast<std::size_t>(n * n)), gradient(static_cast<std::size_t>(n));
    std::vector<double> system(normal.size()), step(gradient.size()), candidateTotal(total.size());
    Designs candidate = x;
    std::vector<char> tied(x.size());
    double lambda = 1e-3;
    int slowSteps = 0;
    bool fresh = false;

    for (int iteration = 0; iteration < maxIterations; ++iteration) {
        if (iteration == kAbandonCheckIterations && cost > abandonAbove) break;
        if (!fresh) {
            const double level = levelFor(problem, total.data());
            for (int i = 0; i < m; ++i) residual[static_cast<std::size_t>(i)] = total[static_cast<std::size_t>(i)] - level;
            for (int k = 0; k < sections; ++k) {
                const SectionDesign& d = x[static_cast<std::size_t>(k)];
                double* columns = &jacobian[static_cast<std::size_t>(3 * k * m)];
                sectionDerivatives(problem, k, d, columns);
                if (problem.level) continue;
                // The automatic level follows the mean of the curve.
                for (int p = 0; p < 3; ++p) {
                    double* column = columns + p * m;
                    double mean = 0;
                    for (int i = 0; i < m; ++i) mean += column[i];
                    mean /= m;
                    for (int i = 0; i < m; ++i) column[i] -= mean;
                }
            }
            for (int a = 0; a < n; ++a)
                gradient[static_cast<std::size_t>(a)] = dot(&jacobian[static_cast<std::size_t>(a * m)], residual.data(), m);
            for (int k = 0; k < sections; ++k)
                tied[static_cast<std::size_t>(k)] =
                    holdBounds(problem, k, x[static_cast<std::size_t>(k)], &jacobian[static_cast<std::size_t>(3 * k * m)],
                               &gradient[static_cast<std::size_t>(3 * k)], residual.data());
            for (int a = 0; a < n; ++a) {
                const double* ja = &jacobian[static_cast<std::size_t>(a * m)];
                for (int b = a; b < n; ++b) {
                    const double s = dot(ja, &jacobian[static_cast<std::size_t>(b * m)], m);
                    normal[static_cast<std::size_t>(a * n + b)] = s;
                    normal[static_cast<std::size_t>(b * n + a)] = s;
                }
            }
            fresh = true;
        }
        double largestDiagonal = 0;
        for (int a = 0; a < n; ++a) largestDiagonal = std::max(largestDiagonal, normal[static_cast<std::size_t>(a * n + a)]);
        system = normal;
        for (int a = 0; a < n; ++a) {
            const auto d = static_cast<std::size_t>(a * n + a);
            system[d] += lambda * (normal[d] + 1e-9 * largestDiagonal + 1e-12);
            step[static_cast<std::size_t>(a)] = -gradient[static_cast<std::size_t>(a)];
        }
        if (!solve(system, step, n)) {
            lambda *= 10;
            if (lambda > 1e10) break;
            continue;
        }
        for (int k = 0; k < sections; ++k) {
            SectionDesign& d = candidate[static_cast<std::size_t>(k)];
            d = x[static_cast<std::size_t>(k)];
            for (int p = 0; p < 3; ++p) variable(d, p) += step[static_cast<std::size_t>(3 * k + p)];
            if (tied[static_cast<std::size_t>(k)]) d.gainDb = buildableGainDb(d.logQ);
            d = clampDesign(problem, k, d);
        }
        candidateTotal = problem.base;
        for (int k = 0; k < sections; ++k) addDesign(problem, k, candidate[static_cast<std::size_t>(k)], 1, candidateTotal.data());
        const double candidateCost = squaredError(problem, candidateTotal.data());
        if (std::isfinite(candidateCost) && candidateCost < cost) {
            const bool slow = cost - candidateCost < kSlowShare * cost + 1e-12;
            std::swap(x, candidate);
            std::swap(total, candidateTotal);
            cost = candidateCost;
            lambda = std::max(lambda / 3, 1e-9);
            fresh = false;
            slowSteps = slow ? slowSteps + 1 : 0;
            if (slowSteps >= 3) break;
        } else {
            lambda *= 4;
            if (lambda > 1e10) break;
        }
    }
    if (error != nullptr) *error = cost;
    return x;
}

namespace {

// Two minima are the same when each section of one lies this close to a
// section of the same kind in the other: two boost (or cut) sections that
// trade places are the same design, and holding it twice would crowd out a
// design that realises differently.
bool sameMinimum(const FitProblem& problem, const Designs& a, const Designs& b) {
    std::vector<bool> taken(b.size());
    for (std::size_t k = 0; k < a.size(); ++k) {
        bool matched = false;
        for (std::size_t j = 0; j < b.size() && !matched; ++j) {
            if (taken[j] || problem.boost(static_cast<int>(k)) != problem.boost(static_cast<int>(j))) continue;
            // Idle sections add nothing wherever they lie.
            const bool bothIdle = a[k].gainDb < kIdleGainDb && b[j].gainDb < kIdleGainDb;
            if (bothIdle || (std::fabs(a[k].logF - b[j].logF) <= 0.02 && std::fabs(a[k].logQ - b[j].logQ) <= 0.05 &&
                             std::fabs(a[k].gainDb - b[j].gainDb) <= 0.2))
                taken[j] = matched = true;
        }
        if (!matched) return false;
    }
    return true;
}

// A descent's end: the designs (none where it was cancelled) and their error.
struct Descent {
    Designs designs;
    double error = std::numeric_limits<double>::infinity();
};
void writeSlot(SlotWriter& w, const Descent& d) {
    w.put(static_cast<int>(d.designs.size()));
    for (const SectionDesign& x : d.designs) w.put(x.logF), w.put(x.logQ), w.put(x.gainDb);
    w.put(d.error);
}
void readSlot(SlotReader& r, Descent& d) {
    d.designs.assign(r.size(3 * sizeof(double)), {});
    for (SectionDesign& x : d.designs) r.get(x.logF), r.get(x.logQ), r.get(x.gainDb);
    r.get(d.error);
}

// Two minima whose curves differ by less than this share of the smaller
// one's RMS error are one: they realise alike, and holding both would crowd
// out a design that realises differently.
constexpr double kSameCurveShare = 0.1;

// The best distinct minima seen so far, the best first.
class Minima {
public:
    Minima(const FitProblem& problem, int keep) : problem_(problem), keep_(static_cast<std::size_t>(std::max(keep, 1))) {}

    void offer(const Designs& designs, double error) {
        if (!std::isfinite(error)) return;
        if (list_.size() == keep_ && !(error < list_.back().error)) return;
        std::vector<double> curve = totalCurve(problem_, designs);
        for (auto it = list_.begin(); it != list_.end(); ++it)
            if (sameMinimum(problem_, it->designs, designs) || sameCurve(it->curve, curve, std::min(error, it->error))) {
                if (error >= it->error) return;
                list_.erase(it);
                break;
            }
        const auto at = std::find_if(list_.begin(), list_.end(), [&](const Minimum& m) { return m.error > error; });
        list_.insert(at, {designs, std::move(curve), error});
        if (list_.size() > keep_) list_.pop_back();
    }
    std::vector<Designs> designs() const {
        std::vector<Designs> out;
        for (const Minimum& m : list_) out.push_back(m.designs);
        return out;
    }

private:
    struct Minimum {
        Designs designs;
        std::vector<double> curve;
        double error;
    };
    // The level is free where it is automatic: the curves are compared about their means.
    bool sameCurve(const std::vector<double>& a, const std::vector<double>& b, double error) const {
        const std::size_t n = a.size();
        double mean = 0;
        if (!problem_.level) {
            for (std::size_t i = 0; i < n; ++i) mean += a[i] - b[i];
            mean /= static_cast<double>(n);
        }
        double sum = 0;
        for (std::size_t i = 0; i < n; ++i) sum += (a[i] - b[i] - mean) * (a[i] - b[i] - mean);
        return sum <= kSameCurveShare * kSameCurveShare * error;
    }

    const FitProblem& problem_;
    std::size_t keep_;
    std::vector<Minimum> list_;
};

// A design drawn at random: f within the band, Q 0.3 - 6, gain up to the
// section's limit or 12 dB.
Designs randomDesigns(const FitProblem& problem, IndexRandom& random) {
    const double lowF = portableLog(problem.frequencies.front()), highF = portableLog(problem.frequencies.back());
    Designs designs(problem.sections.size());
    for (std::size_t k = 0; k < designs.size(); ++k) {
        SectionDesign& d = designs[k];
        d.logF = lowF + (highF - lowF) * random.unit();
        d.logQ = portableLog(0.3) + portableLog(20.0) * random.unit();
        d.gainDb = std::min(problem.gainLimitDb[k], 12.0) * random.unit();
        d = clampDesign(problem, static_cast<int>(k), d);
    }
    return designs;
}

// Where a design leaves the largest deviations: a frequency drawn with the
// weight of the squared dip (for a boost) or peak (for a cut) there.
class Deviations {
public:
    Deviations(const FitProblem& problem, const Designs& designs) : problem_(problem) {
        const std::vector<double> total = totalCurve(problem, designs);
        const double level = levelFor(problem, total.data());
        std::vector<double> deviation(total.size());
        for (std::size_t i = 0; i < total.size(); ++i) deviation[i] = total[i] - level;
        const std::vector<double> smooth = smoothed(deviation, 3);
        double dips = 0, peaks = 0;
        for (double d : smooth) {
            dips += d < 0 ? d * d : 0;
            peaks += d > 0 ? d * d : 0;
            dipsUpTo_.push_back(dips);
            peaksUpTo_.push_back(peaks);
        }
    }
    // `otherwise` where the design leaves no deviation of that sign.
    double drawLogF(bool boost, IndexRandom& random, double otherwise) const {
        const std::vector<double>& upTo = boost ? dipsUpTo_ : peaksUpTo_;
        const double u = random.unit() * upTo.back();
        if (!(upTo.back() > 0)) return otherwise;
        const auto at = std::upper_bound(upTo.begin(), upTo.end(), u) - upTo.begin();
        const auto i = static_cast<std::size_t>(std::min<std::ptrdiff_t>(at, static_cast<std::ptrdiff_t>(upTo.size()) - 1));
        return portableLog(problem_.frequencies[i]);
    }

private:
    const FitProblem& problem_;
    std::vector<double> dipsUpTo_, peaksUpTo_;
};

// Whether the error of `designs` would rise by less than kLittleShare
// without section k.
bool servesLittle(const FitProblem& problem, const Designs& designs, std::size_t k, double error) {
    Designs without = designs;
    without[k].gainDb = 0;
    return designError(problem, without) < (1 + kLittleShare) * error;
}

} // namespace

std::vector<Designs> fitIdealSections(const FitProblem& problem, const std::atomic<bool>* cancel,
                                      const std::function<void(double)>& progress, const FitSearch& search) {
    const int count = static_cast<int>(problem.sections.size());
    // Every single section and every pair, taken out and placed again on
    // what the others leave: the moves that leave a local minimum where two
    // sections share one feature or a feature has none.
    std::vector<std::vector<int>> reseeds;
    for (int a = 0; a < count; ++a) reseeds.push_back({a});
    for (int a = 0; a < count; ++a)
        for (int b = a + 1; b < count; ++b) reseeds.push_back({a, b});

    constexpr double kNever = std::numeric_limits<double>::infinity();
    Minima minima(problem, search.candidates);
    double bestError = 0;
    Designs best = refineDesigns(problem, seedDesigns(problem), kFullDescentIterations, kNever, &bestError);
    minima.offer(best, bestError);
    const auto keep = [&](Designs trial, double error) {
        minima.offer(trial, error);
        if (!(error < bestError)) return false;
        best = std::move(trial);
        bestError = error;
        return true;
    };

    constexpr int kRounds = 2;
    // Where fewer sections are fitted, a descent costs about that much less
    // (their curves are most of its work): the random starts, the fit's way
    // out of poor minima, take about the time they take for all four.
    const int randomStarts = search.randomStarts * kSectionCount / std::max(1, static_cast<int>(problem.sections.size()));
    int descents = kRounds * static_cast<int>(reseeds.size() + problem.sections.size()) + randomStarts;
    int done = 0;
    const auto step = [&] {
        if (progress) progress(std::min(1.0, static_cast<double>(++done) / descents));
        return !(cancel != nullptr && cancel->load());
    };
    // Move i of a round: a re-seed of reseeds[i], or past them section
    // i - reseeds.size() idle, the others refitted without it, then placed
    // again on what they leave (the way out where a section holds a feature
    // another would meet better). A short descent first, the full one only
    // near the error it starts from.
    const int reseedCount = static_cast<int>(reseeds.size()), moves = reseedCount + count;
    const auto move = [&](int i, const Designs& from, double fromError) {
        Designs start;
        if (i < reseedCount) {
            start = seedSections(problem, from, reseeds[static_cast<std::size_t>(i)],
                                 levelFor(problem, totalCurve(problem, from).data()));
        } else {
            const int k = i - reseedCount;
            Designs idle = from;
            idle[static_cast<std::size_t>(k)].gainDb = 0;
            Designs others = refineDesigns(problem, std::move(idle), kShortIterations);
            const double level = levelFor(problem, totalCurve(problem, others).data());
            start = seedSections(problem, std::move(others), {k}, level);
        }
        Descent out;
        out.designs = refineDesigns(problem, std::move(start), kShortIterations, kNever, &out.error);
        if (out.error < kPromisingShare * fromError)
            out.designs = refineDesigns(problem, std::move(out.designs), kFullDescentIterations, kNever, &out.error);
        return out;
    };
    // Each move starts from the best design the moves before it left. With
    // several threads the next few moves run at once from the best design
    // as it is; where one of them lowers the error, those after it run again
    // from the new best. The moves and their order are those of one thread.
    std::vector<Descent> window;
    const int shareWidth = search.peers != nullptr ? search.peers->parties() : std::max(search.threads, 1);
    for (int round = 0; round < kRounds; ++round) {
        bool improved = false;
        for (int i = 0; i < moves;) {
            const int width = std::min(shareWidth, moves - i);
            window.assign(static_cast<std::size_t>(width), {});
            const Designs from = best;
            const double fromError = bestError;
            forEachSlot(window, search.threads, search.peers, [&](int w, Descent& slot) {
                if (cancel != nullptr && cancel->load()) return;
                slot = move(i + w, from, fromError);
            });
            for (Descent& d : window) {
                if (d.designs.empty()) return minima.designs(); // cancelled
                ++i;
                const bool better = keep(std::move(d.designs), d.error);
                improved |= better;
                if (!step()) return minima.designs();
                if (better) break; // the moves after it start from the new best
            }
        }
        if (!improved) break;
    }
    // Random designs, for minima no move from the seeds reaches. Most keep
    // the best design but for one to three sections drawn afresh, half of
    // them centred on what the best design leaves: the others stay on the
    // features they meet, and the descent finds where those sections serve
    // better (two sharing a feature, a boost and a cut meeting near one
    // frequency), which wholly random designs reach only by chance.
    // Start r is drawn from its own index; a batch of starts descends from
    // the best design as the batch began (on as many threads as asked) and
    // is taken in the order of the starts.
    // Once the starts asked for are done, a near flat best runs them on.
    std::vector<Descent> batch;
    int starts = randomStarts;
    const int nearFlatStarts = static_cast<int>(std::lround(kNearFlatStartsShare * randomStarts));
    // The progress counts the starts run on where the best is near flat
    // already (the error only falls), so that it does not stand still there.
    if (nearFlat(problem, bestError)) descents += nearFlatStarts - randomStarts;
    for (int first = 0, size = 0; first < starts; first += size) {
        size = std::min(kStartsPerBatch, starts - first);
        batch.assign(static_cast<std::size_t>(size), {});
        const Designs from = best;
        const double fromError = bestError;
        std::vector<std::size_t> idle;
        for (std::size_t k = 0; k < from.size(); ++k)
            if (problem.gainLimitDb[k] > kIdleGainDb && (from[k].gainDb < kIdleGainDb || servesLittle(problem, from, k, fromError)))
                idle.push_back(k);
        const Deviations deviations(problem, from);
        forEachSlot(batch, search.threads, search.peers, [&](int i, Descent& out) {
            if (cancel != nullptr && cancel->load()) return;
            const int r = first + i;
            IndexRandom random(search.seed, static_cast<std::uint64_t>(r));
            Designs start = randomDesigns(problem, random);
            if (r % kWhollyRandomEvery != 0) {
                Designs hop = from;
                // Every other such start draws a third section: the way to a
                // minimum where three sections meet other features.
                const int draws = r % kWhollyRandomEvery == 2 ? 3 : 2;
                for (int drawn = 0; drawn < draws; ++drawn) { // the same section twice: fewer drawn afresh
                    auto k = static_cast<std::size_t>(random.below(count));
                    // A section the best design leaves idle or that serves
                    // little there: drawn first, wherever there is one.
                    if (drawn == 0 && !idle.empty()) k = idle[static_cast<std::size_t>(random.below(static_cast<int>(idle.size())))];
                    hop[k] = start[k];
                    if (random.unit() < kAimedShare) hop[k].logF = deviations.drawLogF(problem.boost(static_cast<int>(k)), random, hop[k].logF);
                }
                start = std::move(hop);
            }
            out.designs = refineDesigns(problem, std::move(start), kRandomStartIterations, kHopelessShare * fromError,
                                        &out.error);
            if (out.error < kPromisingShare * fromError)
                out.designs = refineDesigns(problem, std::move(out.designs), kFullDescentIterations, kNever, &out.error);
        });
        for (Descent& d : batch) {
            if (d.designs.empty()) return minima.designs(); // cancelled
            keep(std::move(d.designs), d.error);
            if (!step()) return minima.designs();
        }
        if (first + size == randomStarts && nearFlat(problem, bestError)) starts = nearFlatStarts;
    }
    return minima.designs();
}

} // namespace tessera
