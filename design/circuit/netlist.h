#pragma once
// The whole equaliser as a plain SPICE netlist: the four sections in a chain,
// each a subcircuit around the multiple-feedback band-pass stage, an AC source
// of 1 V and an analysis on the program's own frequency grid. Standard SPICE
// only (no control blocks), so other simulators read it too.
//
// Parts carry their designators: R1 ... R12 and C1 ... C8 as the pages name
// them, the summing resistors R13 ... R28, the op-amps XU1 ... XU8 (op-amp
// U1 is subcircuit instance XU1: SPICE names subcircuit instances with X).
// The op-amp subcircuit carries the op-amp's noise: its en as the thermal
// noise of a resistor RN (4kT RN = en^2) added to the input difference, its
// in at each input as the thermal noise of a resistor RI (4kT / RI = in^2)
// turned into a current; controlled sources make no noise and nothing loads
// the circuit, so `.noise` gives the op-amp's en and in exactly.

#include "file_outcome.h"
#include "filter_engine.h"
#include "circuit_settings.h"

#include <string>

namespace tessera {

struct NetlistOptions {
    OpAmpModel opAmp = idealOpAmp();          // single-pole with its noise, or ideal
    double summingOhms = kDefaultSummingOhms; // the four equal resistors of each summing stage
    std::string configurationName;            // named in the heading; may be empty
};

// Open-loop gains of the op-amp subcircuit.
inline constexpr double kIdealOpAmpGain = 1e6;
inline constexpr double kSinglePoleDcGain = kOpenLoopGain;

// The netlist text. The circuit must be buildable (see unbuildableReason).
std::string netlistText(const FilterEngine& engine, const NetlistOptions& options);

// Writes the netlist with the safe save: Refused with the reason for a
// circuit that cannot be built, with "Kann Datei %s nicht erstellen" when the
// file cannot be written; an old file is left as it was in both cases.
FileOutcome writeNetlist(const FilterEngine& engine, const NetlistOptions& options, const std::string& fileName);

// A value with its SPICE scale suffix ("130k", "1Meg", "497.608", "2.2n"),
// the mantissa to at most `digits` significant digits.
std::string spiceValue(double value, int digits = 6);

} // namespace tessera
