#include "fit_form.h"

#include "frequency_grid.h"

#include <gtest/gtest.h>

using namespace tessera;

TEST(FitForm, WritesWithTheRegionalSeparatorAndReadsEither) {
    const FitForm marked = initialFitForm(std::make_pair(1234.5, 80.25), ',');
    EXPECT_EQ(marked.bandLow, "80,25"); // the lower marker first
    EXPECT_EQ(marked.bandHigh, "1234,5");
    const FitForm plain = initialFitForm(std::nullopt, ',');
    EXPECT_EQ(plain.bandLow, "20");
    EXPECT_EQ(plain.bandHigh, "20000");

    FitForm form = marked;
    form.automaticLevel = false;
    form.level = "-1.5";
    form.tilt = "0,25";
    form.maxBoost = "30"; // more than a section can give
    form.sections = {true, false, true, false};
    FitSettings settings;
    ASSERT_FALSE(readFitForm(form, settings));
    EXPECT_EQ(settings.bandLow, 80.25);
    EXPECT_EQ(settings.bandHigh, 1234.5);
    EXPECT_EQ(settings.level, -1.5);
    EXPECT_EQ(settings.tiltDbPerDecade, 0.25);
    EXPECT_EQ(settings.maxBoostDb, kSectionGainLimitDb);
    EXPECT_FALSE(settings.sections[1]);

    // A field that is not a number names itself; the settings stay as they were.
    form.tilt = "steep";
    const auto message = readFitForm(form, settings);
    ASSERT_TRUE(message);
    EXPECT_NE(message->text(Language::English).find("steep"), std::string::npos);
    EXPECT_EQ(settings.tiltDbPerDecade, 0.25);
    form.tilt = "0";
    form.automaticLevel = true;
    form.level = "ignored";
    EXPECT_FALSE(readFitForm(form, settings));
    EXPECT_FALSE(settings.level);

    EXPECT_EQ(fitErrorText({0.2449, 1.5}, ','), "RMS 0,24 dB, largest 1,50 dB");
}

TEST(FitForm, BandMarkedOnGridPointsHoldsBothMarkedPoints) {
    // Markers sit on grid points; six digits rounded towards the inside would
    // drop a marked point from the band.
    const auto& grid = gridFrequencies();
    for (int i = 0; i < kGridPoints; ++i) {
        for (const auto& [first, last] : {std::pair{0, i}, std::pair{i, kGridPoints - 1}}) {
            const FitForm form = initialFitForm(
                std::make_pair(grid[static_cast<std::size_t>(last)], grid[static_cast<std::size_t>(first)]), ',');
            FitSettings settings;
            ASSERT_FALSE(readFitForm(form, settings));
            const GridBand band = gridBand(settings.bandLow, settings.bandHigh);
            EXPECT_EQ(band.first, first) << form.bandLow;
            EXPECT_EQ(band.last, last) << form.bandHigh;
        }
    }
}
