#pragma once
// The whole equaliser as a plain SPICE netlist: the four sections in a chain,
// each a subcircuit around the multiple-feedback band-pass stage, an AC source
// of 1 V and an analysis on the program's own frequency grid. Standard SPICE
// only (no control blocks), so other simulators read it too.

#include "file_outcome.h"
#include "filter_engine.h"

#include <string>

namespace tessera {

struct NetlistOptions {
    double gbw = 0;                // op-amp gain-bandwidth in Hz; 0: ideal
    std::string configurationName; // named in the heading; may be empty
};

// Open-loop gains of the op-amp subcircuit.
inline constexpr double kIdealOpAmpGain = 1e6;
inline constexpr double kSinglePoleDcGain = 1e5;

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
