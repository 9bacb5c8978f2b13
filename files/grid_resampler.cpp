#include "grid_resampler.h"

#include "frequency_grid.h"

#include <algorithm>
#include <cmath>

namespace tessera {

GridResampler::GridResampler(Limit limit, OnGrid onGrid) : limit_(limit), onGrid_(onGrid) {}

void GridResampler::give(double y) {
    const auto i = static_cast<std::size_t>(next_);
    values_[i] = y;
    frequencies_[i] = frequency_;
    if (next_ == 0) lowest_ = highest_ = y;
    lowest_ = std::min(lowest_, y);
    highest_ = std::max(highest_, y);
    frequency_ = frequency_ * gridRatio();
    ++next_;
}

void GridResampler::fillRest() {
    const double last = values_[static_cast<std::size_t>(next_ - 1)];
    for (auto j = static_cast<std::size_t>(next_); j < kGridPoints; ++j) {
        frequencies_[j] = frequency_;
        frequency_ = frequency_ * gridRatio();
        values_[j] = last;
    }
}

bool GridResampler::allFinite() const {
    return std::all_of(values_.begin(), values_.end(), [](double v) { return std::isfinite(v); });
}

PlotData GridResampler::plotBlock(double aux) const {
    PlotData block = PlotData::forRows(2, kGridPoints);
    block.setSampleRate(0);
    block.setAux(aux);
    block.setXRange(20.0, 20000.0);
    block.setYRange(lowest_, highest_);
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        block.setValue(i, frequencies_[i]);
        block.setValue(kGridPoints + i, values_[i]);
    }
    return block;
}

FileOutcome finishImport(FilterEngine& engine, GridResampler& resampled, double aux, const std::string& fileName) {
    if (resampled.given() == 0) return FileOutcome::refusal(messages::nothingAbove20Hz(fileName));
    resampled.fillRest();
    if (!resampled.allFinite() || !std::isfinite(aux))
        return FileOutcome::refusal(messages::measurementNumberTooLarge(fileName));

    engine.state().ImportedResponse = resampled.values();
    if (PlotSink* plots = engine.plotSink()) plots->setData(GraphWindow::Import, resampled.plotBlock(aux));
    engine.refreshresult();
    FileOutcome done = FileOutcome::success("Import " + fileName);
    done.importedLowHz = resampled.firstFrequency();
    done.importedHighHz = resampled.lastFrequency();
    return done;
}

} // namespace tessera
