#include "section_parts.h"

#include "designators.h"
#include "number_text.h"
#include "section_formulas.h"


namespace tessera {

double sixDigits(double value) {
    // Through the very text the netlist writes, so that both agree exactly.
    return significantValue(value, 6);
}

SectionParts sectionParts(const FilterEngine& engine, int section) {
    const FilterBankState& state = engine.state();
    const FilterSection& s = state.section(section);
    SectionParts parts;
    parts.C1 = parts.C2 = s.Capacitance;
    parts.exact = !engine.page(section).stepper[0].enabled;
    if (parts.exact) {
        // The ideal values of the section's own frequency, Q and gain; a
        // scratch state, since RBerechnen keeps only the last section's.
        FilterBankState scratch;
        RBerechnen(scratch, s.Capacitance, s.Frequency, s.Q, s.GainFactor);
        parts.R1 = sixDigits(scratch.IdealR1);
        parts.R2 = sixDigits(scratch.IdealR2);
        parts.R3 = sixDigits(scratch.IdealR3);
    } else {
        const auto ohms = [&](Slot slot) {
            const auto position = s.SeriesIndex[static_cast<std::size_t>(slotIndex(slot))];
            return static_cast<double>(state.SeriesValues[static_cast<std::size_t>(position)]);
        };
        parts.R1 = ohms(Slot::R1);
        parts.R2 = ohms(Slot::R2);
        parts.R3 = ohms(Slot::R3);
    }
    return parts;
}

CircuitParts circuitParts(const FilterEngine& engine) {
    CircuitParts parts;
    for (int s = 1; s <= kSectionCount; ++s) parts[static_cast<std::size_t>(s - 1)] = sectionParts(engine, s);
    return parts;
}

std::optional<Message> unbuildableReason(const CircuitParts& parts) {
    for (int s = 1; s <= kSectionCount; ++s) {
        const SectionParts& p = parts[static_cast<std::size_t>(s - 1)];
        for (Slot slot : {Slot::R2, Slot::R3, Slot::R1})
            if (!(p.resistor(slot) > 0))
                return Message{kResistorNotPositive, {std::to_string(s), resistorDesignator(s, slot)}};
        if (!(p.C1 > 0) || !(p.C2 > 0)) return Message{kCapacitorsNotPositive, {std::to_string(s)}};
    }
    return std::nullopt;
}

} // namespace tessera
