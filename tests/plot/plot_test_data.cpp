#include "plot_test_data.h"

#include "frequency_grid.h"
#include "regional.h"

#include <QPainter>

#include <cmath>

namespace plot_test {

tessera::PlotData gridBlock(const std::function<double(int)>& value, double yMin, double yMax) {
    tessera::PlotData block = tessera::PlotData::forRows(2, tessera::kGridPoints);
    block.setSampleRate(48000);
    block.setXRange(20, 20000);
    block.setYRange(yMin, yMax);
    for (int j = 0; j < tessera::kGridPoints; ++j) {
        block.setValue(static_cast<std::size_t>(j), tessera::gridFrequencies()[static_cast<std::size_t>(j)]);
        block.setValue(static_cast<std::size_t>(tessera::kGridPoints + j), value(j));
    }
    return block;
}

tessera::PlotData rampBlock() {
    return gridBlock([](int j) { return -12.3 + 15.4 * j / 255.0; }, -12.3, 3.1);
}

tessera::PlotData peakBlock(double centre, double height) {
    return gridBlock(
        [=](int j) {
            const double u = std::log2(tessera::gridFrequencies()[static_cast<std::size_t>(j)] / centre);
            return height / (1 + 4 * u * u);
        },
        std::min(0.0, height), std::max(0.0, height));
}

QImage completeDrawing(const PlotState& plot) {
    tessera::plot::PlotScene scene;
    scene.view = plot.view;
    scene.stride = plot.full->count();
    scene.fullXMin = plot.full->xMin();
    scene.width = plot.size.width();
    scene.height = plot.size.height();
    scene.title = plot.title;
    scene.xlabel = plot.xlabel;
    scene.grid = plot.grid;
    scene.markers = plot.markers;
    QImage image(plot.size, QImage::Format_RGB32);
    image.fill(0xff123456);  // any pixel the drawing misses shows
    QPainter painter(&image);
    playRecording(drawPlot(scene, tessera::decimalSeparator()).recording, painter);
    return image;
}

int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column) n += x.pixel(column, row) != y.pixel(column, row);
    return n;
}

} // namespace plot_test
