#pragma once
// Data blocks as the program's writers build them, for the plot tests.

#include "plot_data.h"
#include "plot_drawing.h"

#include <QImage>

#include <QDir>
#include <QTemporaryDir>

#include <functional>

namespace plot_test {

// Two rows on the 256-point grid, 20 Hz .. 20 kHz, main curve value(j),
// ranges as given.
tessera::PlotData gridBlock(const std::function<double(int)>& value, double yMin, double yMax);
// The worked example: a main curve from -12.3 dB (first point) rising
// evenly to 3.1 dB (last point).
tessera::PlotData rampBlock();

// A peak (or a dip, for a negative height) at `centre` Hz, with its own range.
tessera::PlotData peakBlock(double centre, double height);

// Everything drawn at once onto a fresh bitmap, as the export draws it, in
// screen colours, for a plot in the given state.
struct PlotState {
    const tessera::PlotData* full = nullptr;
    const tessera::PlotData* view = nullptr;
    QSize size;
    QString title, xlabel;
    bool grid = true;
    tessera::plot::MarkerFrequencies markers;
};
QImage completeDrawing(const PlotState& plot);
// The number of pixels in which two images differ (-1 for different sizes).
int differingPixels(const QImage& a, const QImage& b);

// Runs the test inside a fresh working directory, so "temp.wmf" lands there.
class ScratchDirectory {
public:
    ScratchDirectory() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~ScratchDirectory() { QDir::setCurrent(previous_); }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

} // namespace plot_test
