#pragma once
// A band of the frequency grid, as the fit, the tolerance analysis and the
// command line select it: the grid points with low <= f_i <= high, the ends
// matched to a relative 1e-9 so that a band typed as "20:20000" holds the
// last grid point (20000.0000000005) too.

namespace tessera {

struct GridBand {
    int first = 0; // first grid index inside
    int last = -1; // last grid index inside; last < first when empty

    int count() const { return last >= first ? last - first + 1 : 0; }
    bool contains(int index) const { return index >= first && index <= last; }
};

inline constexpr double kBandEndTolerance = 1e-9;

// Empty for an inverted band or non-finite ends.
GridBand gridBand(double low, double high);

// All 256 grid points.
GridBand fullGridBand();

} // namespace tessera
