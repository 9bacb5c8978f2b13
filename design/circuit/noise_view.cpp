#include "noise_view.h"

#include "designators.h"
#include "frequency_grid.h"
#include "noise_report.h"
#include "number_text.h"

#include <algorithm>
#include <cmath>

namespace tessera {

std::vector<ResistorOutsideRange> resistorsOutsideRange(const CircuitParts& parts, const ResistorRange& range) {
    std::vector<ResistorOutsideRange> outside;
    // Designator order: R(3s-2) is R2, R(3s-1) R3, R(3s) R1 of section s.
    for (int s = 1; s <= kSectionCount; ++s)
        for (const Slot slot : {Slot::R2, Slot::R3, Slot::R1}) {
            const double ohms = parts[static_cast<std::size_t>(s - 1)].resistor(slot);
            if (!range.contains(ohms)) outside.push_back({resistorDesignator(s, slot), ohms});
        }
    return outside;
}

namespace {

// `ohms` to `digits` significant digits with the prefix of its size and
// the units given for each.
std::string prefixed(double ohms, int digits, const char* (&units)[3], char separator) {
    const int k = std::fabs(ohms) >= 1e6 ? 2 : std::fabs(ohms) >= 1e3 ? 1 : 0;
    return generalText(ohms / std::pow(1e3, k), digits, separator) + units[k];
}

} // namespace

std::string ohmsText(double ohms, char separator) {
    const char* units[3] = {" Ω", " kΩ", " MΩ"};
    return prefixed(ohms, 4, units, separator);
}

std::string ohmsEntryText(double ohms, char separator) {
    const char* units[3] = {"", "k", "M"};
    return prefixed(ohms, 7, units, separator);
}

std::string resistorRangeText(const CircuitParts& parts, const ResistorRange& range, char separator) {
    const std::string bounds = ohmsText(range.low, separator) + " … " + ohmsText(range.high, separator);
    const auto outside = resistorsOutsideRange(parts, range);
    if (outside.empty()) return "All page resistors lie within " + bounds + ".";
    std::string text;
    for (const ResistorOutsideRange& r : outside)
        text += (text.empty() ? "" : ", ") + r.designator + " (" + ohmsText(r.ohms, separator) + ")";
    return text + (outside.size() == 1 ? " lies" : " lie") + " outside " + bounds + ".";
}

std::string noiseLevelText(double microvolts, double dbu, char separator) {
    return generalText(microvolts, 3, separator) + " µV (" + dbuText(dbu, separator) + ")";
}

std::string noiseTotalsText(const NoiseResult& noise, const HeadroomResult& headroom, char separator) {
    const StageHeadroom& first = headroom.stages[static_cast<std::size_t>(headroom.clipsFirst)];
    return "Unweighted: " + noiseLevelText(noise.totalUv, noise.totalDbu, separator) +
           "\nA-weighted: " + noiseLevelText(noise.aWeightedUv, noise.aWeightedDbu, separator) +
           "\nLargest clean input: " + dbuText(headroom.largestInputDbu, separator) + " (" + first.designator() +
           " clips first)\nDynamic range: " +
           fixedText(dynamicRangeDb(headroom, noise.aWeightedDbu), 5, 1, separator) + " dB";
}

std::vector<std::vector<std::string>> contributorCells(const NoiseResult& noise, std::size_t count, char separator) {
    std::vector<std::vector<std::string>> cells;
    for (const NoiseContributor& c : noise.contributors) {
        if (cells.size() == count) break;
        cells.push_back({c.part, shareText(c.share, separator)});
    }
    return cells;
}

PlotData noiseDensityBlock(const Curve& densityNv) {
    PlotData block = PlotData::forRows(2, kGridPoints);
    block.setSampleRate(48000);
    block.setXRange(20.0, 20000.0);
    const auto& grid = gridFrequencies();
    double lowest = HUGE_VAL, highest = -HUGE_VAL;
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        // A density of zero (the ideal op-amp with no resistor noise cannot
        // give one, but a plot must not take -inf) sits at the plot's floor.
        const double db = 20 * std::log10(std::max(densityNv[i], 1e-6));
        block.setValue(i, grid[i]);
        block.setValue(kGridPoints + i, db);
        lowest = std::min(lowest, db);
        highest = std::max(highest, db);
    }
    block.setYRange(10 * std::floor(lowest / 10), 10 * std::ceil(highest / 10));
    return block;
}

} // namespace tessera
