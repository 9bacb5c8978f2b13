// Pointer readout numbers, marker snapping and the zoomed view.

#include "frequency_grid.h"
#include "plot_test_data.h"
#include "readout.h"

#include <gtest/gtest.h>

using namespace tessera;
using namespace tessera::plot;

namespace {

const PlotLayout k500 = PlotLayout::of(500, 500);

TEST(Readout, ColumnsSnapToTheGridOfTheFullData) {
    const PlotData full = plot_test::rampBlock();
    const FullGrid grid = FullGrid::of(full);
    const FrequencyRange range = clickRange(full, full);

    const double at51 = *columnFrequency(51, k500, range);
    EXPECT_NEAR(at51, 20.35, 0.005);
    EXPECT_EQ(grid.truncatedIndex(at51), 0);
    EXPECT_EQ(grid.roundedIndex(at51), 1);  // the readout already rounds to point 1

    const double at52 = *columnFrequency(52, k500, range);
    EXPECT_NEAR(at52, 20.70, 0.005);
    EXPECT_EQ(grid.truncatedIndex(at52), 1);
    EXPECT_NEAR(grid.frequency(1), 20.549, 0.0005);

    EXPECT_FALSE(columnFrequency(50, k500, range));
    EXPECT_FALSE(columnFrequency(1, PlotLayout::of(1, 100), range));  // R - L = 1
    // The last column stays on the grid.
    EXPECT_EQ(grid.roundedIndex(*columnFrequency(450, k500, range)), 255);
}

// Exact arithmetic for the grid position under column X: 255 (X - L) / (R - L).
struct ExactPosition {
    long long num, den;
    int truncated() const { return static_cast<int>(num / den); }
    int roundedHalfToEven() const {
        const long long q = num / den, twice = 2 * (num % den);
        return static_cast<int>(twice > den || (twice == den && q % 2 == 1) ? q + 1 : q);
    }
};

TEST(Readout, ColumnsOnAGridPointOrHalfwayKeepTheirExactIndex) {
    const PlotData full = plot_test::rampBlock();
    const FullGrid grid = FullGrid::of(full);
    const FrequencyRange range = clickRange(full, full);
    // In the 500 x 500 plot, column 130 is grid point 51 itself and column 90
    // lies halfway between points 25 and 26.
    EXPECT_EQ(grid.truncatedIndex(*columnFrequency(130, k500, range)), 51);
    EXPECT_EQ(grid.roundedIndex(*columnFrequency(90, k500, range)), 26);
    for (int width = 300; width <= 1200; width += 7) {
        const PlotLayout p = PlotLayout::of(width, 400);
        for (int X = p.L + 1; X < p.R; ++X) {
            const double f = *columnFrequency(X, p, range);
            const ExactPosition exact{255LL * (X - p.L), p.R - p.L};
            ASSERT_EQ(grid.truncatedIndex(f), exact.truncated()) << width << " " << X;
            ASSERT_EQ(grid.roundedIndex(f), exact.roundedHalfToEven()) << width << " " << X;
        }
    }
}

TEST(Readout, Texts) {
    EXPECT_EQ(frequencyReadout(1500, '.').number, "1.50");
    EXPECT_EQ(frequencyReadout(1500, '.').unit, " kHz");
    EXPECT_EQ(frequencyReadout(1000, '.').number, "1000.00");
    EXPECT_EQ(frequencyReadout(1000, '.').unit, "   Hz");
    EXPECT_EQ(frequencyReadout(20.549, ',').number, "20,55");
    EXPECT_EQ(twoDecimals(-3.256, '.'), "-3.26");
    EXPECT_EQ(twoDecimals(2, '.'), "2.00");
    EXPECT_EQ(gridFrequencyLabel(1000, '.'), "1 k");
    EXPECT_EQ(gridFrequencyLabel(999.4, '.'), "999");
    EXPECT_EQ(gridFrequencyLabel(1234.5, ','), "1,23 k");
    // Gain under the pointer over the widened range -14.3 .. 5.1.
    EXPECT_NEAR(gainAtRow(450, k500, -14.3, 5.1), -14.3, 1e-12);
    EXPECT_NEAR(gainAtRow(250, k500, -14.3, 5.1), -4.6, 1e-12);
}

TEST(Markers, SecondClickLeftOfTheFirstSwaps) {
    const FullGrid grid = FullGrid::of(plot_test::rampBlock());
    MarkerState m;
    EXPECT_EQ(placeMarker(m, 300, 1000, grid), MarkerClick::First);
    EXPECT_EQ(m.frequency2, 0);
    EXPECT_EQ(placeMarker(m, 200, 100, grid), MarkerClick::Second);
    EXPECT_EQ(m.column1, 200);
    EXPECT_EQ(m.column2, 300);
    EXPECT_LT(m.frequency1, m.frequency2);
    EXPECT_EQ(m.index2, grid.truncatedIndex(1000));
    EXPECT_DOUBLE_EQ(m.frequency1, grid.frequency(m.index1));
    const MarkerState before = m;
    EXPECT_EQ(placeMarker(m, 400, 5000, grid), MarkerClick::Ignored);
    EXPECT_EQ(m.column2, before.column2);
    m.clear();
    EXPECT_FALSE(m.bothSet());
    EXPECT_EQ(placeMarker(m, 400, 5000, grid), MarkerClick::First);
}

TEST(Zoom, TheBandBecomesTheView) {
    const PlotData full = plot_test::rampBlock();
    PlotData view = full;
    MarkerState m;
    m.frequency1 = 1, m.frequency2 = 1;
    m.index1 = 100, m.index2 = 140;
    ASSERT_TRUE(zoomToMarkers(full, view, m));
    EXPECT_EQ(view.count(), 40);
    EXPECT_DOUBLE_EQ(view.xMin(), FullGrid::of(full).frequency(100));
    EXPECT_DOUBLE_EQ(view.xMax(), FullGrid::of(full).frequency(139));
    EXPECT_DOUBLE_EQ(view.yMin(), full.value(256 + 100));
    EXPECT_DOUBLE_EQ(view.yMax(), full.value(256 + 140));
    EXPECT_DOUBLE_EQ(view.value(0), gridFrequencies()[100]);
    EXPECT_DOUBLE_EQ(view.value(256 + 40), full.value(256 + 140));  // stride stays 256
    EXPECT_EQ(view.value(41), full.value(41));                        // beyond the band untouched
}

TEST(Zoom, Refusals) {
    const PlotData full = plot_test::rampBlock();
    PlotData view = full;
    MarkerState m;
    m.frequency1 = 1;
    m.index1 = 10, m.index2 = 20;
    EXPECT_FALSE(zoomToMarkers(full, view, m));  // only one marker
    m.frequency2 = 1;
    m.index2 = 10;
    EXPECT_FALSE(zoomToMarkers(full, view, m));  // both on one grid point
    m.index2 = 13;
    ASSERT_TRUE(zoomToMarkers(full, view, m));   // three points in view
    EXPECT_EQ(view.count(), 3);
    const PlotData zoomed = view;
    EXPECT_FALSE(zoomToMarkers(full, view, m));  // fewer than five points: no further zoom
    EXPECT_EQ(view.bytes(), zoomed.bytes());
}

} // namespace
