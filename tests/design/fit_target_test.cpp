// The fit's target curves and smoothing: the smoothing against its
// definition, the target curve moved by the level and tilted, read exactly
// as Import reads a measurement, and the inputs the fit refuses.
#include "fit.h"
#include "fit_target.h"

#include "filter_engine.h"
#include "frequency_grid.h"
#include "measurement_import.h"
#include "standard_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

using namespace tessera;

namespace {

Curve randomCurve(unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(-10, 10);
    Curve c{};
    for (double& v : c) v = unit(random);
    return c;
}

struct Bank {
    std::unique_ptr<FilterBankState> state = std::make_unique<FilterBankState>();
    FilterEngine engine{*state};
    Bank() {
        E24Init(*state);
        engine.Reset(true);
    }
};

std::filesystem::path scratchFile(const std::string& name, const std::string& bytes) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("tessera-target-" + std::to_string(::getpid()) + "-" + name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// A curve written at the grid frequencies, which Import reads back point for point.
std::string gridFrd(const Curve& values, std::size_t from = 0, std::size_t to = kGridPoints) {
    std::string text;
    char line[80];
    for (std::size_t i = from; i < to; ++i) {
        std::snprintf(line, sizeof line, "%.17g %.17g\n", gridFrequencies()[i], values[i]);
        text += line;
    }
    return text;
}

} // namespace

TEST(FitSmoothing, IsTheMeanOverTheFractionalOctaveWindowCutAtTheGridEnds) {
    const Curve curve = randomCurve(3);
    const auto& f = gridFrequencies();
    for (int n : kSmoothingFractions) {
        const Curve smooth = smoothedCurve(curve, n);
        for (std::size_t i = 0; i < kGridPoints; ++i) {
            // Directly from the definition, in octaves from f_i.
            long double sum = 0;
            int count = 0;
            for (std::size_t j = 0; j < kGridPoints; ++j)
                if (std::fabs(std::log2(static_cast<long double>(f[j]) / f[i])) <= 0.5L / n + 1e-12L)
                    sum += curve[j], ++count;
            ASSERT_NEAR(smooth[i], static_cast<double>(sum / count), 1e-12) << "1/" << n << " at " << i;
        }
    }
    // The window in grid points (the grid holds 25.5 points an octave):
    // 1/6 octave spans 2 points either side, 1/1 octave 12, and at the
    // ends only the points that exist.
    const Curve sixth = smoothedCurve(curve, 6);
    double middle = 0;
    for (std::size_t j = 98; j <= 102; ++j) middle += curve[j];
    EXPECT_NEAR(sixth[100], middle / 5, 1e-12);
    const Curve octave = smoothedCurve(curve, 1);
    double first = 0, last = 0;
    for (std::size_t j = 0; j <= 12; ++j) first += curve[j], last += curve[kGridPoints - 1 - j];
    EXPECT_NEAR(octave[0], first / 13, 1e-12);
    EXPECT_NEAR(octave[kGridPoints - 1], last / 13, 1e-12);
    // The finest windows hold only the point itself on this grid; none is the curve.
    EXPECT_EQ(smoothedCurve(curve, 48), curve);
    EXPECT_EQ(smoothedCurve(curve, 0), curve);
}

TEST(FitSmoothing, NamesReadAndWriteBackAndOthersAreRefused) {
    for (int n : kSmoothingFractions) EXPECT_EQ(smoothingNamed(smoothingName(n)), n);
    EXPECT_EQ(smoothingNamed("none"), 0);
    EXPECT_EQ(smoothingNamed("None"), 0);
    EXPECT_EQ(smoothingNamed("1/1"), 1);
    for (const char* bad : {"1/5", "1/0", "", "6", "1/", "1/6 ", "one"}) EXPECT_FALSE(smoothingNamed(bad)) << bad;
    EXPECT_EQ(smoothingName(0), "none");
    EXPECT_EQ(smoothingName(6), "1/6");
}

TEST(FitSmoothing, ErrorsAreMeasuredAgainstTheSmoothedMeasurement) {
    Bank bank;
    const auto& f = gridFrequencies();
    // A smooth dip and a fast ripple the smoothing takes out.
    for (std::size_t i = 0; i < kGridPoints; ++i)
        bank.state->ImportedResponse[i] = -3 * std::exp(-std::pow(std::log(f[i] / 500), 2) / 0.2) +
                                          (i % 2 == 0 ? 0.8 : -0.8);
    FitSettings rough, smooth;
    smooth.smoothing = 3;
    const FitOutcome a = fitSections(*bank.state, rough), b = fitSections(*bank.state, smooth);
    ASSERT_TRUE(a.done() && b.done());
    EXPECT_EQ(b.result.measurement, smoothedCurve(bank.state->ImportedResponse, 3));
    EXPECT_EQ(a.result.measurement, bank.state->ImportedResponse);
    EXPECT_GT(a.result.after.rms, 0.7); // the ripple stays in the error
    EXPECT_LT(b.result.after.rms, 0.3);
    // Against the smoothed measurement: the Result with it in place of the
    // import, less the target.
    double sum = 0;
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        const double d = b.result.predictedResult[i] - bank.state->ImportedResponse[i] + b.result.measurement[i] -
                         b.result.target[i];
        sum += d * d;
    }
    EXPECT_NEAR(b.result.after.rms, std::sqrt(sum / kGridPoints), 1e-9);
    // The Result curves stay those of the Result window.
    for (std::size_t i = 0; i < kGridPoints; ++i)
        EXPECT_EQ(b.result.resultBefore[i], bank.state->CombinedCurve[i] + bank.state->ImportedResponse[i]);
}

