#include "fit.h"
#include "fit_apply.h"
#include "fit_form.h"

#include "filter_engine.h"
#include "frequency_grid.h"
#include "number_text.h"
#include "plot_sink.h"
#include "section_response.h"
#include "standard_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>

using namespace tessera;

namespace {

struct ResultPlot : PlotSink {
    std::vector<double> result;
    void setData(GraphWindow window, const PlotData& block) override {
        if (window != GraphWindow::Result) return;
        result.clear();
        for (std::size_t i = 0; i < kGridPoints; ++i) result.push_back(block.value(kGridPoints + i));
    }
};

// A bank as the program starts it, wired to a Result plot like the window.
struct Bank {
    std::unique_ptr<FilterBankState> state = std::make_unique<FilterBankState>();
    ResultPlot plot;
    FilterEngine engine{*state};
    Bank() {
        E24Init(*state);
        engine.setPlotSink(&plot);
        engine.Reset(true);
    }
};

// A measurement with dips and peaks of random sections, a random level and
// a little ripple: not exactly realisable by any parts.
void importRoom(FilterBankState& state, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0, 1);
    Curve room{};
    for (int k = 0; k < 4; ++k) {
        const Curve c = sectionCurveDb(50 * std::pow(300.0, unit(random)), 0.7 + 4 * unit(random),
                                       0.2 + 2 * unit(random), k % 2 == 0);
        for (std::size_t i = 0; i < kGridPoints; ++i) room[i] -= c[i];
    }
    const double level = 10 * unit(random) - 5;
    const auto& f = gridFrequencies();
    for (std::size_t i = 0; i < kGridPoints; ++i) state.ImportedResponse[i] = room[i] + level + 0.1 * std::sin(f[i] / 97);
}

bool sameBits(const Curve& a, const Curve& b) { return std::memcmp(a.data(), b.data(), sizeof a) == 0; }

} // namespace

TEST(Fit, ApplyLeavesExactlyThePredictedResultAndParts) {
    struct Case {
        unsigned seed;
        FitSettings settings;
        bool tunedStart; // sections not at their start-up setting, as after Open
    };
    FitSettings e12;
    e12.series = Series::E12;
    e12.bandLow = 40;
    e12.bandHigh = 16000;
    FitSettings kept;
    kept.chooseCapacitors = false;
    kept.level = 1.5;
    kept.tiltDbPerDecade = -1;
    FitSettings someSections;
    someSections.sections = {false, true, true, false};
    someSections.maxBoostDb = 12;
    for (const Case& c : {Case{1, {}, false}, Case{2, e12, true}, Case{3, kept, true}, Case{4, someSections, true}}) {
        Bank bank;
        if (c.tunedStart) {
            for (int s = 1; s <= 4; ++s) {
                bank.engine.selectCapacitor(s, kCapacitorItems[static_cast<std::size_t>(2 * s)]);
                bank.engine.commitEntry(s, Entry::Frequency, std::to_string(150 * s * s));
                bank.engine.commitEntry(s, Entry::Gain, "3,5");
                bank.engine.selectSeries(s, Series::E24);
                bank.engine.stepResistor(s, Slot::R2, true);
            }
        }
        importRoom(*bank.state, c.seed);
        const FilterBankState before = *bank.state;

        const FitOutcome fit = fitSections(*bank.state, c.settings);
        ASSERT_TRUE(fit.done()) << fit.message;
        const FitResult& r = fit.result;
        EXPECT_LT(r.after.rms, r.before.rms) << c.seed;

        bank.state->Modified = 0;
        applyFit(bank.engine, r);
        EXPECT_TRUE(sameBits(resultCurve(*bank.state), r.predictedResult)) << c.seed;
        ASSERT_EQ(bank.plot.result.size(), std::size_t{kGridPoints});
        EXPECT_EQ(0, std::memcmp(bank.plot.result.data(), r.predictedResult.data(), sizeof r.predictedResult));
        EXPECT_EQ(bank.state->Modified, 1);
        for (int s = 1; s <= 4; ++s) {
            const FittedSection& fs = r.section(s);
            const FilterSection& now = bank.state->section(s);
            EXPECT_EQ(fs.fitted, c.settings.sections[static_cast<std::size_t>(s - 1)]) << s;
            if (!fs.fitted) {
                EXPECT_EQ(now.Frequency, before.section(s).Frequency);
                EXPECT_TRUE(sameBits(now.SectionCurve, before.section(s).SectionCurve));
                continue;
            }
            // The page shows what the fit reported.
            EXPECT_EQ(now.Frequency, fs.frequency);
            EXPECT_EQ(now.Q, fs.q);
            EXPECT_EQ(now.GainFactor, fs.gainFactor);
            EXPECT_EQ(now.Capacitance, fs.capacitance);
            for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ(now.SeriesIndex[k], fs.positions[k]);
            EXPECT_EQ(now.E12Snap, c.settings.series == Series::E12);
            EXPECT_EQ(bank.engine.page(s).entryText(Entry::Frequency), fixedText(fs.frequency, 5, 0, '.'));
        }
    }
}

