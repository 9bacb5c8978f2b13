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
    QRgb realOpAmp;       // further rows of kind RealOpAmp
    QRgb toleranceBounds; // further rows of kind ToleranceBound
    QRgb measurement;     // further rows of kind Measurement
    QRgb fitTarget;       // further rows of kind FitTarget

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

// A dB tick as drawn: its row, whether it is the 0 dB line, its label.
struct GainMark {
    int y = 0;
    bool zero = false;
    std::string label;
    bool operator==(const GainMark&) const = default;
};

// Where the end labels, ticks and grid lines of the frequency axis go.
struct FrequencyMarks {
    std::string lowEnd;
    HighEndLabel highEnd;
    std::vector<FrequencyTick> ticks;

    static FrequencyMarks of(const AxisScale& scale, char separator);
    bool operator==(const FrequencyMarks&) const = default;
};

// The dB ticks of a drawing, from the first multiple of the step upwards.
std::vector<GainMark> gainMarks(const AxisScale& scale, double yStep, char separator);

// Everything the static layer depends on, and all that its drawing reads:
// equal keys give pixel-identical layers. The axes are held as the ticks
// they produce rather than as ranges, so a curve whose range moves by less
// than what shows keeps its layer. The dB ticks, which move with the curve's
// range more often than anything else, are kept apart from the rest.
struct StaticLayerKey {
    struct Base {
        int width = 0, height = 0;
        QString title, xlabel;
        bool grid = true;
        bool printColours = false;
        int dpi = 0;  // font pixel heights follow the screen's resolution
        FrequencyMarks frequency;
        bool operator==(const Base&) const = default;
    };
    Base base;
    std::vector<GainMark> gain;

    static StaticLayerKey of(const PlotScene& scene, const PlotFrame& frame, char separator);
    bool operator==(const StaticLayerKey&) const = default;
};

// The static layer is the base (background, title and x label, plot frame,
// frequency ticks, labels and grid) with the dB ticks, grid lines and labels
// drawn over it, in this order.
PlotRecording drawBaseLayer(const StaticLayerKey::Base& base);
PlotRecording drawGainMarks(const StaticLayerKey& layer);
PlotRecording drawStaticLayer(const StaticLayerKey& layer);

// The colour of curve row `row` (1 = main curve, 2 and up = further curves).
QRgb curveColour(const ColourSet& colours, const PlotData& block, int row);

// The column of every point of the view: the plot's left edge for the first,
// the frequency of row 0 for the others. All rows share them.
std::vector<int> curveColumns(const PlotScene& scene, const AxisScale& scale);

// Appends every curve row of the view in its colour, at the given columns and
// cut to the plot area (frame lines included):
// further rows first in ascending order, the main curve on top.
void drawCurveRows(const PlotScene& scene, const PlotFrame& frame, const std::vector<int>& columns,
                   PlotRecording& out);

// Appends the marker band and marker column (screen only) and returns the
// columns where they went.
struct MarkerColumns {
    std::optional<int> first, second;
};
MarkerColumns drawMarkerOverlay(const PlotScene& scene, const PlotFrame& frame, PlotRecording& out);

// Value j of row k of a block with the given stride; 0 outside the block.
double rowValue(const PlotData& block, std::int32_t stride, int row, int j);

} // namespace tessera::plot
