#include "headroom.h"

#include "circuit_response.h"
#include "frequency_grid.h"
#include "noise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tessera {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// The gain of each op-amp output over the equaliser's input at omega, U1 ...
// U8; and the whole chain's.
std::array<ComplexD, 2 * kSectionCount> outputGains(const CircuitParts& parts, const CircuitSettings& settings,
                                                    double omega, ComplexD& chain) {
    std::array<ComplexD, 2 * kSectionCount> gains;
    chain = 1;
    for (int s = 1; s <= kSectionCount; ++s) {
        const SectionResponse r =
            sectionResponse(parts[static_cast<std::size_t>(s - 1)], s, settings.summingOhms, settings.opAmp, omega);
        gains[static_cast<std::size_t>(2 * s - 2)] = chain * r.bandPassGain;
        chain *= r.sectionGain;
        gains[static_cast<std::size_t>(2 * s - 1)] = chain;
    }
    return gains;
}

} // namespace

const char* stageName(Stage stage) { return stage == Stage::BandPass ? "band-pass" : "summing"; }

HeadroomResult analyseHeadroom(const CircuitParts& parts, const CircuitSettings& settings) {
    HeadroomResult result;
    const auto& grid = gridFrequencies();
    ComplexD chain;
    for (std::size_t k = 0; k < result.stages.size(); ++k) {
        result.stages[k].section = static_cast<int>(k / 2) + 1;
        result.stages[k].stage = k % 2 == 0 ? Stage::BandPass : Stage::Summing;
    }
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        const auto gains = outputGains(parts, settings, kTwoPi * grid[i], chain);
        for (std::size_t k = 0; k < gains.size(); ++k) result.stages[k].gainDb[i] = 20 * std::log10(std::abs(gains[k]));
    }

    const double inputPeak = std::sqrt(2.0) * dbuToVolts(settings.inputLevelDbu);
    double leastHeadroom = HUGE_VAL;
    for (std::size_t k = 0; k < result.stages.size(); ++k) {
        StageHeadroom& st = result.stages[k];
        const auto largest = std::max_element(st.gainDb.begin(), st.gainDb.end());
        st.largestGainDb = *largest;
        st.largestGainPoint = static_cast<int>(largest - st.gainDb.begin());
        st.headroomDb = 20 * std::log10(settings.outputPeakV / inputPeak) - st.largestGainDb;
        if (st.headroomDb < leastHeadroom) {
            leastHeadroom = st.headroomDb;
            result.clipsFirst = static_cast<int>(k);
        }
    }
    result.largestInputDbu = settings.inputLevelDbu + leastHeadroom;

    // The fastest swing each output makes at the largest clean input level.
    const double largestPeak = std::sqrt(2.0) * dbuToVolts(result.largestInputDbu);
    for (StageHeadroom& st : result.stages) {
        double fastest = 0; // V/s
        for (std::size_t i = 0; i < kGridPoints; ++i)
            fastest = std::max(fastest, kTwoPi * grid[i] * largestPeak * std::pow(10, st.gainDb[i] / 20));
        st.slewNeededVPerUs = fastest * 1e-6;
        if (settings.opAmp.slewVPerUs > 0) st.slewMarginDb = 20 * std::log10(settings.opAmp.slewVPerUs / st.slewNeededVPerUs);
    }

    outputGains(parts, settings, kTwoPi * 1000, chain);
    result.gainAtOneKilohertzDb = 20 * std::log10(std::abs(chain));
    return result;
}

double dynamicRangeDb(const HeadroomResult& headroom, double aWeightedNoiseDbu) {
    return headroom.largestInputDbu + headroom.gainAtOneKilohertzDb - aWeightedNoiseDbu;
}

} // namespace tessera
