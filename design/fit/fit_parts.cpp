#include "fit_parts.h"

#include "fit_parallel.h"
#include "fit_section_model.h"
#include "page_model.h"
#include "section_formulas.h"
#include "portable_math.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>

namespace tessera {
namespace {

// The fit's arithmetic is plain double, so that every build (x86's 80-bit
// and WebAssembly's 128-bit long double alike) takes the same steps and
// chooses the same parts; what the program shows still comes from the engine.
constexpr double kPi = 3.141592653589793238462643383279502884;
// The steppers reach positions 0..100 (39 ohms to 560 kOhm); Apply steps to them.
constexpr int kTopPosition = Stepper::kMax;
constexpr double kPreferredLowOhms = 1000, kPreferredHighOhms = 470000;
// A capacitor whose resistors leave the preferred range must realise the
// design this much better to be chosen.
constexpr double kOutsidePreferredPenalty = 1.05;
constexpr int kMaxSearchPasses = 40;
// A capacitor considered for lower noise is searched when its nearest parts
// leave at most this share of the allowed squared error.
constexpr double kQuietSearchShare = 1.5;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

double ohmsAt(const FilterBankState& table, int position) {
    return static_cast<double>(table.SeriesValues[static_cast<std::size_t>(position)]);
}

// The allowed position nearest to `ohms` on a logarithmic scale.
int nearestPosition(const FilterBankState& table, double ohms, const PositionRange& allowed) {
    if (!(ohms > 0) || !std::isfinite(ohms)) return allowed.highest;
    const double target = portableLog(ohms);
    int best = allowed.lowest;
    double distance = kInfinity;
    for (int p = allowed.lowest; p <= allowed.highest; p += allowed.step) {
        const double d = std::fabs(portableLog(ohmsAt(table, p)) - target);
        if (d < distance) distance = d, best = p;
    }
    return best;
}

// The table positions nearest to the ideal resistors of a design.
std::array<int, 3> idealPositions(const FilterBankState& table, double c, double f, double q, double a,
                                  const PositionRange& allowed) {
    const double r2 = q / (kPi * c * f);
    const double r1 = a > 0 ? r2 / (2.0 * a) : kInfinity;
    const double omegaC = 2.0 * kPi * f * c;
    const double d = omegaC * omegaC - 1.0 / (r1 * r2);
    const double r3 = d > 0 ? 1.0 / (r2 * d) : -1.0;
    return {nearestPosition(table, r1, allowed), nearestPosition(table, r2, allowed),
            nearestPosition(table, r3, allowed)};
}

bool insidePreferred(const FilterBankState& table, const std::array<int, 3>& positions) {
    return std::all_of(positions.begin(), positions.end(), [&](int p) {
        const double ohms = ohmsAt(table, p);
        return ohms >= kPreferredLowOhms && ohms <= kPreferredHighOhms;
    });
}

struct Candidate {
    double cost = kInfinity;
    PartsChoice parts;
};

// Realisations are ranked by the predicted error and only this many of the
// best ranked are evaluated: the choice among every capacitor's parts, one
// step of the resistor search, one capacitor tried for lower noise.
constexpr std::size_t kEvaluatedChoices = 16;
constexpr std::size_t kEvaluatedSteps = 12;
constexpr std::size_t kEvaluatedQuietChoices = 4;
// Of the steps of two sections at once, this many of the best ranked; of
// the changes of two sections' capacitors, ranked by a linear model, more.
constexpr std::size_t kEvaluatedPairs = 4;
constexpr std::size_t kEvaluatedCapacitorPairs = 16;

SectionDesign designOf(const Realised& r) {
    return {portableLog(r.frequency), portableLog(r.q), 20 * portableLog10(1 + r.gainFactor)};
}

class PartsSearch {
public:
    PartsSearch(const FitProblem& problem, const FilterBankState& table, const PositionRange& allowed)
        : problem_(problem), table_(table), allowed_(allowed), step_(allowed.step), scratch_(problem.base.size()) {}

    // The error with section k realised by `parts` on top of `others`.
    double cost(int k, const PartsChoice& parts, const std::vector<double>& others) {
        const Realised r = realise(table_, parts.capacitance, parts.positions);
        if (!valid(k, r)) return kInfinity;
        scratch_ = others;
        addSectionResponse(problem_.frequencies, r.frequency, r.q, r.gainFactor, problem_.boost(k), 1, scratch_.data());
        const double e = squaredError(problem_, scratch_.data());
        return std::isfinite(e) ? e : kInfinity;
    }

