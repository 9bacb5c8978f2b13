// `tessera-design fit` with a target curve, smoothing and --json.
#include "cli_fixture.h"
#include "json_reading.h"
#include "json_text.h"

#include "board_parts.h"
#include "design_session.h"
#include "fit.h"
#include "fit_target.h"
#include "frequency_grid.h"
#include "measurement_import.h"
#include "noise.h"
#include "opamp_model.h"
#include "section_formulas.h"

#include <cmath>
#include <cstring>
#include <map>
#include <random>

using namespace tessera;
using tessera::cli_test::CliTest;
using tessera::cli_test::JsonReader;
using tessera::cli_test::JsonValue;

namespace {

std::string roomFrd() {
    std::string text;
    for (double f = 15; f < 22000; f *= 1.02) {
        const double dip = std::log(f / 150), peak = std::log(f / 2500);
        const double db = -5 * std::exp(-dip * dip / 0.1) + 3 * std::exp(-peak * peak / 0.3) + 0.4 * std::sin(f / 40);
        text += std::to_string(f) + " " + std::to_string(db) + "\n";
    }
    return text;
}

std::string houseCsv() { return "Hz,dB\n20,6\n200,2\n1000,0\n10000,-2\n20000,-3\n"; }

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

} // namespace

TEST(JsonText, NumbersReadBackAsTheSameDoubles) {
    std::mt19937_64 random(7);
    std::vector<double> values = {0.1, 1.0 / 3, -0.0, 1e-310, 1.7976931348623157e308, 20000.000000000004, 100};
    for (int k = 0; k < 2000; ++k) {
        double v;
        const std::uint64_t bits = random();
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v)) values.push_back(v);
    }
    for (double v : values) {
        const auto read = JsonReader::read(cli::jsonNumber(v));
        ASSERT_TRUE(read) << cli::jsonNumber(v);
        EXPECT_TRUE(sameBits(read->number, v)) << cli::jsonNumber(v);
    }
    EXPECT_EQ(cli::jsonNumber(0.1), "0.1");
    EXPECT_EQ(cli::jsonNumber(std::nan("")), "null");
    const auto text = JsonReader::read(cli::jsonString("a \"b\" \\ \n\t\x01 ü"));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text, "a \"b\" \\ \n\t\x01 ü");
}

TEST_F(CliTest, FitJsonHoldsTheListedKeysAndTheFitsOwnNumbers) {
    const std::string measurement = write("room.frd", roomFrd());
    const std::string house = write("house.csv", houseCsv());
    const auto r = run({"fit", measurement, "--band", "30:18000", "--target", house, "--smoothing", "1/6", "--tilt",
                        "-0.5", "--series", "E12", "--sections", "1,2,4", "--opamp", "tl072", "--summing-resistors",
                        "4.7k", "--resistors", "2.2k:470k", "--json", "-o", path("fitted.tsn")});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto json = JsonReader::read(r.out);
    ASSERT_TRUE(json) << r.out;
    ASSERT_EQ(json->kind, JsonValue::Object);
    std::vector<std::string> keys;
    for (const auto& [key, value] : json->members) keys.push_back(key);
    const std::vector<std::string> listed = {
        "band_hz",          "points",          "level_db",          "tilt_db_per_decade", "smoothing",
        "target",           "frequencies_hz",  "measurement_db",    "target_db",          "result_before_db",
        "result_after_db",  "rms_before_db",   "largest_before_db", "rms_after_db",       "largest_after_db",
        "sections",         "opamp",           "summing_resistor_ohms", "resistor_range_ohms", "noise_a_before_uv",
        "noise_a_before_dbu", "noise_a_after_uv", "noise_a_after_dbu"};
    EXPECT_EQ(keys, listed);

    // The very fit of the program's document.
    cli::DesignSession session;
    ASSERT_TRUE(session.import(measurement).done());
    FitSettings settings;
    settings.bandLow = 30;
    settings.bandHigh = 18000;
    settings.target = readTargetCurve(house).curve;
    settings.smoothing = 6;
    settings.tiltDbPerDecade = -0.5;
    settings.series = Series::E12;
    settings.sections = {true, true, false, true};
    settings.circuit.opAmp = *opAmpNamed("TL072");
    settings.circuit.summingOhms = 4700;
    settings.circuit.resistors = {2200, 470000};
    const FitOutcome fit = fitSections(session.state(), settings);
    ASSERT_TRUE(fit.done());
    const FitResult& result = fit.result;

    EXPECT_EQ((*json)["band_hz"].numbers(), (std::vector<double>{30, 18000}));
    EXPECT_EQ((*json)["points"].number, result.band.count());
    EXPECT_TRUE(sameBits((*json)["level_db"].number, result.level));
    EXPECT_EQ((*json)["tilt_db_per_decade"].number, -0.5);
    EXPECT_EQ((*json)["smoothing"].text, "1/6");
    EXPECT_EQ((*json)["target"].text, house);
    const auto curve = [&](const char* key, const Curve& expected) {
        const std::vector<double> values = (*json)[key].numbers();
        ASSERT_EQ(values.size(), kGridPoints) << key;
        for (std::size_t i = 0; i < kGridPoints; ++i) ASSERT_TRUE(sameBits(values[i], expected[i])) << key << " " << i;
    };
    curve("frequencies_hz", gridFrequencies());
    curve("measurement_db", result.measurement);
    curve("target_db", result.target);
    curve("result_before_db", result.resultBefore);
    curve("result_after_db", result.predictedResult);
    EXPECT_TRUE(sameBits((*json)["rms_before_db"].number, result.before.rms));
    EXPECT_TRUE(sameBits((*json)["largest_before_db"].number, result.before.largest));
    EXPECT_TRUE(sameBits((*json)["rms_after_db"].number, result.after.rms));
    EXPECT_TRUE(sameBits((*json)["largest_after_db"].number, result.after.largest));

    EXPECT_EQ((*json)["opamp"].text, "TL072");
    EXPECT_EQ((*json)["summing_resistor_ohms"].number, 4700);
    EXPECT_EQ((*json)["resistor_range_ohms"].numbers(), (std::vector<double>{2200, 470000}));
    EXPECT_TRUE(sameBits((*json)["noise_a_before_uv"].number, result.noiseBeforeUv));
    EXPECT_TRUE(sameBits((*json)["noise_a_after_uv"].number, result.noiseAfterUv));
    EXPECT_TRUE(sameBits((*json)["noise_a_after_dbu"].number, voltsToDbu(result.noiseAfterUv * 1e-6)));

    // The resistors in the order of the page and the parts list of what -o wrote.
    cli::DesignSession written;
    ASSERT_TRUE(written.open(path("fitted.tsn")).done());
    std::map<std::string, double> partsList;
    for (const BoardPart& part : boardParts(written.engine(), settings.circuit)) partsList[part.designator] = part.value;
    const JsonValue& sections = (*json)["sections"];
    ASSERT_EQ(sections.items.size(), 4u);
    for (int s = 1; s <= kSectionCount; ++s) {
        const JsonValue& section = sections.items[static_cast<std::size_t>(s - 1)];
        const FittedSection& fs = result.section(s);
        EXPECT_EQ(section["section"].number, s);
        EXPECT_EQ(section["fitted"].boolean, s != 3);
        EXPECT_TRUE(sameBits(section["frequency_hz"].number, fs.frequency));
        EXPECT_TRUE(sameBits(section["q"].number, fs.q));
        EXPECT_TRUE(sameBits(section["gain_db"].number, shownGainDb(s, fs.gainFactor)));
        EXPECT_TRUE(sameBits(section["capacitor_nf"].number, fs.capacitance * 1e9));
        const std::vector<double> ohms = section["resistors_ohms"].numbers();
        ASSERT_EQ(ohms.size(), 3u);
        for (std::size_t k = 0; k < 3; ++k) {
            std::string designator = "R";
            designator += std::to_string(3 * (s - 1) + 1 + static_cast<int>(k));
            EXPECT_EQ(ohms[k], partsList.at(designator)) << designator;
            if (fs.fitted) {
                EXPECT_GE(ohms[k], 2200);
                EXPECT_LE(ohms[k], 470000);
            }
        }
        EXPECT_EQ(section["series"].text, s == 3 ? "E24" : "E12");
    }
}

