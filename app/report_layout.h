#pragma once
// The printed report of the current configuration, decided without a printer:
// the lines of its text block, where the two plots and the lines go on the
// page, and the data of the middle plot (the four sections and their sum).

#include "filter_engine.h"
#include "plot_data.h"
#include "window_arrangement.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessera {

struct ReportLine {
    int row;          // in text heights below the block's first line
    std::string text; // printed from the page's left edge
};

// The text block for the engine's state and page texts; `fileName` is the
// current document's name (empty before any Open or Save as).
std::vector<ReportLine> reportTextLines(const FilterEngine& engine, std::string_view fileName);

// The section's frequency line, e.g. "Frequency: 1000;  Q-Factor: 2.00;  Gain: 6.02; ".
std::string reportFrequencyLine(const FilterBankState& state, int section, char separator);
// The section's parts line: capacitor and the three resistors under their designators.
std::string reportPartsLine(const PageTexts& page, int section);

struct ReportPlacement {
    Box topPlot;       // the result plot
    Box middlePlot;    // the sections overview
    int firstLineY;    // y of the text block's first line
    int lineHeight;    // one text line
    int lineY(int row) const { return firstLineY + row * lineHeight; }
};

// The page is `pageWidth` x `pageHeight` printer pixels; `lineHeight` is the
// text height of the printer font (the height of "Configuration"). The plots
// take the top and middle thirds; the text starts two lines below the second.
ReportPlacement reportPlacement(int pageWidth, int pageHeight, int lineHeight);

// The tallest text line with which the whole text block (two blank lines and
// its 26 rows) still fits below the middle plot.
int maxReportLineHeight(int pageHeight);

// The middle plot's block: row 0 the grid, row 1 the sum of the four section
// responses, rows 2 to 5 the sections, computed afresh from their values.
PlotData filterOverviewBlock(const FilterBankState& state);

} // namespace tessera
