#include "circuit_curves.h"
#include "netlist.h"
#include "opamp_table.h"
#include "stage_response.h"

#include "circuit_fixture.h"
#include "frequency_grid.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>

using namespace tessera;
using namespace tessera::circuit_test;

namespace {

// Peak frequency and Q (peak over -3 dB bandwidth) of a finely sampled
// magnitude response, interpolated between samples.
StageFigures measured(const std::vector<std::pair<double, double>>& samples) {
    std::size_t k = 0;
    for (std::size_t i = 0; i < samples.size(); ++i)
        if (samples[i].second > samples[k].second) k = i;
    EXPECT_TRUE(k > 0 && k + 1 < samples.size()) << "peak at the end of the sweep";
    if (!(k > 0 && k + 1 < samples.size())) return {};
    const auto x = [&](std::size_t i) { return std::log(samples[i].first); };
    const auto y = [&](std::size_t i) { return samples[i].second; };
    // The slope between neighbouring samples is linear near the peak: where
    // it crosses zero is the peak.
    const double m1 = (x(k - 1) + x(k)) / 2, m2 = (x(k) + x(k + 1)) / 2;
    const double d1 = (y(k) - y(k - 1)) / (x(k) - x(k - 1)), d2 = (y(k + 1) - y(k)) / (x(k + 1) - x(k));
    const double peakX = m1 - d1 * (m2 - m1) / (d2 - d1);
    const double slopeAtK = d1 + (d2 - d1) * (x(k) - m1) / (m2 - m1);
    const double peakY = y(k) + slopeAtK / 2 * (peakX - x(k));
    const double level = peakY / std::sqrt(2.0);
    const auto crossing = [&](std::size_t from, int direction) {
        std::size_t i = from;
        while (y(i) >= level) i = static_cast<std::size_t>(static_cast<long>(i) + direction);
        const std::size_t j = static_cast<std::size_t>(static_cast<long>(i) - direction);
        return std::exp(x(i) + (level - y(i)) * (x(j) - x(i)) / (y(j) - y(i)));
    };
    const double lower = crossing(k, -1), upper = crossing(k, +1);
    return {std::exp(peakX), std::exp(peakX) / (upper - lower), peakY};
}

} // namespace

TEST(OpAmp, StartUpSectionWithAThreeMegahertzOpAmp) {
    const Design design;
    const SectionParts parts = sectionParts(*design.engine, 1); // 1 nF; 130 K, 510, 1 M
    const StageFigures ideal = idealStage(parts);
    EXPECT_NEAR(ideal.frequency, 19551.23, 0.01);
    EXPECT_NEAR(ideal.q, 7.985, 0.001);
    const auto real = realisedStage(parts, 3e6);
    ASSERT_TRUE(real);
    EXPECT_NEAR(100 * (real->frequency / ideal.frequency - 1), -4.8, 0.1);
    EXPECT_NEAR(100 * (real->q / ideal.q - 1), 4.5, 0.1);

    // Without the op-amp the measured figures are the closed form.
    const auto perfect = realisedStage(parts, 0);
    ASSERT_TRUE(perfect);
    EXPECT_NEAR(perfect->frequency / ideal.frequency, 1, 1e-9);
    EXPECT_NEAR(perfect->q / ideal.q, 1, 1e-9);
    EXPECT_NEAR(perfect->peakGain / ideal.peakGain, 1, 1e-12);

    // The lowest adequate gain-bandwidth is the boundary of 1 %.
    const auto lowest = lowestAdequateGbw(parts);
    ASSERT_TRUE(lowest);
    const auto deviation = [&](double gbw) {
        const auto r = realisedStage(parts, gbw);
        return std::max(std::fabs(r->frequency / ideal.frequency - 1), std::fabs(r->q / ideal.q - 1));
    };
    EXPECT_LE(deviation(*lowest), 0.01);
    EXPECT_GT(deviation(*lowest * 0.99), 0.01);
}

