#pragma once
// The parts of the equaliser as the pages show them: per section the two
// equal capacitors and the three resistors, either the snapped standard
// values or, in exact mode, the ideal values to 6 significant digits. The
// netlist, the real op-amp and the tolerance analysis all start from these.

#include "design_messages.h"
#include "filter_engine.h"

#include <array>
#include <optional>
#include <string>

namespace tessera {

struct SectionParts {
    double C1 = 0; // node a to the inverting input, farads
    double C2 = 0; // node a to the stage output, farads
    double R1 = 0; // input, ohms
    double R2 = 0; // feedback
    double R3 = 0; // shunt
    bool exact = false; // ideal values (exact mode) rather than standard ones

    double resistor(Slot slot) const { return slot == Slot::R1 ? R1 : slot == Slot::R2 ? R2 : R3; }
    bool operator==(const SectionParts&) const = default;
};

using CircuitParts = std::array<SectionParts, kSectionCount>;

// The value rounded to 6 significant digits, as exact mode writes it.
double sixDigits(double value);

// The section's parts as its page shows them (steppers disabled = exact mode).
SectionParts sectionParts(const FilterEngine& engine, int section);
CircuitParts circuitParts(const FilterEngine& engine);

// Why the circuit cannot be built (a resistor that is not positive, shown
// as "err"), naming the section and the designator; nullopt when it can.
std::optional<Message> unbuildableReason(const CircuitParts& parts);

} // namespace tessera
