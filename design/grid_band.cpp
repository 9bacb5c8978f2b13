#include "grid_band.h"

#include "frequency_grid.h"

#include <cmath>

namespace tessera {

GridBand gridBand(double low, double high) {
    GridBand band;
    if (!std::isfinite(low) || !std::isfinite(high) || low > high) return band;
    const double from = low * (1.0 - kBandEndTolerance);
    const double to = high * (1.0 + kBandEndTolerance);
    const auto& f = gridFrequencies();
    band.first = kGridPoints;
    for (int i = 0; i < kGridPoints; ++i) {
        const double fi = f[static_cast<std::size_t>(i)];
        if (fi < from || fi > to) continue;
        if (band.first == kGridPoints) band.first = i;
        band.last = i;
    }
    if (band.first == kGridPoints) band = GridBand{};
    return band;
}

GridBand fullGridBand() { return GridBand{0, kGridPoints - 1}; }

} // namespace tessera
