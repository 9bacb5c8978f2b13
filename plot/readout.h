#pragma once
// The numbers and texts of the pointer readout, the two frequency markers and
// the zoom: pixel column to frequency, snapping to the full data's grid,
// marker placement, readout texts and the zoomed view. No drawing here.

#include "plot_data.h"
#include "plot_geometry.h"

#include <optional>
#include <string>

namespace tessera::plot {

// Thickness of cross-hair and marker lines in pixels.
constexpr int kCrossLineWidth = 1;

// The three-decade grid the full data follows: point i is xMin * ratio^i.
struct FullGrid {
    double xMin = 0;
    int n = 2;
    double ratio = 1;

    static FullGrid of(const PlotData& full);
    double frequency(int index) const;
    // Grid position of a frequency, truncated (marker clicks) or rounded,
    // halves to even (readout), kept inside 0 .. n - 1. A column that lies
    // exactly on a grid point gives that point, not the one below.
    int truncatedIndex(double f) const;
    int roundedIndex(double f) const;
};

// The view's frequency range with the fallbacks for zero ends, as the button
// handler and the movement handler each use it.
FrequencyRange clickRange(const PlotData& view, const PlotData& full);
FrequencyRange movementRange(const PlotData& view, const PlotData& full);

// Frequency under pixel column X; none left of or on the frame, or when the
// plot is at most one pixel wide.
std::optional<double> columnFrequency(int X, const PlotLayout& layout, FrequencyRange range);

// Gain under pixel row Y over the widened range y0 .. y1.
double gainAtRow(int Y, const PlotLayout& layout, double y0, double y1);

struct MarkerState {
    double frequency1 = 0, frequency2 = 0;  // 0 = unset
    int index1 = 0, index2 = 0;             // full-data grid indices
    int column1 = 0, column2 = 0;           // pixel columns
    bool firstPlaced = false;

    bool bothSet() const { return frequency1 > 0 && frequency2 > 0; }
    void clear();
};

enum class MarkerClick { Ignored, First, Second };

// A left click at column X on frequency f: the first marker, then the second
// (the lower frequency always becomes marker 1), then nothing.
MarkerClick placeMarker(MarkerState& markers, int X, double f, const FullGrid& grid);

// "1.50" + " kHz" above 1000 Hz, "1000.00" + "   Hz" otherwise.
struct FrequencyReadout {
    std::string number, unit;
};
FrequencyReadout frequencyReadout(double f, char separator);
// Two decimals: the gain readout (followed by " dB") and the curve value.
std::string twoDecimals(double value, char separator);
// The grid frequency under the axis: "1 k" from 1000 Hz on, "500" below.
std::string gridFrequencyLabel(double f, char separator);

// The band between the markers as the view: every row's values from marker 1
// to marker 2, the main curve's extremes as the dB range, k points from marker
// 1 to the grid point below marker 2. False (view untouched) without two
// markers, with a view of fewer than five points, or with both markers on
// one grid point.
bool zoomToMarkers(const PlotData& full, PlotData& view, const MarkerState& markers);

} // namespace tessera::plot
