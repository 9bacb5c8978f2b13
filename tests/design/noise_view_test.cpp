#include "noise_view.h"

#include "frequency_grid.h"
#include "noise_report.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tessera;

TEST(NoiseView, OhmsAndTheResistorsOutsideTheRange) {
    EXPECT_EQ(ohmsText(510, '.'), "510 Ω");
    EXPECT_EQ(ohmsText(4700, ','), "4,7 kΩ");
    EXPECT_EQ(ohmsText(1e6, '.'), "1 MΩ");
    EXPECT_EQ(ohmsText(999.96, '.'), "1000 Ω");
    EXPECT_EQ(ohmsEntryText(2.2e6, '.'), "2.2M");
    EXPECT_EQ(ohmsEntryText(470, '.'), "470");
    EXPECT_EQ(ohmsEntryText(10e3, '.'), "10k");

    CircuitParts parts{};
    for (SectionParts& p : parts) p = {1e-9, 1e-9, 10e3, 100e3, 2e3, false};
    parts[0].R3 = 820;   // section 1's shunt: R2
    parts[3].R2 = 1.2e6; // section 4's feedback: R10
    parts[3].R1 = 1e6;   // on the boundary: inside
    const auto outside = resistorsOutsideRange(parts, ResistorRange{});
    ASSERT_EQ(outside.size(), 2u);
    EXPECT_EQ(outside[0].designator, "R2");
    EXPECT_EQ(outside[0].ohms, 820);
    EXPECT_EQ(outside[1].designator, "R10");
    EXPECT_EQ(resistorRangeText(parts, ResistorRange{}, '.'), "R2 (820 Ω), R10 (1.2 MΩ) lie outside 1 kΩ … 1 MΩ.");
    EXPECT_EQ(resistorRangeText(parts, ResistorRange{800, 2e6}, '.'), "All page resistors lie within 800 Ω … 2 MΩ.");
}

TEST(NoiseView, DensityPlotInDecibelsOverTheGrid) {
    Curve density{};
    for (std::size_t i = 0; i < kGridPoints; ++i) density[i] = 5 + static_cast<double>(i) / 10; // 5 ... 30.5 nV
    density[7] = 0; // nothing at all still plots
    const PlotData block = noiseDensityBlock(density);
    ASSERT_EQ(block.rows(), 2);
    EXPECT_EQ(block.value(3), gridFrequencies()[3]);
    EXPECT_DOUBLE_EQ(block.value(kGridPoints + 100), 20 * std::log10(15.0));
    EXPECT_TRUE(std::isfinite(block.value(kGridPoints + 7)));
    EXPECT_EQ(block.yMax(), 30); // 29.7 dB rounded up to its 10 dB step
    EXPECT_LE(block.yMin(), block.value(kGridPoints + 7));

    NoiseResult noise;
    noise.contributors = {{"R14", 0.234}, {"U1 en", 0.2}, {"R1", 0.1}};
    const auto cells = contributorCells(noise, 2, ',');
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0], (std::vector<std::string>{"R14", "23,4 %"}));
    EXPECT_EQ(cells[1][0], "U1 en");
}