    // Offers the valid positions within one step of `centre` for a capacitor.
    void gatherAround(int k, int item, double capacitance, const std::array<int, 3>& centre, const SectionModel& model,
                      bool penalise) {
        for (const PartsChoice& parts : withinOneStep({true, item, capacitance, centre}, true))
            offer(k, parts, model, penalise);
    }

    // Offers every R2 and R3 with R1 at `r1` or at the top: for a design the
    // neighbourhood of its ideal parts cannot realise at all.
    void gatherScan(int k, int item, double capacitance, int r1, const SectionModel& model, bool penalise) {
        for (int first : {r1, allowed_.highest})
            for (int p2 = allowed_.lowest; p2 <= allowed_.highest; p2 += step_)
                for (int p3 = allowed_.lowest; p3 <= allowed_.highest; p3 += step_)
                    offer(k, {true, item, capacitance, {first, p2, p3}}, model, penalise);
    }

    // The best of the offered realisations by their evaluated error (with
    // the penalty they were offered with), of the `count` best predicted.
    Candidate settle(int k, const std::vector<double>& others, std::size_t count) {
        const auto last = pool_.begin() + static_cast<std::ptrdiff_t>(std::min(count, pool_.size()));
        std::partial_sort(pool_.begin(), last, pool_.end(), [](const Offer& a, const Offer& b) {
            return a.ranked < b.ranked || (a.ranked == b.ranked && a.order < b.order);
        });
        Candidate best;
        double bestRanked = kInfinity;
        for (auto it = pool_.begin(); it != last; ++it) {
            const double c = cost(k, it->parts, others);
            if (!std::isfinite(c)) continue;
            const double ranked = c * it->penalty;
            if (ranked < bestRanked) bestRanked = ranked, best = {c, it->parts};
        }
        pool_.clear();
        return best;
    }

    // The best of the section's resistor moves (each up to three steps
    // alone, or together up to two steps each), ranked by the error
    // predicted around the current parts; `current` when none is better.
    Candidate bestStep(int k, const Candidate& current, const std::vector<double>& others) {
        const Realised now = realise(table_, current.parts.capacitance, current.parts.positions);
        const SectionModel model(problem_, k, designOf(now), others);
        for (int d0 = -2; d0 <= 2; ++d0)
            for (int d1 = -2; d1 <= 2; ++d1)
                for (int d2 = -2; d2 <= 2; ++d2) offerMove(k, current.parts, {d0, d1, d2}, model);
        for (int slot = 0; slot < 3; ++slot)
            for (int d : {-3, 3}) {
                std::array<int, 3> delta{};
                delta[static_cast<std::size_t>(slot)] = d;
                offerMove(k, current.parts, delta, model);
            }
        const Candidate next = settle(k, others, kEvaluatedSteps);
        return next.cost < current.cost ? next : current;
    }

    // The best of the section's realisations with another capacitor of the
    // selector (the neighbourhood of the parts that realise its present
    // frequency, Q and gain), ranked by the error predicted around the
    // current parts; `current` when none is better.
    Candidate bestCapacitor(int k, const Candidate& current, const std::vector<double>& others) {
        const Realised now = realise(table_, current.parts.capacitance, current.parts.positions);
        const SectionModel model(problem_, k, designOf(now), others);
        for (int item = 0; item < static_cast<int>(kCapacitorItems.size()); ++item) {
            if (item == current.parts.capacitorItem) continue;
            const double c = capacitorItemFarads(item);
            gatherAround(k, item, c, idealPositions(table_, c, now.frequency, now.q, now.gainFactor, allowed_), model,
                         false);
        }
        const Candidate next = settle(k, others, kEvaluatedSteps);
        return next.cost < current.cost ? next : current;
    }

    // The curve section k adds with `parts` into `curve` (zeroed first);
    // false where the parts do not realise it within the fit's limits.
    bool curveOf(int k, const PartsChoice& parts, std::vector<double>& curve) const {
        const Realised r = realise(table_, parts.capacitance, parts.positions);
        if (!valid(k, r)) return false;
        curve.assign(problem_.base.size(), 0.0);
        addSectionResponse(problem_.frequencies, r.frequency, r.q, r.gainFactor, problem_.boost(k), 1, curve.data());
        return true;
    }