TEST(OpAmp, SectionsAroundTheStageGiveTheEnginesCurvesWithAPerfectOpAmp) {
    Design design;
    design.randomise(21, Parts::Mixed);
    const auto& grid = gridFrequencies();
    for (int s = 1; s <= kSectionCount; ++s) {
        const SectionParts parts = sectionParts(*design.engine, s);
        for (std::size_t i = 0; i < kGridPoints; i += 5)
            EXPECT_NEAR(sectionDb(parts, isBoostSection(s), 0, grid[i]), design.state->section(s).SectionCurve[i], 1e-4)
                << "Filter" << s << " at " << grid[i];
    }
}

TEST(OpAmpSimulation, NgspiceConfirmsFrequencyAndQWithASinglePoleOpAmp) {
    const ScratchFolder scratch;
    const std::pair<unsigned, double> cases[] = {{0, 3e6}, {31, 1e6}, {32, 10e6}, {33, 2e6}};
    for (const auto& [seed, gbw] : cases) {
        Design design;
        if (seed != 0) design.randomise(seed, Parts::Mixed);
        for (int s : {1, 3}) {
            const SectionParts parts = sectionParts(*design.engine, s);
            const auto real = realisedStage(parts, gbw);
            ASSERT_TRUE(real);
            // The exported netlist, swept finely around the stage's peak; the
            // stage's gain is its output over its input.
            std::string text = netlistText(*design.engine, {customOpAmp(gbw, 0, 0, 0), kDefaultSummingOhms, {}});
            const std::string input = s == 1 ? "in" : "n3";
            const std::string sweep = ".ac dec 4000 " + std::to_string(real->frequency / 6) + " " +
                                      std::to_string(real->frequency * 6) + "\n";
            const std::string print = ".print ac vm(x" + std::to_string(s) + ".bp) vm(" + input + ")\n";
            text.replace(text.find(".ac dec"), text.find(".end") - text.find(".ac dec"), sweep + print);
            const std::string file = scratch.file("stage.cir");
            std::ofstream(file) << text;
            std::vector<std::pair<double, double>> samples;
            for (const SpiceRow& row : runNgspice(file)) samples.emplace_back(row.frequency, row.values.at(0) / row.values.at(1));
            ASSERT_GT(samples.size(), 100u);
            const StageFigures simulated = measured(samples);
            EXPECT_NEAR(real->frequency / simulated.frequency, 1, 0.001) << "seed " << seed << " Filter" << s;
            EXPECT_NEAR(real->q / simulated.q, 1, 0.005) << "seed " << seed << " Filter" << s;
        }
    }
}

TEST(OpAmp, PrecompensationRealisesWhatWasAskedForAndRemembersIt) {
    Design design;
    design.engine->commitEntry(2, Entry::Frequency, "12000"); // exact mode: nothing snaps
    design.engine->commitEntry(2, Entry::Q, "5");
    design.engine->commitEntry(2, Entry::Gain, "6");
    const double gbw = 2e6;
    Precompensation compensation;
    for (int round = 0; round < 2; ++round) {
        const auto outcome = compensation.apply(*design.engine, 2, gbw);
        ASSERT_TRUE(outcome.done) << outcome.message.text(Language::English);
        EXPECT_EQ(outcome.partsChanged, round == 0);
        EXPECT_DOUBLE_EQ(outcome.target.frequency, 12000);
        const auto real = realisedStage(sectionParts(*design.engine, 2), gbw);
        ASSERT_TRUE(real);
        EXPECT_NEAR(real->frequency / 12000, 1, 1e-5); // the 6 digits of exact mode
        EXPECT_NEAR(real->q / 5, 1, 1e-4);
    }
    // An op-amp too slow for the asked Q leaves the section as it was.
    design.engine->commitEntry(2, Entry::Q, "8");
    const FilterSection before = design.state->section(2);
    EXPECT_FALSE(compensation.apply(*design.engine, 2, 2e4).done);
    EXPECT_EQ(design.state->section(2).Frequency, before.Frequency);
    EXPECT_EQ(design.state->section(2).Q, before.Q);

    // Standard parts that snap back to the same values are not reported as
    // a compensation.
    const SectionParts snapped = sectionParts(*design.engine, 3);
    const auto unchanged = compensation.apply(*design.engine, 3, 1e9);
    ASSERT_TRUE(unchanged.done);
    EXPECT_FALSE(unchanged.partsChanged);
    EXPECT_EQ(sectionParts(*design.engine, 3), snapped);
    EXPECT_NE(unchanged.message.text(Language::English).find("stay as they were"), std::string::npos);
}

