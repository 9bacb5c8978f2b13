#include "grid_band.h"

#include "frequency_grid.h"

#include <gtest/gtest.h>

#include <limits>

using tessera::gridBand;

TEST(GridBand, EndsMatchTheGridWithinARelativeBillionth) {
    const auto& f = tessera::gridFrequencies();
    // The whole audio band holds every point, although f_255 lies just above 20 kHz.
    EXPECT_GT(f[255], 20000.0);
    EXPECT_EQ(gridBand(20, 20000).count(), 256);
    // A band whose ends are grid points holds exactly those points.
    const auto band = gridBand(f[10], f[100]);
    EXPECT_EQ(band.first, 10);
    EXPECT_EQ(band.last, 100);
    // Just inside the neighbours' tolerance and just outside it.
    EXPECT_EQ(gridBand(f[10] * (1 + 2e-9), f[100] * (1 - 2e-9)).count(), 89);
    EXPECT_EQ(gridBand(f[10] * (1 + 0.5e-9), f[100] * (1 - 0.5e-9)).count(), 91);
}

TEST(GridBand, InvertedEmptyAndNonFiniteBandsHoldNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(gridBand(1000, 100).count(), 0);
    EXPECT_EQ(gridBand(21, 21.1).count(), 0); // between two grid points
    EXPECT_EQ(gridBand(nan, 1000).count(), 0);
    EXPECT_EQ(gridBand(20, inf).count(), 0);
    EXPECT_EQ(gridBand(30000, 40000).count(), 0);
    EXPECT_FALSE(gridBand(1000, 100).contains(0));
}