TEST_F(CliTest, FitRefusesBadOptionsAndTargetsNamingThemAndWritesNothing) {
    const std::string measurement = write("room.frd", roomFrd());
    const std::string output = path("out.tsn");
    // A target file Import refuses: refused with Import's own message.
    const std::string refused = write("bad.frd", "100 1\n50 2\n");
    cli::DesignSession session;
    const FileOutcome imported = session.import(refused);
    ASSERT_TRUE(imported.refused());
    struct Case {
        std::vector<std::string> options;
        int status;
        std::string named; // in the message
    };
    const Case cases[] = {
        {{"--smoothing", "1/5"}, 2, "--smoothing"},
        {{"--smoothing", "6"}, 2, "--smoothing"},
        {{"--smoothing", "1/6octave"}, 2, "--smoothing"},
        {{"--smoothing", ""}, 2, "--smoothing"},
        {{"--opamp", "LM741"}, 2, "NE5532"}, // the known ones listed
        {{"--resistors", "100k:10k"}, 2, "100k:10k"},
        {{"--resistors", "-1:10k"}, 2, "-1:10k"},
        {{"--resistors", "1k"}, 2, "1k"},
        {{"--summing-resistors", "12345"}, 2, "12345"},
        {{"--summing-resistors", "470k"}, 2, "470k"},
        {{"--target", refused}, 1, imported.message.text(Language::English)},
        {{"--target", write("curve.dat", "100 1\n200 2\n")}, 1, ""}, // a name Import passes over
        {{"--target", write("bass.frd", "20 3\n80 0\n"), "--band", "200:2000"}, 1, "no point in the band"},
        // Import's rules and messages, whatever the line ends.
        {{"--target", write("zero.frd", "0 1\r20 2\r30 3\r")}, 1, "line 1: has a frequency of 0 Hz or below: \"0\"!"},
        {{"--target", write("negative.csv", "Hz,dB\r\n-20,1\r\n20,2\r\n")}, 1, "line 2: has a frequency of 0 Hz or below"},
        {{"--target", write("high.frd", "20000 1\n21000 2\n22000 3\n")}, 1, "line 1: has no data below 20 kHz!"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words = {"fit", measurement};
        words.insert(words.end(), c.options.begin(), c.options.end());
        words.insert(words.end(), {"-o", output});
        const auto r = run(words);
        EXPECT_EQ(r.status, c.status) << c.options[0] << " " << c.options[1];
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(output));
    // The table tells the noise before and after.
    const auto table = run({"fit", measurement, "--opamp", "NE5532"});
    EXPECT_EQ(table.status, 0) << table.err;
    EXPECT_NE(table.out.find("noise before: "), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("op-amp NE5532"), std::string::npos) << table.out;
}
