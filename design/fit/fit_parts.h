#pragma once
// The second half of the fit: parts that can be bought. For each section the
// capacitor whose snapped resistors realise the ideal design best (resistors
// only within the resistor range; between 1 kOhm and 470 kOhm preferred), then a search over the resistors'
// table positions, a few steps up and down, singly and in pairs, and over
// the other capacitors, until no step lowers the realised error. Every
// choice ranks its realisations by the error a linear model of the section
// predicts (fit_section_model.h) and evaluates only the best ranked.

#include "fit_continuous.h"
#include "fit_slot_bytes.h"

#include <optional>

namespace tessera {

struct PartsChoice {
    bool valid = false;
    int capacitorItem = -1; // index into kCapacitorItems; -1 for a kept capacitor
    double capacitance = 0; // farads
    std::array<int, 3> positions{}; // by Slot

    bool operator==(const PartsChoice&) const = default;
};
inline void writeSlot(SlotWriter& w, const PartsChoice& c) {
    w.put(c.valid);
    w.put(c.capacitorItem);
    w.put(c.capacitance);
    writeSlot(w, c.positions);
}
inline void readSlot(SlotReader& r, PartsChoice& c) {
    r.get(c.valid);
    r.get(c.capacitorItem);
    r.get(c.capacitance);
    readSlot(r, c.positions);
}

// What a section's parts give, by the page's own formulas.
struct Realised {
    double frequency = 0;
    double q = 0;
    double gainFactor = 0;
};
// The table positions the fit may give a resistor: every position (E24) or
// every second one (E12) from `lowest` to `highest`, within the steppers'
// reach and the resistor range.
struct PositionRange {
    int lowest = 0, highest = -1, step = 1;
    bool empty() const { return highest < lowest; }
};
PositionRange allowedPositions(const FilterBankState& table, Series series, const ResistorRange& range);

// The capacitance of a selector item, exactly as the selector sets it.
double capacitorItemFarads(int item);

// The figures of a section's parts as the search evaluates them, in plain
// double (the same bits in every build).
Realised realise(const FilterBankState& table, double capacitance, const std::array<int, 3>& positions);
// The same figures as the program shows them, from the engine.
Realised shownFigures(const FilterBankState& table, double capacitance, const std::array<int, 3>& positions);

// The parts of every fitted section (in the order of problem.sections).
// `keptCapacitance` is used for every section when capacitors are kept.
// A section with no valid realisation comes back not valid (and keeps its
// setting). `error` receives the squared error of the parts chosen.
std::vector<PartsChoice> chooseParts(const FitProblem& problem, const FilterBankState& table,
                                      const FitSettings& settings, const Designs& designs,
                                      const std::vector<double>& keptCapacitance, const std::atomic<bool>* cancel,
                                      const std::function<void(double)>& progress, double* error = nullptr);

// chooseParts with the sections realised in `order` (a permutation of
// their indices) instead of their own: near flat, the order in which the
// sections are realised decides as much as the design. The parts come back
// by section, as chooseParts gives them.
std::vector<PartsChoice> choosePartsInOrder(const FitProblem& problem, const FilterBankState& table,
                                            const FitSettings& settings, const Designs& designs,
                                            const std::vector<double>& keptCapacitance, const std::vector<int>& order,
                                            const std::atomic<bool>* cancel, const std::function<void(double)>& progress,
                                            double* error);

// The coordinate search over the resistors of every section, from `parts`:
// each step the best move of one section's resistors, until none lowers the
// error (received by `error`). Empty when cancelled.
std::vector<PartsChoice> searchParts(const FitProblem& problem, const FilterBankState& table,
                                     const FitSettings& settings, std::vector<PartsChoice> parts,
                                     const std::atomic<bool>* cancel, const std::function<void(double)>& progress,
                                     double* error);

// From `parts`, steps of two sections' resistors at once (each one table
// position up or down in any of its slots), the best first, each followed by
// searchParts, until none lowers the error: the moves where one section's
// step alone makes it worse and only the other's answer makes it better.
// Empty when cancelled.
std::vector<PartsChoice> pairSteps(const FitProblem& problem, const FilterBankState& table,
                                   const FitSettings& settings, std::vector<PartsChoice> parts,
                                   const std::atomic<bool>* cancel);
// Where the capacitors are chosen, from `parts`: changes of two sections'
// capacitors at once (each with the resistors around what realises its
// present figures, or its resistors a step up or down), ranked by the
// sections' curves linearised around their parts and the best few evaluated
// in full, each followed by pairSteps, until none lowers the error: two
// capacitors together find what no step of one section does, most of all
// near flat, where the parts' steps decide. `parts` unchanged where the
// capacitors are kept; empty when cancelled.
std::vector<PartsChoice> capacitorPairSteps(const FitProblem& problem, const FilterBankState& table,
                                            const FitSettings& settings, std::vector<PartsChoice> parts,
                                            const std::atomic<bool>* cancel);
// The parts the fitted sections hold now, where the fit could have chosen
// them itself: resistors of the series within the range, a capacitor of the
// selector (where the fit chooses them), and a realisation within the fit's
// limits. The fit takes them as one of its candidates, so it never ends
// worse than where it started.
std::optional<std::vector<PartsChoice>> startParts(const FitProblem& problem, const FilterBankState& table,
                                                   const FitSettings& settings);

// base + the realised sections of `parts` at each band point (a section not
// valid adds the curve it keeps).
std::vector<double> realisedTotal(const FitProblem& problem, const FilterBankState& table,
                                  const std::vector<PartsChoice>& parts);

// Where the capacitors are chosen: for each section in turn every other
// capacitor of the selector, its resistors searched on top of the other
// sections' parts, taken when the whole realisation's squared error stays
// within `errorLimit` and `noise` (of a whole set of parts) falls. Returns
// the quietest set found; `parts` unchanged when none is quieter.
std::vector<PartsChoice> quieterParts(const FitProblem& problem, const FilterBankState& table,
                                      const FitSettings& settings, std::vector<PartsChoice> parts, double errorLimit,
                                      const std::function<double(const std::vector<PartsChoice>&)>& noise,
                                      const std::atomic<bool>* cancel);

} // namespace tessera
