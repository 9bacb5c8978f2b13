#include "noise.h"

#include "circuit_fixture.h"
#include "circuit_response.h"
#include "frequency_grid.h"
#include "netlist.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <set>
#include <sstream>

using namespace tessera;
using namespace tessera::circuit_test;

namespace {

double db(double ratio) { return 20 * std::log10(ratio); }

// The output noise power density (V^2/Hz) at one frequency, straight from
// the sections.
double outputPower(const CircuitParts& parts, const CircuitSettings& settings, double f) {
    double total = 0, after = 1;
    for (int s = kSectionCount; s >= 1; --s) {
        const SectionResponse r =
            sectionResponse(parts[static_cast<std::size_t>(s - 1)], s, settings.summingOhms, settings.opAmp,
                            2 * std::numbers::pi * f);
        for (double p : r.noise) total += p * after;
        after *= std::norm(r.sectionGain);
    }
    return total;
}

// The integral over 20 Hz to 20 kHz by the midpoint rule on 200000 steps in
// ln f: what the analysis's totals must come to.
double fineIntegral(const CircuitParts& parts, const CircuitSettings& settings, bool aWeighted) {
    constexpr int kSteps = 40000;
    const double from = std::log(20.0), step = (std::log(20000.0) - from) / kSteps;
    long double sum = 0;
    for (int k = 0; k < kSteps; ++k) {
        const double f = std::exp(from + (k + 0.5) * step);
        const double w = aWeighted ? aWeighting(f) : 1;
        sum += outputPower(parts, settings, f) * w * w * f * step;
    }
    return static_cast<double>(sum);
}

struct SimulatedNoise {
    std::vector<SpiceRow> density; // V/sqrt(Hz) at the grid frequencies
    double total = 0;              // ngspice's own integral, V rms
};

// The exported netlist with ngspice's noise analysis in place of its AC one.
SimulatedNoise simulateNoise(const Design& design, const NetlistOptions& options, const ScratchFolder& scratch) {
    std::string text = netlistText(*design.engine, options);
    const auto from = text.find(".ac dec"), to = text.find(".end\n", from);
    text.replace(from, to - from,
                 ".control\nnoise v(out) V1 dec 85 20 20k 1\nsetplot noise1\nprint onoise_spectrum\n"
                 "setplot noise2\nprint onoise_total\nquit 0\n.endc\n");
    const std::string file = scratch.file("noise.cir");
    std::ofstream(file) << text;
    SimulatedNoise simulated;
    simulated.density = runNgspice(file);
    // "onoise_total = 7.446724e-06" is printed on a line of its own.
    const std::string command = std::string("'") + NGSPICE_PATH + "' -b '" + file + "' 2>/dev/null";
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, pipe))
            if (std::sscanf(line, "onoise_total = %lf", &simulated.total) == 1) break;
        while (std::fgets(line, sizeof line, pipe)) {
        }
        ::pclose(pipe);
    }
    return simulated;
}

} // namespace

TEST(NoiseSimulation, NgspiceGivesTheDensityAndTheTotalWithinATenthOfADecibel) {
    const ScratchFolder scratch;
    struct Case {
        unsigned seed;
        const char* opAmp;
        double summingOhms;
    };
    const Case cases[] = {{61, "NE5532", 10e3}, {62, "TL072", 2.2e3},  {63, "OPA1612", 47e3},
                          {64, "LM4562", 10e3}, {65, "OPA2134", 1e3}, {66, "Ideal", 100e3}};
    for (const Case& c : cases) {
        Design design;
        design.randomise(c.seed, Parts::Mixed);
        const CircuitParts parts = circuitParts(*design.engine);
        ASSERT_FALSE(unbuildableReason(parts));
        CircuitSettings settings;
        settings.opAmp = *opAmpNamed(c.opAmp);
        settings.summingOhms = c.summingOhms;
        const NoiseResult noise = analyseNoise(parts, settings);
        const SimulatedNoise simulated = simulateNoise(design, {settings.opAmp, c.summingOhms, {}}, scratch);
        ASSERT_EQ(simulated.density.size(), static_cast<std::size_t>(kGridPoints)) << c.opAmp;
        for (std::size_t i = 0; i < kGridPoints; ++i)
            EXPECT_NEAR(db(noise.densityNv[i] * 1e-9 / simulated.density[i].values.at(0)), 0, 0.1)
                << c.opAmp << " seed " << c.seed << " at " << gridFrequencies()[i] << " Hz";
        ASSERT_GT(simulated.total, 0) << c.opAmp;
        EXPECT_NEAR(db(noise.totalUv * 1e-6 / simulated.total), 0, 0.1) << c.opAmp << " seed " << c.seed;
    }
}