    // The allowed positions one step from `from` in any of the three slots
    // (26 at most), and `from` itself where `withFrom` and it is allowed.
    std::vector<PartsChoice> withinOneStep(const PartsChoice& from, bool withFrom) const {
        std::vector<PartsChoice> out;
        for (int d0 = -1; d0 <= 1; ++d0)
            for (int d1 = -1; d1 <= 1; ++d1)
                for (int d2 = -1; d2 <= 1; ++d2) {
                    PartsChoice parts = from;
                    if ((withFrom || d0 != 0 || d1 != 0 || d2 != 0) && move(parts.positions, {d0, d1, d2}))
                        out.push_back(parts);
                }
        return out;
    }

    // Whether the parts realise a section within the fit's limits.
    bool buildable(int k, const PartsChoice& parts) const {
        return valid(k, realise(table_, parts.capacitance, parts.positions));
    }

private:
    struct Offer {
        double ranked, penalty;
        std::size_t order; // ties keep the order of offering
        PartsChoice parts;
    };

    void offer(int k, const PartsChoice& parts, const SectionModel& model, bool penalise) {
        const Realised r = realise(table_, parts.capacitance, parts.positions);
        if (!valid(k, r)) return;
        const double penalty = penalise && !insidePreferred(table_, parts.positions) ? kOutsidePreferredPenalty : 1;
        pool_.push_back({model.predict(designOf(r)) * penalty, penalty, pool_.size(), parts});
    }

    void offerMove(int k, const PartsChoice& from, const std::array<int, 3>& delta, const SectionModel& model) {
        if (delta == std::array<int, 3>{}) return;
        PartsChoice parts = from;
        if (move(parts.positions, delta)) offer(k, parts, model, false);
    }

    bool valid(int k, const Realised& r) const {
        const double gainDb = 20 * portableLog10(1 + r.gainFactor);
        return std::isfinite(r.frequency) && std::isfinite(r.q) && std::isfinite(r.gainFactor) &&
               r.frequency >= 20 && r.frequency <= 20000 && r.q >= 0.1 && r.q <= 8 && r.gainFactor >= 0 &&
               gainDb <= problem_.gainLimitDb[static_cast<std::size_t>(k)] + 1e-9;
    }

    bool move(std::array<int, 3>& positions, const std::array<int, 3>& delta) const {
        for (std::size_t s = 0; s < 3; ++s) {
            positions[s] += delta[s] * step_;
            if (positions[s] < allowed_.lowest || positions[s] > allowed_.highest) return false;
        }
        return true;
    }

