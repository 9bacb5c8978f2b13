#include "circuit_input.h"

#include "standard_series.h"

#include <gtest/gtest.h>

using namespace tessera;

TEST(CircuitInput, OpAmpsByNameAndCustomFigures) {
    const auto ne5532 = checkOpAmpName(" ne5532 ");
    ASSERT_TRUE(ne5532.ok()) << ne5532.message.text(Language::English);
    EXPECT_EQ(ne5532.value->name, "NE5532");
    EXPECT_EQ(checkOpAmpName("Ideal").value, idealOpAmp());
    for (const char* bad : {"NE5533", "", "Custom"}) {
        const auto refused = checkOpAmpName(bad);
        EXPECT_FALSE(refused.ok()) << bad;
        EXPECT_NE(refused.message.text(Language::English).find(knownOpAmpNames()), std::string::npos) << refused.message.text(Language::English);
        EXPECT_NE(refused.message.text(Language::English).find(std::string("\"") + bad + "\""), std::string::npos) << refused.message.text(Language::English);
    }

    const auto custom = checkCustomOpAmp("2e6", "5", "7,5", "0.5");
    ASSERT_TRUE(custom.ok()) << custom.message.text(Language::English);
    EXPECT_EQ(*custom.value, customOpAmp(2e6, 5, 7.5, 0.5));
    // The ends of each range, typed and remembered.
    EXPECT_TRUE(checkCustomOpAmp("1e4", "0.001", "0,01", "1E-5").ok());
    EXPECT_TRUE(checkCustomOpAmp("1e12", "1e5", "1e5", "1e5").ok());
    EXPECT_FALSE(customOpAmpFault(customOpAmp(1e4, 1e-3, 1e-2, 1e-5)));
    // Each figure refused alone, the message naming it, its range and what was typed.
    const std::pair<std::array<const char*, 4>, const char*> refusals[] = {
        {{"5e3", "5", "7", "1"}, "gain-bandwidth in Hz of a custom op-amp must be a number from 10000 to 1E12, not \"5e3\""},
        {{"2e6", "0", "7", "1"}, "slew rate in V/us of a custom op-amp must be a number from 0.001 to 1E5, not \"0\""},
        {{"2e6", "1e308", "7", "1"}, "slew rate in V/us of a custom op-amp must be a number from 0.001 to 1E5, not \"1e308\""},
        {{"2e6", "5", "1e-300", "1"}, "voltage noise en in nV/sqrt(Hz) of a custom op-amp must be a number from 0.01 to 1E5"},
        {{"2e6", "5", "7", "2e5"}, "current noise in in pA/sqrt(Hz) of a custom op-amp must be a number from 1E-5 to 1E5"},
        {{"2e6", "5", "-1", "1"}, "voltage noise en"},
        {{"2e6", "5", "7", "inf"}, "current noise in"},
        {{"2e6", "5", "nan", "1"}, "voltage noise en"},
        {{"2e6", "x", "7", "1"}, "slew rate"}};
    for (const auto& [figures, named] : refusals) {
        const auto refused = checkCustomOpAmp(figures[0], figures[1], figures[2], figures[3]);
        EXPECT_FALSE(refused.ok()) << named;
        EXPECT_NE(refused.message.text(Language::English).find(named), std::string::npos) << refused.message.text(Language::English);
    }
}

TEST(CircuitInput, SummingResistorsAreE24FromOneToAHundredKilohms) {
    const auto allowed = e24Values(kLowestSummingOhms, kHighestSummingOhms);
    ASSERT_EQ(allowed.size(), 2u * 24 + 1);
    EXPECT_EQ(allowed.front(), 1000);
    EXPECT_EQ(allowed.back(), 100000);
    for (double ohms : allowed) EXPECT_EQ(checkSummingOhms(std::to_string(ohms)).value, ohms);
    EXPECT_EQ(checkSummingOhms("4.7k").value, 4700);
    EXPECT_EQ(checkSummingOhms("4,7K").value, 4700);
    EXPECT_EQ(checkSummingOhms("10000").value, 10000);
    for (const char* bad : {"470", "12.5k", "110k", "1M", "", "k", "10 k", "-10k", "ten"}) {
        const auto refused = checkSummingOhms(bad);
        EXPECT_FALSE(refused.ok()) << bad;
        EXPECT_NE(refused.message.text(Language::English).find("E24"), std::string::npos);
    }
}

TEST(CircuitInput, ResistorRangeLevelsAndPeaks) {
    const auto range = checkResistorRange("1k:1M");
    ASSERT_TRUE(range.ok()) << range.message.text(Language::English);
    EXPECT_EQ(*range.value, (ResistorRange{1e3, 1e6}));
    EXPECT_EQ(checkResistorRange("470:4,7k").value, (ResistorRange{470, 4700}));
    for (const char* bad : {"1M:1k", "1k:1k", "0:1M", "-1k:1M", "1k", "1k:", ":1M", "1k:inf", "a:b"}) {
        const auto refused = checkResistorRange(bad);
        EXPECT_FALSE(refused.ok()) << bad;
        EXPECT_NE(refused.message.text(Language::English).find(std::string("(") + bad + ")"), std::string::npos) << refused.message.text(Language::English);
    }

    EXPECT_EQ(checkInputLevel("+4").value, 4);
    EXPECT_EQ(checkInputLevel("-10,5").value, -10.5);
    for (const char* bad : {"41", "-61", "x", "", "nan"}) EXPECT_FALSE(checkInputLevel(bad).ok()) << bad;
    EXPECT_EQ(checkOutputPeak("13.5").value, 13.5);
    for (const char* bad : {"0", "-13.5", "1e9", "inf", ""}) {
        const auto refused = checkOutputPeak(bad);
        EXPECT_FALSE(refused.ok()) << bad;
        EXPECT_NE(refused.message.text(Language::English).find("output peak"), std::string::npos) << refused.message.text(Language::English);
    }
}
