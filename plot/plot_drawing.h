#pragma once
// The one drawing routine of the plot control: records axes, grid, labels and
// curves of a data block at a given size in screen or print colours. The
// control plays the recording into its bitmap; the metafile export writes the
// same recording to "temp.wmf".

#include "plot_data.h"
#include "plot_geometry.h"
#include "plot_recording.h"

#include <QString>

#include <optional>

namespace tessera::plot {

struct ColourSet {
    QRgb background;     // whole control and every text cell
    QRgb outline;        // border, frame, ticks
    QRgb plotArea;
    QRgb mainCurve;      // row 1
    QRgb furtherCurves;  // rows 2 and up
    QRgb grid;

    static ColourSet screen();
    static ColourSet print();
};

// The two marker frequencies (0 = unset) shown on screen over the plot.
struct MarkerFrequencies {
    double first = 0, second = 0;
};

struct PlotScene {
    const PlotData* view = nullptr;   // what is drawn
    std::int32_t stride = 1;          // row stride: the full data's point count
    double fullXMin = 0;              // for the zero-range fallback
    int width = 500, height = 500;
    QString title;
    QString xlabel;
    bool grid = true;
    bool printColours = false;
    std::optional<MarkerFrequencies> markers;  // screen only
};

struct DrawnPlot {
    PlotRecording recording;
    double yStep = 0;
    // Columns of the markers as the overlay placed them (when drawn).
    std::optional<int> marker1Column, marker2Column;
};

// The recording's own font: Arial at 8 points, or 5 points for the axis
// labels of a small plot.
FontSpec plotFont(double points);

DrawnPlot drawPlot(const PlotScene& scene, char separator);

// Value j of row k of a block with the given stride; 0 outside the block.
double rowValue(const PlotData& block, std::int32_t stride, int row, int j);

} // namespace tessera::plot
