#include "filter_engine.h"
#include "frequency_grid.h"
#include "section_response.h"
#include "standard_series.h"

#include "engine_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace tessera;

TEST(FrequencyGrid, LogarithmicFromTwentyHertzToTwentyKilohertz) {
    const auto& f = gridFrequencies();
    EXPECT_NEAR(gridRatio(), 1.02745948544618, 1e-14);
    EXPECT_EQ(f[0], 20.0);
    EXPECT_NEAR(f[1], 20.549, 0.0005);
    EXPECT_NEAR(f[128], 641.08, 0.005);
    EXPECT_NEAR(f[144], 988.89, 0.005);
    EXPECT_NEAR(f[145], 1016.04, 0.005);
    EXPECT_NEAR(f[255], 20000.0000000005, 1e-9);
    EXPECT_NE(f[255], 20000.0); // the walk of rounded products does not land exactly
    // Each point is the rounded product of the one before (no closed form).
    for (std::size_t i = 1; i < f.size(); ++i) ASSERT_EQ(f[i], f[i - 1] * gridRatio());
}

TEST(SectionResponse, BoostAndCutAroundTheCentre) {
    const auto& f = gridFrequencies();
    EXPECT_NEAR(sectionResponseDb(f[144], 1000, 1, 1, true, 0), 6.019, 0.0005);
    EXPECT_NEAR(sectionResponseDb(f[145], 1000, 1, 1, true, 0), 6.017, 0.0005);
    EXPECT_NEAR(sectionResponseDb(f[0], 1000, 1, 1, true, 0), 0.005, 0.0005);
    EXPECT_NEAR(sectionResponseDb(f[255], 1000, 1, 1, true, 0), 0.033, 0.0005);
    EXPECT_NEAR(sectionResponseDb(1000, 1000, 1, 1, true, 0), 20 * std::log10(2.0), 1e-12);
    for (double x : {20.0, 300.0, 1000.0, 5000.0})
        EXPECT_NEAR(sectionResponseDb(x, 1000, 1, 1, false, 0),
                    -sectionResponseDb(x, 1000, 1, 1, true, 0), 1e-12);
    EXPECT_EQ(sectionResponseDb(1000, 1000, 1, 0, true, 0), 0.0);
}

TEST(SectionResponse, ANonPositiveMagnitudeTakesTheLowestSoFar) {
    // A = -1 cancels the band-pass exactly at the centre: magnitude 0.
    EXPECT_EQ(sectionResponseDb(1000, 1000, 1, -1, true, -3.5), -3.5);
    // Q = 0 (a capacitor of 0 F loaded from a file) yields no number at all.
    EXPECT_EQ(sectionResponseDb(1000, 1000, 0, 1, true, -1.0), -1.0);
}

namespace {
struct CurveTest : EngineFixture {
    void setSection(int s, double F, double Q, double A) {
        state.section(s).Frequency = F;
        state.section(s).Q = Q;
        state.section(s).GainFactor = A;
    }
};
} // namespace

TEST_F(CurveTest, SectionPlotBlockIsBuiltByteExactly) {
    setSection(1, 1000, 1, 1);
    engine.refreshFilter(1);
    ASSERT_EQ(plots.order.size(), 2u);
    EXPECT_EQ(plots.order[0], GraphWindow::Filter1); // the section first, then the result
    EXPECT_EQ(plots.order[1], GraphWindow::Result);

    const PlotData& block = plots.last(GraphWindow::Filter1);
    const auto& bytes = block.bytes();
    ASSERT_EQ(bytes.size(), 4176u);
    EXPECT_EQ(block.size(), 4176u);
    EXPECT_EQ(bytes[0] | bytes[1] << 8, 4176); // little-endian Size
    EXPECT_EQ(block.count(), 256);
    EXPECT_EQ(block.rows(), 2);
    EXPECT_EQ(block.sampleRate(), 48000);
    EXPECT_EQ(block.aux(), 0.0);
    EXPECT_EQ(block.xMin(), 20.0);
    EXPECT_EQ(block.xMax(), 20000.0);
    EXPECT_EQ(block.yMin(), 0.0); // a boost curve never goes below 0, and 0 is always in range
    EXPECT_NEAR(block.yMax(), 6.019, 0.0005);
    for (std::size_t offset = 56; offset < 72; ++offset) EXPECT_EQ(bytes[offset], 0);
    for (std::size_t offset = 4168; offset < 4176; ++offset) EXPECT_EQ(bytes[offset], 0);
    for (std::size_t i = 0; i < 256; ++i) {
        ASSERT_EQ(block.value(i), gridFrequencies()[i]);
        ASSERT_EQ(block.value(256 + i), state.section(1).SectionCurve[i]);
    }
    EXPECT_EQ(state.Modified, 1);
}

TEST_F(CurveTest, FlatSectionAndCutRanges) {
    setSection(2, 1000, 1, 0);
    engine.refreshFilter(2);
    EXPECT_EQ(plots.last(GraphWindow::Filter2).yMin(), 0.0);
    EXPECT_EQ(plots.last(GraphWindow::Filter2).yMax(), 0.0);
    for (double y : state.section(2).SectionCurve) EXPECT_EQ(y, 0.0);

    setSection(3, 1000, 1, 1);
    engine.refreshFilter(3);
    EXPECT_NEAR(plots.last(GraphWindow::Filter3).yMin(), -6.019, 0.0005);
    EXPECT_EQ(plots.last(GraphWindow::Filter3).yMax(), 0.0);
}

TEST_F(CurveTest, ResultAndImportRangesStartFromTheirFirstPoint) {
    for (std::size_t i = 0; i < kGridPoints; ++i) state.ImportedResponse[i] = 80 + 0.01 * static_cast<double>(i);
    engine.refreshimport();
    const PlotData& imported = plots.last(GraphWindow::Import);
    EXPECT_EQ(imported.yMin(), 80.0); // 0 dB is not pulled into the range
    EXPECT_DOUBLE_EQ(imported.yMax(), 82.55);
    EXPECT_EQ(state.Modified, 0); // the import plot leaves the flag alone

    setSection(4, 1000, 2, 3);
    engine.refreshFilter(4);
    const PlotData& result = plots.last(GraphWindow::Result);
    for (std::size_t i = 0; i < kGridPoints; ++i)
        ASSERT_EQ(result.value(256 + i), state.CombinedCurve[i] + state.ImportedResponse[i]);
    double lo = result.value(256), hi = lo;
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        lo = std::min(lo, result.value(256 + i));
        hi = std::max(hi, result.value(256 + i));
    }
    EXPECT_EQ(result.yMin(), lo);
    EXPECT_EQ(result.yMax(), hi);
    EXPECT_GT(result.yMin(), 0.0);
}

TEST_F(CurveTest, BoostAndCutWithEqualSettingsCancel) {
    setSection(1, 700, 3, 2.5);
    setSection(3, 700, 3, 2.5);
    engine.refreshFilter(1);
    engine.refreshFilter(3);
    for (double y : state.CombinedCurve) EXPECT_NEAR(y, 0.0, 1e-12);
    EXPECT_GT(*std::max_element(state.section(1).SectionCurve.begin(), state.section(1).SectionCurve.end()), 10.0);
}
