#pragma once
// The figures of the noise and headroom analyses as the user reads them, for
// the dialog and the command line alike: the table of the eight op-amps and
// the list of the largest contributors.

#include "headroom.h"
#include "noise.h"

#include <string>
#include <vector>

namespace tessera {

// "Op-amp", "Section", "Stage", "Largest gain", "At", "Headroom", "Slew needed",
// "Slew margin".
const std::vector<std::string>& headroomTableHeadings();
// One row per op-amp, U1 ... U8; numbers with `separator`. A slew margin
// without limit reads "unlimited".
std::vector<std::vector<std::string>> headroomTableCells(const HeadroomResult& headroom, char separator);

// "12.3 Hz", "1.05 kHz", "10 MHz": three significant digits.
std::string hertzText(double frequency, char separator);
// "+9.25 dB", "-0.30 dB": a sign always.
std::string signedDbText(double db, char separator);
// "+4.0 dBu", "-98.3 dBu": a sign always, one decimal.
std::string dbuText(double dbu, char separator);
// "12.3 %".
std::string shareText(double share, char separator);

} // namespace tessera
