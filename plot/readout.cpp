#include "readout.h"

#include "number_text.h"

#include <algorithm>
#include <cmath>

namespace tessera::plot {
namespace {

constexpr int kMinimumViewPoints = 5;

int keepInGrid(double position, int n) {
    if (std::isnan(position)) return 0;
    return static_cast<int>(std::clamp(position, 0.0, static_cast<double>(n - 1)));
}

double fullValue(const PlotData& full, int row, int j) {
    const std::size_t index = static_cast<std::size_t>(row) * static_cast<std::size_t>(full.count()) +
                              static_cast<std::size_t>(j);
    return index < full.valueCapacity() ? full.value(index) : 0.0;
}

} // namespace

FullGrid FullGrid::of(const PlotData& full) {
    FullGrid g;
    g.xMin = full.xMin();
    g.n = full.count() < 1 ? 2 : full.count();
    g.ratio = g.n > 1 ? std::pow(1000.0, 1.0 / (g.n - 1)) : 1000.0;
    return g;
}

double FullGrid::frequency(int index) const { return std::pow(ratio, index) * xMin; }

int FullGrid::truncatedIndex(double f) const {
    return keepInGrid(std::trunc(settled(std::log(f / xMin) / std::log(ratio))), n);
}

int FullGrid::roundedIndex(double f) const {
    return keepInGrid(std::nearbyint(settled(std::log(f / xMin) / std::log(ratio))), n);
}

FrequencyRange clickRange(const PlotData& view, const PlotData& full) {
    FrequencyRange r{view.xMin(), view.xMax()};
    if (r.xMin == 0) {
        const double n = FullGrid::of(full).n;
        r.xMin = full.sampleRate() / n / 2;
        if (r.xMin == 0) r.xMin = 1;
    }
    if (r.xMax == 0) r.xMax = 1;
    return r;
}

FrequencyRange movementRange(const PlotData& view, const PlotData& full) {
    FrequencyRange r{view.xMin(), view.xMax()};
    if (view.count() > 0) {
        const double n = FullGrid::of(full).n;
        if (r.xMax == 0) r.xMax = full.sampleRate() * 0.5 - 1 / n;
        if (r.xMin == 0) r.xMin = full.sampleRate() / n / 2;
    }
    if (r.xMax == 0) r.xMax = 2;
    if (r.xMin == 0) r.xMin = 1;
    return r;
}

std::optional<double> columnFrequency(int X, const PlotLayout& p, FrequencyRange range) {
    if (X - p.L <= 0 || p.R - p.L <= 1) return std::nullopt;
    return std::pow(10.0, std::log10(range.xMax / range.xMin) * (X - p.L) / (p.R - p.L) + std::log10(range.xMin));
}

double gainAtRow(int Y, const PlotLayout& p, double y0, double y1) {
    return static_cast<double>(p.B - Y) / (p.B - p.T) * std::fabs(y1 - y0) + y0;
}

void MarkerState::clear() {
    firstPlaced = false;
    frequency1 = 0;
    frequency2 = 0;
}

MarkerClick placeMarker(MarkerState& m, int X, double f, const FullGrid& grid) {
    const int index = grid.truncatedIndex(f);
    if (!m.firstPlaced) {
        m.firstPlaced = true;
        m.column1 = X;
        m.index1 = index;
        m.frequency1 = grid.frequency(index);
        return MarkerClick::First;
    }
    if (m.frequency2 != 0) return MarkerClick::Ignored;
    if (X < m.column1) {
        m.column2 = m.column1;
        m.frequency2 = m.frequency1;
        m.index2 = m.index1;
        m.column1 = X;
        m.index1 = index;
        m.frequency1 = grid.frequency(index);
    } else {
        m.column2 = X;
        m.index2 = index;
        m.frequency2 = grid.frequency(index);
    }
    return MarkerClick::Second;
}

FrequencyReadout frequencyReadout(double f, char separator) {
    if (f > 1000) return {fixedText(f * 0.001, 5, 2, separator), " kHz"};
    return {fixedText(f, 5, 2, separator), "   Hz"};
}

std::string twoDecimals(double value, char separator) { return fixedText(value, 4, 2, separator); }

std::string gridFrequencyLabel(double f, char separator) {
    if (f >= 1000) return generalText(f * 0.001, 3, separator) + " k";
    return generalText(f, 3, separator);
}

bool zoomToMarkers(const PlotData& full, PlotData& view, const MarkerState& m) {
    if (!m.bothSet() || view.count() < kMinimumViewPoints) return false;
    const int first = m.index1;
    const int k = m.index2 - m.index1;
    if (k <= 0 || m.index2 >= full.count()) return false;
    const std::size_t stride = static_cast<std::size_t>(full.count());
    for (int row = 0; row < full.rows(); ++row)
        for (int j = 0; j <= k; ++j) {
            const std::size_t to = row * stride + static_cast<std::size_t>(j);
            if (to < view.valueCapacity()) view.setValue(to, fullValue(full, row, first + j));
        }
    if (full.rows() >= 2) {
        double lowest = fullValue(full, 1, first), highest = lowest;
        for (int j = 1; j <= k; ++j) {
            const double v = fullValue(full, 1, first + j);
            lowest = std::min(lowest, v);
            highest = std::max(highest, v);
        }
        view.setYRange(lowest, highest);
    }
    const FullGrid grid = FullGrid::of(full);
    view.setXRange(grid.frequency(m.index1), grid.frequency(m.index2 - 1));
    view.setCount(k);
    return true;
}

} // namespace tessera::plot