TEST(OpAmp, ChosenOpAmpAddsItsCurveToTheSectionAndResultWindows) {
    struct Capture : PlotSink {
        std::map<GraphWindow, PlotData> last;
        void setData(GraphWindow w, const PlotData& b) override { last.insert_or_assign(w, b); }
    } windows;
    Design design;
    CircuitCurves curves(*design.engine, windows);
    design.engine->setPlotSink(&curves);
    design.randomise(41, Parts::E24);
    design.state->Modified = 0;
    EXPECT_EQ(windows.last.at(GraphWindow::Result).rows(), 2);

    curves.setOpAmp(customOpAmp(1e6, 1, 1, 1));
    EXPECT_EQ(design.state->Modified, 0); // choosing an op-amp changes no design
    const auto& grid = gridFrequencies();
    std::array<double, kGridPoints> sum{};
    for (int s = 1; s <= kSectionCount; ++s) {
        const PlotData& block = windows.last.at(sectionWindow(s));
        ASSERT_EQ(block.rows(), 3);
        EXPECT_EQ(block.rowKind(2), CurveKind::RealOpAmp);
        for (std::size_t i = 0; i < kGridPoints; ++i) {
            const double v = block.value(2 * kGridPoints + i);
            EXPECT_EQ(v, sectionDb(sectionParts(*design.engine, s), isBoostSection(s), 1e6, grid[i]));
            EXPECT_LE(block.yMin(), v);
            EXPECT_GE(block.yMax(), v);
            sum[i] += v;
        }
    }
    const PlotData& result = windows.last.at(GraphWindow::Result);
    ASSERT_EQ(result.rows(), 3);
    for (std::size_t i = 0; i < kGridPoints; ++i) EXPECT_NEAR(result.value(2 * kGridPoints + i), sum[i], 1e-9);

    curves.setOpAmp(idealOpAmp());
    EXPECT_EQ(windows.last.at(GraphWindow::Result).rows(), 2);
    EXPECT_EQ(windows.last.at(sectionWindow(1)).rows(), 2);
}

TEST(OpAmpTable, FrequenciesKeepThreeDigitsAndChangesTheirSign) {
    std::array<OpAmpRow, kSectionCount> table{};
    for (OpAmpRow& row : table) {
        row.buildable = true;
        row.ideal = {25.73, 2, 1};
    }
    table[0].real = table[0].ideal; // the ideal op-amp: no change at all
    table[0].lowestGbw = 1534.6;
    table[1].real = StageFigures{25.7299, 1.998, 1}; // falls too small to show
    table[1].lowestGbw = 2.5e6;
    table[2].real = StageFigures{2.5734, 2.5, 1};
    table[2].lowestGbw = 123456;
    table[3].ideal = {19551.23, 8, 1};
    table[3].real = StageFigures{18606.7, 8.36, 1};
    table[3].lowestGbw = 999.96;
    const auto cells = opAmpTableCells(table, ',');
    // Section, f ideal, f real, f change, Q ideal, Q real, Q change, gain ideal, gain real, GBW for 1 %.
    EXPECT_EQ(cells[0][1], "25,7 Hz");
    EXPECT_EQ(cells[0][3], "+0,00 %");
    EXPECT_EQ(cells[0][6], "+0,00 %");
    EXPECT_EQ(cells[0][9], "1,53 kHz");
    EXPECT_EQ(cells[1][3], "-0,00 %");
    EXPECT_EQ(cells[1][6], "-0,10 %");
    EXPECT_EQ(cells[1][9], "2,50 MHz");
    EXPECT_EQ(cells[2][2], "2,57 Hz");
    EXPECT_EQ(cells[2][3], "-90,00 %");
    EXPECT_EQ(cells[2][6], "+25,00 %");
    EXPECT_EQ(cells[2][9], "123 kHz");
    EXPECT_EQ(cells[3][1], "19551 Hz");
    EXPECT_EQ(cells[3][2], "18607 Hz");
    EXPECT_EQ(cells[3][9], "1000 Hz");
}
