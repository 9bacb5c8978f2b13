#pragma once
// Every part soldered on the board, as the schematic draws it and the parts
// list orders it: per section the band-pass stage's three resistors and two
// capacitors (R1 ... R12, C1 ... C8 with the page's values), the four summing
// resistors (R13 ... R28) and the two op-amps (U1 ... U8), in the order the
// netlist lists them. Values are written as a designer reads them off a
// drawing or a buyer off a list: "33k", "510", "1M", "1.5n", "NE5532".

#include "circuit_settings.h"
#include "designators.h"
#include "filter_engine.h"

#include <string>
#include <vector>

namespace tessera {

enum class PartKind { Resistor, Capacitor, OpAmp };

// Where a part sits in its section, for the drawing's layout.
enum class PartRole {
    Input,       // band-pass input resistor (page slot R1)
    Shunt,       // band-pass shunt resistor (page slot R3)
    Feedback,    // band-pass feedback resistor (page slot R2)
    ToInverting, // C(2s-1): node a to the inverting input
    ToOutput,    // C(2s): node a to the stage output
    Summing,     // one of the four summing resistors; `index` 0 ... 3 in netlist order
    BandPassOpAmp,
    SummingOpAmp,
};

struct BoardPart {
    std::string designator; // "R1", "C8", "U3"
    PartKind kind = PartKind::Resistor;
    PartRole role = PartRole::Input;
    int section = 1;
    int index = 0;         // of the summing resistors, 0 ... 3
    double value = 0;      // ohms or farads; 0 for op-amps
    std::string valueText; // "33k", "1.5n", "NE5532", "op-amp", "err"
    std::string note;      // what the part does, for the parts list
    bool buildable = true; // false where the page shows "err"
};

// The 44 parts, section by section: R(3s-2), R(3s-1), R(3s), C(2s-1), C(2s),
// the four summing resistors, U(2s-1), U(2s).
std::vector<BoardPart> boardParts(const FilterEngine& engine, const CircuitSettings& settings);

// Ohms or farads with an SI prefix and no unit, to at most six significant
// digits ("130k", "2.54648M", "497.608", "1.5n", "100n"); "err" for a value
// that is not positive (a part the page shows as "err").
std::string partValueText(double value, PartKind kind);

// The op-amp as ordered: its catalogue name, "op-amp" for the ideal one.
std::string opAmpPartName(const OpAmpModel& opAmp);

// "kind" column texts: "resistor", "capacitor", "op-amp".
const char* partKindText(PartKind kind);

} // namespace tessera