    const FitProblem& problem_;
    const FilterBankState& table_;
    PositionRange allowed_;
    int step_;
    std::vector<double> scratch_;
    std::vector<Offer> pool_;
};

void addRealised(const FitProblem& problem, const FilterBankState& table, int k, const PartsChoice& parts,
                 double sign, std::vector<double>& curve) {
    const Realised r = realise(table, parts.capacitance, parts.positions);
    addSectionResponse(problem.frequencies, r.frequency, r.q, r.gainFactor, problem.boost(k), sign, curve.data());
}

// The ideal designs of sections `from` onwards descended again on top of
// what the sections before them really add (in `total` with the designs
// still to come): they make up for what the parts of those could not meet.
void refitRest(const FitProblem& problem, int from, std::vector<double>& total, Designs& designs) {
    FitProblem rest = problem;
    rest.base = total;
    for (int k = from; k < static_cast<int>(designs.size()); ++k) {
        const SectionDesign& d = designs[static_cast<std::size_t>(k)];
        addSectionResponse(problem.frequencies, d.frequency(), d.q(), d.gainFactor(), problem.boost(k), -1, rest.base.data());
    }
    const auto first = static_cast<std::ptrdiff_t>(from);
    rest.sections.erase(rest.sections.begin(), rest.sections.begin() + first);
    rest.gainLimitDb.erase(rest.gainLimitDb.begin(), rest.gainLimitDb.begin() + first);
    const Designs before(designs.begin() + first, designs.end());
    const Designs after = refineDesigns(rest, before);
    std::copy(after.begin(), after.end(), designs.begin() + first);
    total = totalCurve(rest, after);
}

// What the error measures of `v` in place: its deviation from `level`
// where the level is fixed, or from its mean where it is automatic (a
// curve's change then counts about its own mean).
void measure(const FitProblem& problem, std::vector<double>& v, double level) {
    if (!problem.level) level = std::accumulate(v.begin(), v.end(), 0.0) / problem.points();
    for (double& x : v) x -= level;
}

// One pair of moves ranked by its predicted error.
struct RankedPair {
    double error;
    std::size_t a, b, i, j;
};

// Keeps the `size` best ranked pairs, the best first.
void offerPair(std::vector<RankedPair>& shortlist, std::size_t size, const RankedPair& r) {
    if (shortlist.size() == size && !(r.error < shortlist.back().error)) return;
    shortlist.insert(std::upper_bound(shortlist.begin(), shortlist.end(), r,
                                      [](const RankedPair& x, const RankedPair& y) { return x.error < y.error; }),
                     r);
    if (shortlist.size() > size) shortlist.pop_back();
}

// The ranked pairs evaluated in full (the ranking's rounding must not take
// a step that does not lower the error): the best taken into `parts` where
// it lowers the error below `now`; false where none does.
template <typename Moves>
bool takeBestEvaluated(const FitProblem& problem, const FilterBankState& table, const std::vector<RankedPair>& shortlist,
                       const Moves& moves, double now, std::vector<PartsChoice>& parts) {
    double best = now * (1 - 1e-12);
    std::optional<std::vector<PartsChoice>> chosen;
    for (const RankedPair& r : shortlist) {
        std::vector<PartsChoice> trial = parts;
        trial[r.a] = moves[r.a][r.i].parts;
        trial[r.b] = moves[r.b][r.j].parts;
        const double e = squaredError(problem, realisedTotal(problem, table, trial).data());
        if (e < best) best = e, chosen = std::move(trial);
    }
    if (!chosen) return false;
    parts = std::move(*chosen);
    return true;
}

} // namespace

double capacitorItemFarads(int item) {
    return capacitorTextFarads(kCapacitorItems[static_cast<std::size_t>(item)]); // as the selector reads it
}

PositionRange allowedPositions(const FilterBankState& table, Series series, const ResistorRange& range) {
    PositionRange allowed;
    allowed.step = series == Series::E12 ? 2 : 1;
    allowed.lowest = kTopPosition + 1;
    allowed.highest = -1;
    for (int p = 0; p <= kTopPosition; p += allowed.step)
        if (range.contains(ohmsAt(table, p))) {
            allowed.lowest = std::min(allowed.lowest, p);
            allowed.highest = std::max(allowed.highest, p);
        }
    return allowed;
}

Realised realise(const FilterBankState& table, double capacitance, const std::array<int, 3>& positions) {
    const double r1 = ohmsAt(table, positions[0]), r2 = ohmsAt(table, positions[1]), r3 = ohmsAt(table, positions[2]);
    // The engine's realised figures in double (see kPi); the parts come from
    // the series table, so no resistor is zero.
    Realised r;
    r.frequency = capacitance == 0 ? kFallbackHertz : std::sqrt((r1 + r3) / (r1 * r2 * r3)) / (2.0 * kPi * capacitance);
    r.q = kPi * r2 * capacitance * r.frequency;
    r.gainFactor = r2 / (2.0 * r1);
    return r;
}

Realised shownFigures(const FilterBankState& table, double capacitance, const std::array<int, 3>& positions) {
    const double r1 = ohmsAt(table, positions[0]), r2 = ohmsAt(table, positions[1]), r3 = ohmsAt(table, positions[2]);
    Realised r;
    r.frequency = fBerechnen(capacitance, r1, r2, r3);
    r.q = QBerechnen(capacitance, r.frequency, r2);
    r.gainFactor = ABerechnen(r1, r2);
    return r;
}

std::vector<PartsChoice> chooseParts(const FitProblem& problem, const FilterBankState& table,
                                      const FitSettings& settings, const Designs& designs,
                                      const std::vector<double>& keptCapacitance, const std::atomic<bool>* cancel,
                                      const std::function<void(double)>& progress, double* error) {
    const int count = static_cast<int>(designs.size());
    const PositionRange allowed = allowedPositions(table, settings.series, settings.circuit.resistors);
    std::vector<Candidate> chosen(designs.size());
    if (allowed.empty()) return std::vector<PartsChoice>(designs.size());
    PartsSearch search(problem, table, allowed);
    std::vector<double> total = totalCurve(problem, designs);

    // Section by section, each on top of the parts already chosen and the
    // ideal designs still to come.
    Designs ideal = designs;
    for (int k = 0; k < count; ++k) {
        const SectionDesign& d = ideal[static_cast<std::size_t>(k)];
        std::vector<double> others = total;
        addSectionResponse(problem.frequencies, d.frequency(), d.q(), d.gainFactor(), problem.boost(k), -1, others.data());
        const SectionModel model(problem, k, d, others);
        const int items = settings.chooseCapacitors ? static_cast<int>(kCapacitorItems.size()) : 1;
        // The neighbourhood of each capacitor's ideal parts first; only when
        // none realises the design, the wide scan (a hundred times as many).
        Candidate best;
        for (const bool wide : {false, true}) {
            for (int item = 0; item < items; ++item) {
                const double c = settings.chooseCapacitors ? capacitorItemFarads(item)
                                                           : keptCapacitance[static_cast<std::size_t>(k)];
                const int itemIndex = settings.chooseCapacitors ? item : -1;
                const auto centre = idealPositions(table, c, d.frequency(), d.q(), d.gainFactor(), allowed);
                if (wide)
                    search.gatherScan(k, itemIndex, c, centre[0], model, true);
                else
                    search.gatherAround(k, itemIndex, c, centre, model, true);
            }
            best = search.settle(k, others, kEvaluatedChoices);
            if (best.parts.valid) break;
        }
        chosen[static_cast<std::size_t>(k)] = best;
        total = others;
        if (best.parts.valid) {
            addRealised(problem, table, k, best.parts, 1, total);
        } else {
            // No parts realise it: the section keeps its setting, and the
            // others are searched around what it really adds.
            const Curve& kept = table.section(problem.sections[static_cast<std::size_t>(k)]).SectionCurve;
            for (std::size_t i = 0; i < total.size(); ++i) total[i] += kept[static_cast<std::size_t>(problem.first) + i];
        }
        if (k + 1 < count) refitRest(problem, k + 1, total, ideal);
    }

    std::vector<PartsChoice> parts;
    for (const Candidate& c : chosen) parts.push_back(c.parts);
    return searchParts(problem, table, settings, std::move(parts), cancel, progress, error);
}

std::vector<PartsChoice> choosePartsInOrder(const FitProblem& problem, const FilterBankState& table,
                                            const FitSettings& settings, const Designs& designs,
                                            const std::vector<double>& keptCapacitance, const std::vector<int>& order,
                                            const std::atomic<bool>* cancel, const std::function<void(double)>& progress,
                                            double* error) {
    FitProblem permuted = problem;
    Designs placed;
    std::vector<double> kept;
    for (std::size_t n = 0; n < order.size(); ++n) {
        const auto k = static_cast<std::size_t>(order[n]);
        permuted.sections[n] = problem.sections[k];
        permuted.gainLimitDb[n] = problem.gainLimitDb[k];
        placed.push_back(designs[k]);
        kept.push_back(keptCapacitance[k]);
    }
    const std::vector<PartsChoice> chosen = chooseParts(permuted, table, settings, placed, kept, cancel, progress);
    if (chosen.empty()) return {};
    std::vector<PartsChoice> parts(chosen.size());
    for (std::size_t n = 0; n < order.size(); ++n) parts[static_cast<std::size_t>(order[n])] = chosen[n];
    if (error != nullptr) *error = squaredError(problem, realisedTotal(problem, table, parts).data());
    return parts;
}

std::vector<PartsChoice> searchParts(const FitProblem& problem, const FilterBankState& table,
                                     const FitSettings& settings, std::vector<PartsChoice> parts,
                                     const std::atomic<bool>* cancel, const std::function<void(double)>& progress,
                                     double* error) {
    const PositionRange allowed = allowedPositions(table, settings.series, settings.circuit.resistors);
    PartsSearch search(problem, table, allowed);
    std::vector<double> total = realisedTotal(problem, table, parts);
    // Coordinate search over every section's resistors, best step first.
    for (int pass = 0; !allowed.empty() && pass < kMaxSearchPasses; ++pass) {
        bool improved = false;
        for (int k = 0; k < static_cast<int>(parts.size()); ++k) {
            if (cancel != nullptr && cancel->load()) return {};
            Candidate current{0, parts[static_cast<std::size_t>(k)]};
            if (!current.parts.valid) continue;
            std::vector<double> others = total;
            addRealised(problem, table, k, current.parts, -1, others);
            current.cost = search.cost(k, current.parts, others); // the others may have moved
            Candidate next = search.bestStep(k, current, others);
            // Where the fit chooses the capacitors, another one may realise
            // the section better than any step of its resistors.
            if (settings.chooseCapacitors) next = search.bestCapacitor(k, next, others);
            if (next.cost < current.cost * (1 - 1e-12)) {
                current = next;
                improved = true;
            }
            parts[static_cast<std::size_t>(k)] = current.parts;
            total = others;
            addRealised(problem, table, k, current.parts, 1, total);
        }
        if (progress) progress(std::min(1.0, (pass + 1) / 8.0));
        if (!improved) break;
    }
    if (error != nullptr) *error = squaredError(problem, total.data());
    return parts;
}

std::vector<PartsChoice> pairSteps(const FitProblem& problem, const FilterBankState& table,
                                   const FitSettings& settings, std::vector<PartsChoice> parts,
                                   const std::atomic<bool>* cancel) {
    const PositionRange allowed = allowedPositions(table, settings.series, settings.circuit.resistors);
    if (allowed.empty()) return parts;
    PartsSearch search(problem, table, allowed);
    const int n = problem.points();
    const auto measured = [&](std::vector<double>& v, double level) { measure(problem, v, level); };
    struct Move {
        PartsChoice parts;
        std::vector<double> change; // the section's curve less its curve now, as measured
        double alone = 0;           // the error's change by this move alone
    };
    for (int pass = 0; pass < kMaxSearchPasses; ++pass) {
        if (cancel != nullptr && cancel->load()) return parts;
        const std::vector<double> total = realisedTotal(problem, table, parts);
        const double now = squaredError(problem, total.data());
        std::vector<double> deviation = total;
        measured(deviation, problem.level.value_or(0));
        // Each section's one-step neighbours: |t + a + b|^2 = |t|^2 + (2 t.a
        // + a.a) + (2 t.b + b.b) + 2 a.b ranks every pair of moves by one
        // product of their changes.
        std::vector<std::vector<Move>> moves(parts.size());
        std::vector<double> current, curve;
        for (std::size_t k = 0; k < parts.size(); ++k) {
            if (!parts[k].valid || !search.curveOf(static_cast<int>(k), parts[k], current)) continue;
            for (const PartsChoice& m : search.withinOneStep(parts[k], false)) {
                if (!search.curveOf(static_cast<int>(k), m, curve)) continue;
                for (int i = 0; i < n; ++i) curve[static_cast<std::size_t>(i)] -= current[static_cast<std::size_t>(i)];
                measured(curve, 0);
                const double alone = 2 * dot(deviation.data(), curve.data(), n) + dot(curve.data(), curve.data(), n);
                moves[k].push_back({m, curve, alone});
            }
        }
        std::vector<RankedPair> shortlist;
        for (std::size_t a = 0; a < parts.size(); ++a)
            for (std::size_t b = a + 1; b < parts.size(); ++b)
                for (std::size_t i = 0; i < moves[a].size(); ++i)
                    for (std::size_t j = 0; j < moves[b].size(); ++j) {
                        const Move &ma = moves[a][i], &mb = moves[b][j];
                        const double e = now + ma.alone + mb.alone + 2 * dot(ma.change.data(), mb.change.data(), n);
                        offerPair(shortlist, kEvaluatedPairs, {e, a, b, i, j});
                    }
        if (!takeBestEvaluated(problem, table, shortlist, moves, now, parts)) break;
        parts = searchParts(problem, table, settings, std::move(parts), cancel, {}, nullptr);
        if (parts.empty()) return parts; // cancelled
    }
    return parts;
}

std::vector<PartsChoice> capacitorPairSteps(const FitProblem& problem, const FilterBankState& table,
                                            const FitSettings& settings, std::vector<PartsChoice> parts,
                                            const std::atomic<bool>* cancel) {
    const PositionRange allowed = allowedPositions(table, settings.series, settings.circuit.resistors);
    if (allowed.empty() || !settings.chooseCapacitors) return parts;
    PartsSearch search(problem, table, allowed);
    const int n = problem.points();
    const std::size_t count = parts.size();
    struct Move {
        PartsChoice parts;
        double alone = 0;          // the error's change by this move alone
        std::array<double, 3> at{}; // its change in the section's linear terms
    };
    for (int pass = 0; pass < kMaxSearchPasses; ++pass) {
        if (cancel != nullptr && cancel->load()) return parts;
        const std::vector<double> total = realisedTotal(problem, table, parts);
        const double now = squaredError(problem, total.data());
        std::vector<double> deviation = total;
        measure(problem, deviation, problem.level.value_or(0));
        // Each section's linear terms (its curve's slopes over ln f, ln Q and
        // gain at its parts now, as measured) and every capacitor's parts
        // around its present figures, with the change of each in those terms
        // (least squares): the product of two sections' changes is then a
        // 3 x 3 form, a few operations for each of the many pairs.
        std::vector<std::vector<double>> slopes(count, std::vector<double>(static_cast<std::size_t>(3 * n)));
        std::vector<std::vector<Move>> moves(count);
        std::vector<double> current, curve;
        for (std::size_t k = 0; k < count; ++k) {
            if (!parts[k].valid || !search.curveOf(static_cast<int>(k), parts[k], current)) continue;
            const Realised figures = realise(table, parts[k].capacitance, parts[k].positions);
            double* columns = slopes[k].data();
            sectionDerivatives(problem, static_cast<int>(k), designOf(figures), columns);
            std::array<double, 9> gram{};
            for (int p = 0; p < 3; ++p) {
                std::vector<double> column(columns + p * n, columns + (p + 1) * n);
                measure(problem, column, 0);
                std::copy(column.begin(), column.end(), columns + p * n);
            }
            for (int p = 0; p < 3; ++p)
                for (int q = 0; q < 3; ++q) gram[static_cast<std::size_t>(3 * p + q)] = dot(columns + p * n, columns + q * n, n);
            for (int item = 0; item < static_cast<int>(kCapacitorItems.size()); ++item) {
                const double c = capacitorItemFarads(item);
                const std::array<int, 3> centre =
                    item == parts[k].capacitorItem
                        ? parts[k].positions
                        : idealPositions(table, c, figures.frequency, figures.q, figures.gainFactor, allowed);
                for (const PartsChoice& m : search.withinOneStep({true, item, c, centre}, item != parts[k].capacitorItem)) {
                    if (!search.curveOf(static_cast<int>(k), m, curve)) continue;
                    for (int i = 0; i < n; ++i) curve[static_cast<std::size_t>(i)] -= current[static_cast<std::size_t>(i)];
                    measure(problem, curve, 0);
                    Move move{m, 2 * dot(deviation.data(), curve.data(), n) + dot(curve.data(), curve.data(), n), {}};
                    std::vector<double> b(3), g(gram.begin(), gram.end());
                    for (int p = 0; p < 3; ++p) b[static_cast<std::size_t>(p)] = dot(columns + p * n, curve.data(), n);
                    if (solve(g, b, 3)) move.at = {b[0], b[1], b[2]};
                    moves[k].push_back(move);
                }
            }
        }
        std::vector<RankedPair> shortlist;
        for (std::size_t a = 0; a < count; ++a)
            for (std::size_t b = a + 1; b < count; ++b) {
                if (moves[a].empty() || moves[b].empty()) continue;
                std::array<double, 9> cross{}; // slopes of a against slopes of b
                for (int p = 0; p < 3; ++p)
                    for (int q = 0; q < 3; ++q)
                        cross[static_cast<std::size_t>(3 * p + q)] =
                            dot(slopes[a].data() + p * n, slopes[b].data() + q * n, n);
                for (std::size_t i = 0; i < moves[a].size(); ++i) {
                    const Move& ma = moves[a][i];
                    std::array<double, 3> row{};
                    for (int q = 0; q < 3; ++q)
                        for (int p = 0; p < 3; ++p) row[static_cast<std::size_t>(q)] += ma.at[static_cast<std::size_t>(p)] * cross[static_cast<std::size_t>(3 * p + q)];
                    for (std::size_t j = 0; j < moves[b].size(); ++j) {
                        const Move& mb = moves[b][j];
                        const double e = now + ma.alone + mb.alone +
                                         2 * (row[0] * mb.at[0] + row[1] * mb.at[1] + row[2] * mb.at[2]);
                        offerPair(shortlist, kEvaluatedCapacitorPairs, {e, a, b, i, j});
                    }
                }
            }
        if (!takeBestEvaluated(problem, table, shortlist, moves, now, parts)) break;
        parts = pairSteps(problem, table, settings, std::move(parts), cancel);
        if (parts.empty()) return parts; // cancelled
    }
    return parts;
}

std::optional<std::vector<PartsChoice>> startParts(const FitProblem& problem, const FilterBankState& table,
                                                   const FitSettings& settings) {
    const PositionRange allowed = allowedPositions(table, settings.series, settings.circuit.resistors);
    if (allowed.empty()) return std::nullopt;
    PartsSearch search(problem, table, allowed);
    std::vector<PartsChoice> parts;
    for (int k = 0; k < static_cast<int>(problem.sections.size()); ++k) {
        const FilterSection& section = table.section(problem.sections[static_cast<std::size_t>(k)]);
        PartsChoice choice{true, -1, section.Capacitance, {section.SeriesIndex[0], section.SeriesIndex[1], section.SeriesIndex[2]}};
        for (int p : choice.positions)
            if (p < allowed.lowest || p > allowed.highest || (p - allowed.lowest) % allowed.step != 0) return std::nullopt;
        if (settings.chooseCapacitors) {
            for (int item = 0; item < static_cast<int>(kCapacitorItems.size()); ++item)
                if (capacitorItemFarads(item) == section.Capacitance) choice.capacitorItem = item;
            if (choice.capacitorItem < 0) return std::nullopt; // not one the selector offers
        }
        if (!search.buildable(k, choice)) return std::nullopt;
        parts.push_back(choice);
    }
    return parts;
}

std::vector<double> realisedTotal(const FitProblem& problem, const FilterBankState& table,
                                  const std::vector<PartsChoice>& parts) {
    std::vector<double> total = problem.base;
    for (int k = 0; k < static_cast<int>(parts.size()); ++k) {
        const PartsChoice& p = parts[static_cast<std::size_t>(k)];
        if (p.valid) {
            addRealised(problem, table, k, p, 1, total);
        } else {
            const Curve& kept = table.section(problem.sections[static_cast<std::size_t>(k)]).SectionCurve;
            for (std::size_t i = 0; i < total.size(); ++i) total[i] += kept[static_cast<std::size_t>(problem.first) + i];
        }
    }
    return total;
}

std::vector<PartsChoice> quieterParts(const FitProblem& problem, const FilterBankState& table,
                                      const FitSettings& settings, std::vector<PartsChoice> parts, double errorLimit,
                                      const std::function<double(const std::vector<PartsChoice>&)>& noise,
                                      const std::atomic<bool>* cancel) {
    const PositionRange allowed = allowedPositions(table, settings.series, settings.circuit.resistors);
    if (!settings.chooseCapacitors || allowed.empty()) return parts;
    double quietest = noise(parts);
    std::vector<double> total = realisedTotal(problem, table, parts);
    const int items = static_cast<int>(kCapacitorItems.size());
    // Per capacitor: its parts and their noise, or none where they do not
    // stay within the limit. Each capacitor is searched on its own (on as
    // many threads as asked) and the results are taken in their order.
    std::vector<std::optional<std::pair<PartsChoice, double>>> tried(static_cast<std::size_t>(items));
    for (int k = 0; k < static_cast<int>(parts.size()); ++k) {
        PartsChoice& current = parts[static_cast<std::size_t>(k)];
        if (!current.valid) continue;
        std::vector<double> others = total;
        addRealised(problem, table, k, current, -1, others);
        const Realised now = realise(table, current.capacitance, current.positions);
        const SectionModel model(problem, k, designOf(now), others);
        std::fill(tried.begin(), tried.end(), std::nullopt);
        forEachSlot(tried, settings.search.threads, settings.search.peers, [&](int item, auto& slot) {
            if (cancel != nullptr && cancel->load()) return;
            if (item == current.capacitorItem) return;
            PartsSearch search(problem, table, allowed);
            const double c = capacitorItemFarads(item);
            const auto centre = idealPositions(table, c, now.frequency, now.q, now.gainFactor, allowed);
            search.gatherAround(k, item, c, centre, model, false);
            Candidate candidate = search.settle(k, others, kEvaluatedQuietChoices);
            // Only a capacitor whose nearest parts come close is searched further.
            if (!(candidate.cost <= kQuietSearchShare * errorLimit)) return;
            for (int steps = 0; steps < kMaxSearchPasses; ++steps) {
                const Candidate next = search.bestStep(k, candidate, others);
                if (!(next.cost < candidate.cost * (1 - 1e-12))) break;
                candidate = next;
            }
            if (!(candidate.cost <= errorLimit)) return;
            std::vector<PartsChoice> trial = parts;
            trial[static_cast<std::size_t>(k)] = candidate.parts;
            slot = {{candidate.parts, noise(trial)}};
        });
        if (cancel != nullptr && cancel->load()) return parts;
        std::optional<PartsChoice> quieter;
        for (const auto& t : tried)
            if (t && t->second < quietest) quietest = t->second, quieter = t->first;
        if (quieter) current = *quieter;
        total = others;
        addRealised(problem, table, k, current, 1, total);
    }
    return parts;
}

} // namespace tessera
