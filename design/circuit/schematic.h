#pragma once
// The whole equaliser as a circuit diagram: the input, the four sections in a
// chain (sections 1 and 2 in the upper row, 3 and 4 in the lower), each with
// its band-pass stage and its summing stage wired exactly as the netlist
// connects them, the output and the grounds; every part with its designator
// and its value as board_parts.h writes it ("err" where the page shows it),
// the op-amp's name and a title line with the configuration's file name.

#include "board_parts.h"
#include "schematic_drawing.h"

#include <string>

namespace tessera {

// `fileName` is the configuration's name for the title; empty: unnamed.
drawing::Drawing schematicDrawing(const FilterEngine& engine, const CircuitSettings& settings,
                                  const std::string& fileName);

} // namespace tessera
