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

// The whole drawing: the static layer, the curve rows, the marker overlay.
DrawnPlot drawPlot(const PlotScene& scene, char separator);

// What a drawing is made against: colours, dB step and the pixel mapping.
struct PlotFrame {
    ColourSet colours;
    double yStep;
    AxisScale scale;

    static PlotFrame of(const PlotScene& scene);
};

// Everything the static layer depends on. Two scenes with equal keys have
// pixel-identical static layers, so a layer drawn once serves every curve
// change until one of these changes.
struct StaticLayerKey {
    int width = 0, height = 0;
    QString title, xlabel;
    bool grid = true;
    bool printColours = false;
    double viewXMin = 0, viewXMax = 0, fullXMin = 0, viewYMin = 0, viewYMax = 0;
    int viewCount = 0;
    char separator = '.';
    int dpi = 0;  // font pixel heights follow the screen's resolution

    static StaticLayerKey of(const PlotScene& scene, char separator);
    bool operator==(const StaticLayerKey&) const = default;
};

// The parts that do not change with the curve values: background, title and
// x label, plot frame, ticks, grid and axis labels.
PlotRecording drawStaticLayer(const PlotScene& scene, const PlotFrame& frame, char separator);

// The colour of curve row `row` (1 = main curve, 2 and up = further curves).
QRgb curveColour(const ColourSet& colours, int row);

// Appends every curve row of the view in its colour: further rows first in
// ascending order, the main curve on top.
void drawCurveRows(const PlotScene& scene, const PlotFrame& frame, PlotRecording& out);

// Appends the marker band and marker column (screen only) and returns the
// columns where they went.
struct MarkerColumns {
    std::optional<int> first, second;
};
MarkerColumns drawMarkerOverlay(const PlotScene& scene, const PlotFrame& frame, PlotRecording& out);

// Value j of row k of a block with the given stride; 0 outside the block.
double rowValue(const PlotData& block, std::int32_t stride, int row, int j);

} // namespace tessera::plot
