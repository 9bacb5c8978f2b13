#include "fit_apply.h"

#include "number_text.h"
#include "section_formulas.h"

namespace tessera {
namespace {

// Twelve digits survive the entry's conversion; the texts only bring the
// series snap near the searched positions, the steppers do the rest.
std::string typedText(double value) { return generalText(value, 12, '.'); }

void stepTo(FilterEngine& engine, int section, Slot slot, int position) {
    const auto k = static_cast<std::size_t>(slotIndex(slot));
    // Each step moves by at least one position over a table of 107.
    for (int guard = 0; guard < 2 * kSeriesCount; ++guard) {
        const int now = engine.state().section(section).SeriesIndex[k];
        if (now == position || !engine.stepResistor(section, slot, now < position)) return;
    }
}

} // namespace

void applyFit(FilterEngine& engine, const FitResult& result) {
    for (int s = 1; s <= kSectionCount; ++s) {
        const FittedSection& fitted = result.section(s);
        if (!fitted.fitted) continue;
        if (fitted.capacitorItem >= 0)
            engine.selectCapacitor(s, kCapacitorItems[static_cast<std::size_t>(fitted.capacitorItem)]);
        engine.commitEntry(s, Entry::Frequency, typedText(fitted.frequency));
        engine.commitEntry(s, Entry::Q, typedText(fitted.q));
        engine.commitEntry(s, Entry::Gain, typedText(shownGainDb(s, fitted.gainFactor)));
        engine.selectSeries(s, result.series);
        for (Slot slot : {Slot::R1, Slot::R2, Slot::R3})
            stepTo(engine, s, slot, fitted.positions[static_cast<std::size_t>(slotIndex(slot))]);
    }
}

std::unique_ptr<FilterBankState> predictApply(const FilterBankState& state, const FitResult& result) {
    auto copy = std::make_unique<FilterBankState>(state);
    FilterEngine engine(*copy);
    applyFit(engine, result);
    return copy;
}

Curve resultCurve(const FilterBankState& state) {
    Curve result;
    for (std::size_t i = 0; i < kGridPoints; ++i) result[i] = state.CombinedCurve[i] + state.ImportedResponse[i];
    return result;
}

} // namespace tessera
