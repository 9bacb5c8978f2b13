#include "remembered_settings.h"

#include <gtest/gtest.h>

#include <map>

using namespace tessera;

namespace {

using Entries = std::map<std::string, std::string, std::less<>>;

CircuitSettings readBack(const Entries& entries) {
    return rememberedCircuitSettings([&](std::string_view key) -> std::optional<std::string> {
        const auto found = entries.find(key);
        if (found == entries.end()) return std::nullopt;
        return found->second;
    });
}

Entries written(const CircuitSettings& settings) {
    Entries entries;
    for (const auto& [key, text] : rememberedEntries(settings)) entries[key] = text;
    return entries;
}

} // namespace

TEST(RememberedSettings, ReadBackAsTheSameDoubles) {
    CircuitSettings settings;
    settings.opAmp = customOpAmp(3.3e6 + 0.1, 0.1 + 0.2, 1.0 / 3, 7e-3);
    settings.summingOhms = 2200;
    settings.inputLevelDbu = -0.1 - 0.2;
    settings.outputPeakV = 2.0 / 3;
    settings.resistors = {1e3 / 7, 4.7e6};
    ASSERT_TRUE(acceptableCircuitSettings(settings));
    EXPECT_EQ(readBack(written(settings)), settings);

    CircuitSettings named;
    named.opAmp = *opAmpNamed("OPA1656");
    const Entries entries = written(named);
    EXPECT_EQ(entries.count("custom_gbw_hz"), 0u); // a named op-amp by its name alone
    EXPECT_EQ(readBack(entries), named);
    EXPECT_EQ(readBack({}), CircuitSettings{});
}

TEST(RememberedSettings, EachUnusableEntryFallsBackAlone) {
    CircuitSettings settings;
    settings.opAmp = *opAmpNamed("TL072");
    settings.summingOhms = 1000;
    settings.inputLevelDbu = 10;
    settings.outputPeakV = 5;
    settings.resistors = {100, 1e5};
    const Entries good = written(settings);
    const auto with = [&](const char* key, const char* text) {
        Entries entries = good;
        entries[key] = text;
        return readBack(entries);
    };
    const CircuitSettings defaults;

    EXPECT_EQ(with("opamp", "tl072").opAmp, settings.opAmp); // letter case ignored, as typed names
    EXPECT_EQ(with("opamp", "LM741").opAmp, defaults.opAmp);
    // A custom op-amp needs all four figures, each one the check of typed figures accepts.
    Entries custom = good;
    custom["opamp"] = "Custom";
    for (const auto& [key, text] : {std::pair{"custom_gbw_hz", "2e6"}, {"custom_slew_v_per_us", "5"},
                                    {"custom_en_nv", "3"}})
        custom[key] = text;
    EXPECT_EQ(readBack(custom).opAmp, defaults.opAmp);
    custom.insert_or_assign("custom_in_pa", std::string("0.5"));
    EXPECT_EQ(readBack(custom).opAmp, customOpAmp(2e6, 5, 3, 0.5));
    // Beyond what can be typed: 1e300 would make the noise infinite.
    for (const auto& [key, bad] : {std::pair{"custom_en_nv", "-3"}, {"custom_in_pa", "0,5"},
                                   {"custom_gbw_hz", "1e13"}, {"custom_slew_v_per_us", "inf"},
                                   {"custom_en_nv", "1e300"}, {"custom_in_pa", "1e-300"}, {"custom_slew_v_per_us", "nan"}}) {
        Entries refused = custom;
        refused.insert_or_assign(key, std::string(bad));
        EXPECT_EQ(readBack(refused).opAmp, defaults.opAmp) << key << " " << bad;
    }

    EXPECT_EQ(with("summing_ohms", "1500").summingOhms, 1500);
    for (const char* bad : {"1400", "910", "110000", "ten", ""})
        EXPECT_EQ(with("summing_ohms", bad).summingOhms, defaults.summingOhms) << bad;
    EXPECT_EQ(with("input_level_dbu", "loud").inputLevelDbu, defaults.inputLevelDbu);
    for (const char* bad : {"0", "-1", "x"}) EXPECT_EQ(with("output_peak_v", bad).outputPeakV, defaults.outputPeakV);
    // The range goes back whole: half of one and half of the default could be inverted.
    const CircuitSettings inverted = with("resistor_low_ohms", "1e6");
    EXPECT_EQ(inverted.resistors, defaults.resistors);
    EXPECT_EQ(inverted.summingOhms, settings.summingOhms); // the others stay
    EXPECT_EQ(inverted.opAmp, settings.opAmp);
    EXPECT_EQ(with("resistor_high_ohms", "0").resistors, defaults.resistors);
    EXPECT_EQ(with("resistor_high_ohms", "1e300").resistors, defaults.resistors);
}