TEST(Fit, PartsStayWithinTheirLimits) {
    Bank bank;
    importRoom(*bank.state, 7);
    for (std::size_t i = 0; i < kGridPoints; ++i) bank.state->ImportedResponse[i] -= 8 * (i > 100 && i < 140);
    const ResistorRange ranges[] = {{}, {2200, 220000}, {1000, 47000}};
    for (const Series series : {Series::E24, Series::E12}) {
        for (const bool choose : {true, false}) {
          for (const ResistorRange& range : ranges) {
            if (!choose && range.high < 1e5) continue; // the kept 1 nF capacitors need large resistors
            FitSettings settings;
            settings.maxBoostDb = 3;
            settings.series = series;
            settings.chooseCapacitors = choose;
            settings.circuit.resistors = range;
            settings.search.randomStarts = 0; // the limits hold for every design searched
            const FitOutcome fit = fitSections(*bank.state, settings);
            ASSERT_TRUE(fit.done()) << fit.message;
            int fitted = 0;
            for (int s = 1; s <= 4; ++s) {
                const FittedSection& fs = fit.result.section(s);
                if (!fs.fitted) continue;
                ++fitted;
                EXPECT_GE(fs.frequency, 20);
                EXPECT_LE(fs.frequency, 20000);
                EXPECT_GE(fs.q, 0.1);
                EXPECT_LE(fs.q, 8);
                EXPECT_LE(20 * std::log10(1 + fs.gainFactor), isBoostSection(s) ? 3 + 1e-9 : kSectionGainLimitDb);
                for (int p : fs.positions) {
                    EXPECT_GE(p, 0);
                    EXPECT_LE(p, 100); // the steppers' range
                    EXPECT_TRUE(range.contains(bank.state->SeriesValues[static_cast<std::size_t>(p)]))
                        << bank.state->SeriesValues[static_cast<std::size_t>(p)] << " ohms";
                    if (series == Series::E12) {
                        EXPECT_EQ(p % 2, 0);
                    }
                }
                if (choose) {
                    EXPECT_TRUE(fs.capacitorItem >= 0 && fs.capacitorItem < 13);
                } else {
                    EXPECT_EQ(fs.capacitance, bank.state->section(s).Capacitance);
                }
            }
            EXPECT_GE(fitted, 3);
            EXPECT_TRUE(std::isfinite(fit.result.after.rms));
          }
        }
    }
    // A range that holds no resistor the steppers reach is refused.
    FitSettings none;
    none.circuit.resistors = {600e3, 900e3};
    EXPECT_NE(fitSections(*bank.state, none).message.find("600000"), std::string::npos);
    none.circuit.resistors = {1e5, 1e4};
    EXPECT_EQ(fitSections(*bank.state, none).status, FitStatus::Refused);
}

TEST(Fit, MeetsARealisableMeasurementAndIsDeterministic) {
    // The inverse of a bank built from standard parts, at 3 dB: the fit can
    // meet it exactly.
    Bank truth;
    const std::array<const char*, 4> f = {"90", "700", "3000", "11000"};
    for (int s = 1; s <= 4; ++s) {
        truth.engine.selectCapacitor(s, kCapacitorItems[static_cast<std::size_t>(12 - 3 * s)]);
        truth.engine.commitEntry(s, Entry::Frequency, f[static_cast<std::size_t>(s - 1)]);
        truth.engine.commitEntry(s, Entry::Q, "2");
        truth.engine.commitEntry(s, Entry::Gain, "5");
        truth.engine.selectSeries(s, Series::E24);
    }
    Bank bank;
    for (std::size_t i = 0; i < kGridPoints; ++i) bank.state->ImportedResponse[i] = 3 - truth.state->CombinedCurve[i];
    FitSettings settings;
    settings.maxBoostDb = 12;
    const FitOutcome first = fitSections(*bank.state, settings);
    ASSERT_TRUE(first.done());
    EXPECT_LT(first.result.after.rms, 0.05);
    EXPECT_GT(first.result.before.rms, 2);
    EXPECT_NEAR(first.result.level, 3, 0.05);

    const FitOutcome again = fitSections(*bank.state, settings);
    EXPECT_TRUE(sameBits(first.result.predictedResult, again.result.predictedResult));
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(first.result.section(s).positions, again.result.section(s).positions);
        EXPECT_EQ(first.result.section(s).capacitorItem, again.result.section(s).capacitorItem);
    }
}