TEST(Noise, AWeightingFollowsTheStandardCurve) {
    // IEC 61672 table values (dB, rounded to a tenth) at the exact
    // frequencies 10^(k/10) behind the nominal ones.
    const std::pair<int, double> table[] = {{13, -50.5}, {17, -30.2}, {20, -19.1}, {23, -10.9}, {27, -3.2},
                                            {30, 0},     {33, 1.2},   {36, 1.0},   {40, -2.5},  {43, -9.3}};
    for (const auto& [k, expected] : table)
        EXPECT_NEAR(db(aWeighting(std::pow(10.0, k / 10.0))), expected, 0.05) << "10^(" << k << "/10) Hz";
    EXPECT_DOUBLE_EQ(aWeighting(1000), 1);
    EXPECT_NEAR(voltsToDbu(0.7746), 0, 1e-3);
    EXPECT_NEAR(dbuToVolts(voltsToDbu(1.23)), 1.23, 1e-12);
}

TEST(Noise, TotalsAreTheIntegralOfTheDensityToFiveHundredthsOfADecibel) {
    // Random designs, among them narrow, high boosts whose noise peaks fall
    // between grid points.
    for (unsigned seed : {71u, 72u, 73u, 74u}) {
        Design design;
        design.randomise(seed, Parts::Exact);
        if (seed == 74) {
            design.engine->commitEntry(1, Entry::Frequency, "3210");
            design.engine->commitEntry(1, Entry::Q, "20");
            design.engine->commitEntry(1, Entry::Gain, "15");
        }
        const CircuitParts parts = circuitParts(*design.engine);
        for (const char* name : {"NE5532", "Ideal"}) {
            CircuitSettings settings;
            settings.opAmp = *opAmpNamed(name);
            const NoiseResult noise = analyseNoise(parts, settings);
            const double plain = fineIntegral(parts, settings, false), weighted = fineIntegral(parts, settings, true);
            EXPECT_NEAR(db(noise.totalUv * 1e-6 / std::sqrt(plain)), 0, 0.05) << name << " seed " << seed;
            EXPECT_NEAR(db(noise.aWeightedUv * 1e-6 / std::sqrt(weighted)), 0, 0.05) << name << " seed " << seed;
            EXPECT_NEAR(noise.totalDbu, voltsToDbu(noise.totalUv * 1e-6), 1e-9);
            EXPECT_NEAR(noise.aWeightedDbu, voltsToDbu(noise.aWeightedUv * 1e-6), 1e-9);
            // The fast figure for the fit is the same figure.
            EXPECT_NEAR(aWeightedNoiseUv(parts, settings) / noise.aWeightedUv, 1, 1e-12);
            // The density at the grid is the circuit's.
            for (std::size_t i = 0; i < kGridPoints; i += 17)
                EXPECT_NEAR(noise.densityNv[i] * 1e-9, std::sqrt(outputPower(parts, settings, gridFrequencies()[i])),
                            1e-6 * noise.densityNv[i] * 1e-9);
        }
    }
}

TEST(Noise, ContributorsAreNamedByDesignatorAndShareTheWholeLargestFirst) {
    Design design;
    design.randomise(81, Parts::E24);
    CircuitSettings settings;
    settings.opAmp = *opAmpNamed("NE5532");
    const NoiseResult noise = analyseNoise(circuitParts(*design.engine), settings);
    // 12 page and 16 summing resistors, and en and in of each of the eight
    // op-amps (the band-pass op-amps' in counts at their inverting input).
    ASSERT_EQ(noise.contributors.size(), 12u + 16u + 16u);
    std::set<std::string> names;
    double sum = 0;
    for (std::size_t k = 0; k < noise.contributors.size(); ++k) {
        names.insert(noise.contributors[k].part);
        sum += noise.contributors[k].share;
        if (k > 0) {
            EXPECT_GE(noise.contributors[k - 1].share, noise.contributors[k].share);
        }
    }
    EXPECT_NEAR(sum, 1, 1e-12);
    for (const char* name : {"R1", "R12", "R13", "R28", "U1 en", "U1 in", "U8 en", "U8 in"}) EXPECT_TRUE(names.count(name)) << name;

    // Lower summing resistors lower their share; an ideal op-amp has none.
    settings.summingOhms = 1e3;
    const NoiseResult lower = analyseNoise(circuitParts(*design.engine), settings);
    EXPECT_LT(lower.aWeightedUv, noise.aWeightedUv);
    settings.opAmp = idealOpAmp();
    for (const NoiseContributor& c : analyseNoise(circuitParts(*design.engine), settings).contributors)
        EXPECT_EQ(c.part[0], 'R') << c.part;
}