TEST(FitTarget, TheLevelMovesTheCurveAndTheTiltAddsToIt) {
    Bank bank;
    const auto& f = gridFrequencies();
    Curve written{};
    for (std::size_t i = 0; i < kGridPoints; ++i) written[i] = 4 - 2.5 * std::log10(f[i] / 20) + 0.3 * std::sin(i / 9.0);
    const auto file = scratchFile("house.frd", gridFrd(written));
    TargetReading reading = readTargetCurve(file.string());
    std::filesystem::remove(file);
    ASSERT_TRUE(reading.outcome.done()) << reading.outcome.message;
    ASSERT_TRUE(reading.curve);
    EXPECT_EQ(reading.curve->name, file.string());
    const Curve house = reading.curve->values; // read through the 48-bit real: close to what was written
    for (std::size_t i = 0; i < kGridPoints; ++i) ASSERT_NEAR(house[i], written[i], 1e-9);

    // The house curve at 1 kHz, on a straight line in log f between the grid points.
    std::size_t above = 0;
    while (f[above] <= 1000) ++above;
    const double t = std::log(1000 / f[above - 1]) / std::log(f[above] / f[above - 1]);
    const double atKilohertz = house[above - 1] + t * (house[above] - house[above - 1]);

    // A Result that is the house curve, tilted and 7 dB up: met exactly.
    const double tilt = -1.5;
    for (std::size_t i = 0; i < kGridPoints; ++i)
        bank.state->ImportedResponse[i] =
            house[i] + 7 + tilt * std::log10(f[i] / 1000) - bank.state->CombinedCurve[i];
    FitSettings settings;
    settings.target = reading.curve;
    settings.tiltDbPerDecade = tilt;
    settings.sections = {true, false, false, false};
    const FitOutcome automatic = fitSections(*bank.state, settings);
    ASSERT_TRUE(automatic.done()) << automatic.message;
    EXPECT_LT(automatic.result.before.rms, 1e-9);
    for (std::size_t i = 0; i < kGridPoints; ++i)
        EXPECT_NEAR(automatic.result.target[i] - automatic.result.level,
                    house[i] - atKilohertz + tilt * std::log10(f[i] / 1000), 1e-9);
    // The level is the target's value at 1 kHz.
    const Curve& target = automatic.result.target;
    EXPECT_NEAR(target[above - 1] + t * (target[above] - target[above - 1]), automatic.result.level, 1e-9);
    settings.level = 7 + atKilohertz;
    EXPECT_LT(fitSections(*bank.state, settings).result.before.rms, 1e-9);
    settings.level = 8 + atKilohertz; // 1 dB off everywhere
    EXPECT_NEAR(fitSections(*bank.state, settings).result.before.rms, 1, 1e-9);
}

TEST(FitTarget, IsReadAsImportReadsAMeasurementInEachFormat) {
    const std::filesystem::path corpus = TESSERA_CORPUS_DIR;
    int read = 0, refused = 0;
    for (const char* folder : {"frd", "mlssa", "tds"})
        for (const auto& entry : std::filesystem::directory_iterator(corpus / folder)) {
            const std::string name = entry.path().string();
            Bank bank;
            const FileOutcome imported = importMeasurement(bank.engine, name);
            const TargetReading target = readTargetCurve(name);
            ASSERT_EQ(target.outcome.status, imported.ignored() ? FileStatus::Refused : imported.status) << name;
            if (imported.done()) {
                ++read;
                ASSERT_TRUE(target.curve);
                EXPECT_EQ(target.curve->values, bank.state->ImportedResponse) << name;
                EXPECT_GE(target.curve->highHz, target.curve->lowHz) << name;
            } else if (imported.refused()) {
                ++refused;
                EXPECT_EQ(target.outcome.message, imported.message) << name;
                EXPECT_FALSE(target.curve);
            }
        }
    EXPECT_GE(read, 8);
    EXPECT_GE(refused, 8);
}

TEST(FitTarget, RefusedWhenNoPointLiesInTheBandOrTheSmoothingIsNotOffered) {
    Bank bank;
    for (std::size_t i = 0; i < kGridPoints; ++i) bank.state->ImportedResponse[i] = std::sin(i / 10.0);
    const auto file = scratchFile("bass.frd", gridFrd(randomCurve(4), 0, 60)); // 20 Hz to about 100 Hz
    const TargetReading reading = readTargetCurve(file.string());
    std::filesystem::remove(file);
    ASSERT_TRUE(reading.curve);
    FitSettings settings;
    settings.target = reading.curve;
    settings.bandLow = 1000;
    settings.bandHigh = 10000;
    const FitOutcome outside = fitSections(*bank.state, settings);
    EXPECT_EQ(outside.status, FitStatus::Refused);
    EXPECT_NE(outside.message.find("no point in the band"), std::string::npos) << outside.message;
    settings.bandLow = 95; // the band now reaches the curve's last point
    EXPECT_TRUE(fitSections(*bank.state, settings).done());

    FitSettings smoothing;
    smoothing.smoothing = 5;
    const FitOutcome odd = fitSections(*bank.state, smoothing);
    EXPECT_EQ(odd.status, FitStatus::Refused);
    EXPECT_NE(odd.message.find("1/48"), std::string::npos);
}