TEST(Fit, SectionsNoPartsRealiseKeepTheirSettingAndTheOthersFitAroundThem) {
    // No boost allowed: no resistors give a boost section a gain of 0 dB, so
    // both keep their start-up peaks at 19.5 kHz, which the cut sections
    // (in the start-up bank their mirror images) must go on cancelling.
    Bank bank;
    const auto& f = gridFrequencies();
    for (std::size_t i = 0; i < kGridPoints; ++i) bank.state->ImportedResponse[i] = 0.5 + 0.01 * std::sin(f[i] / 37);
    FitSettings settings;
    settings.maxBoostDb = 0;
    settings.series = Series::E12;
    // Mirroring a 19.5 kHz peak takes resistors below 1 kOhm: any the table holds.
    settings.circuit.resistors = {1, 1e9};
    const FitOutcome fit = fitSections(*bank.state, settings);
    ASSERT_TRUE(fit.done()) << fit.message;
    EXPECT_FALSE(fit.result.section(1).fitted);
    EXPECT_FALSE(fit.result.section(2).fitted);
    EXPECT_TRUE(fit.result.section(3).fitted);
    EXPECT_TRUE(fit.result.section(4).fitted);
    EXPECT_LT(fit.result.after.rms, 0.03);
    EXPECT_LT(fit.result.after.largest, 0.15);
    EXPECT_EQ(unrealisedNote(settings, fit.result),
              "Filter1 and Filter2 keep their setting: no parts realise them within the limits.");
    settings.sections = {false, true, true, true}; // left out is not unrealised
    EXPECT_EQ(unrealisedNote(settings, fit.result), "Filter2 keeps its setting: no parts realise it within the limits.");
    applyFit(bank.engine, fit.result);
    EXPECT_TRUE(sameBits(resultCurve(*bank.state), fit.result.predictedResult));
}

TEST(Fit, RefusesWhatItCannotFitWithAMessage) {
    Bank bank;
    FitSettings settings;
    const auto refused = [&](const FitSettings& s) {
        const FitOutcome outcome = fitSections(*bank.state, s);
        EXPECT_EQ(outcome.status, FitStatus::Refused);
        EXPECT_FALSE(outcome.message.empty());
        return outcome.message;
    };
    EXPECT_NE(refused(settings).find("import"), std::string::npos); // nothing imported

    importRoom(*bank.state, 5);
    const auto& f = gridFrequencies();
    FitSettings band = settings;
    band.bandLow = 2000;
    band.bandHigh = 1000;
    refused(band);
    band.bandLow = f[100];
    band.bandHigh = f[103]; // four grid points
    refused(band);
    band.bandHigh = f[104]; // five
    EXPECT_TRUE(fitSections(*bank.state, band).done());
    FitSettings none = settings;
    none.sections = {false, false, false, false};
    refused(none);
    FitSettings nan = settings;
    nan.level = std::numeric_limits<double>::quiet_NaN();
    refused(nan);
    FitSettings negative = settings;
    negative.maxBoostDb = -1;
    refused(negative);
    bank.state->ImportedResponse[9] = std::numeric_limits<double>::infinity();
    refused(settings);
}

TEST(Fit, CancelledFitComesBackWithoutAResult) {
    Bank bank;
    importRoom(*bank.state, 6);
    std::atomic<bool> cancel{false};
    std::vector<double> reported;
    const FitOutcome outcome = fitSections(*bank.state, {}, &cancel, [&](double p) {
        reported.push_back(p);
        cancel = true;
    });
    EXPECT_EQ(outcome.status, FitStatus::Cancelled);
    EXPECT_FALSE(reported.empty());

    reported.clear();
    ASSERT_TRUE(fitSections(*bank.state, {}, nullptr, [&](double p) { reported.push_back(p); }).done());
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    EXPECT_EQ(reported.back(), 1.0);
}
