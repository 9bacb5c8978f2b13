#pragma once
// What the Noise and Headroom dialog shows besides the analyses' own
// figures: the page resistors outside the resistor range, the output noise
// density as a block for a plot control, and the texts of values in ohms.
// Kept here so that the dialog only places them.

#include "circuit_settings.h"
#include "headroom.h"
#include "noise.h"
#include "plot_data.h"
#include "section_parts.h"

#include <string>
#include <vector>

namespace tessera {

struct ResistorOutsideRange {
    std::string designator; // "R1" ... "R12"
    double ohms = 0;
};

// The page resistors (R1 ... R12, in designator order) outside `range`.
std::vector<ResistorOutsideRange> resistorsOutsideRange(const CircuitParts& parts, const ResistorRange& range);

// "R3 (2.2 MΩ), R9 (820 Ω) outside 1 kΩ … 1 MΩ", or that all are within it.
std::string resistorRangeText(const CircuitParts& parts, const ResistorRange& range, char separator);

// Ohms with their prefix, up to four significant digits: "820 Ω", "4.7 kΩ",
// "1 MΩ".
std::string ohmsText(double ohms, char separator);

// "12.3 µV (-96.0 dBu)": a noise total in µV rms and dBu.
std::string noiseLevelText(double microvolts, double dbu, char separator);

// The totals, one line each: unweighted and A-weighted noise, the largest
// input level before an op-amp clips (and which one), the dynamic range.
std::string noiseTotalsText(const NoiseResult& noise, const HeadroomResult& headroom, char separator);

// The parts that contribute most to the A-weighted noise, at most `count`,
// largest first: {part, share in per cent}, e.g. {"R14", "23.4 %"}.
std::vector<std::vector<std::string>> contributorCells(const NoiseResult& noise, std::size_t count, char separator);

// Ohms as they are typed: "470", "4.7k", "1M".
std::string ohmsEntryText(double ohms, char separator);

// The density in dB re 1 nV/sqrt(Hz) over the grid frequencies (row 1), the
// dB range widened to whole 10 dB steps around it.
PlotData noiseDensityBlock(const Curve& densityNv);

} // namespace tessera
