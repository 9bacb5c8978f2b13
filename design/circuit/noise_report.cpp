#include "noise_report.h"

#include "frequency_grid.h"
#include "number_text.h"

namespace tessera {

const std::vector<std::string>& headroomTableHeadings() {
    static const std::vector<std::string> headings = {"Op-amp",   "Section",     "Stage",      "Largest gain",
                                                      "At",       "Headroom",    "Slew needed", "Slew margin"};
    return headings;
}

std::string hertzText(double frequency, char separator) {
    if (frequency >= 1e6) return generalText(frequency / 1e6, 3, separator) + " MHz";
    return frequency >= 1e3 ? generalText(frequency / 1e3, 3, separator) + " kHz"
                            : generalText(frequency, 3, separator) + " Hz";
}

std::string signedDbText(double db, char separator) { return signedFixedText(db, 4, 2, separator) + " dB"; }

std::string dbuText(double dbu, char separator) { return signedFixedText(dbu, 5, 1, separator) + " dBu"; }

std::string shareText(double share, char separator) { return fixedText(100 * share, 4, 1, separator) + " %"; }

std::vector<std::vector<std::string>> headroomTableCells(const HeadroomResult& headroom, char separator) {
    std::vector<std::vector<std::string>> cells;
    const auto& grid = gridFrequencies();
    for (const StageHeadroom& st : headroom.stages)
        cells.push_back({st.designator(), std::to_string(st.section), stageName(st.stage),
                         signedDbText(st.largestGainDb, separator),
                         hertzText(grid[static_cast<std::size_t>(st.largestGainPoint)], separator),
                         signedDbText(st.headroomDb, separator),
                         generalText(st.slewNeededVPerUs, 3, separator) + " V/us",
                         st.slewMarginDb ? signedDbText(*st.slewMarginDb, separator) : "unlimited"});
    return cells;
}

} // namespace tessera
