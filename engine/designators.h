#pragma once
// The names under which the user, the report, the netlist and the command
// line know a section's parts: section s's resistors are R(3s-2) for R2 (the
// feedback resistor), R(3s-1) for R3 (the shunt) and R(3s) for R1 (the
// input); its two equal capacitors are C(2s-1), from the input node to the
// inverting input, and C(2s), from the input node to the stage output.
// Beyond the pages: the four equal summing resistors of section s (the
// difference amplifier of a boost section, the gain-2 stage of a cut
// section) are R(13 + 4(s-1)) ... R(16 + 4(s-1)), that is R13 ... R28, and
// its two op-amps are U(2s-1) (the band-pass stage) and U(2s) (the summing
// stage), U1 ... U8.

#include "filter_bank_state.h"

#include <string>

namespace tessera {

// "R1" ... "R12".
std::string resistorDesignator(int section, Slot slot);
// A section's resistor slots in the order of their designators: feedback,
// shunt, input (R1, R2, R3 of section 1's page).
inline constexpr Slot kSlotsByDesignator[] = {Slot::R2, Slot::R3, Slot::R1};
// `which` 0: C(2s-1), 1: C(2s); "C1" ... "C8".
std::string capacitorDesignator(int section, int which);
// `which` 0 ... 3, in the order the netlist lists them; "R13" ... "R28".
std::string summingResistorDesignator(int section, int which);

enum class Stage { BandPass, Summing };
// "U1" ... "U8".
std::string opAmpDesignator(int section, Stage stage);

} // namespace tessera
