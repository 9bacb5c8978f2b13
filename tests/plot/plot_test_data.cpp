#include "plot_test_data.h"

#include "frequency_grid.h"

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

} // namespace plot_test
