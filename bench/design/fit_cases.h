#pragma once
// Generated measurements for the fit's benchmarks: the inverse of a random
// buildable design (two boost and two cut sections, f 40 Hz - 15 kHz, Q 0.5 -
// 6, gains up to 10 dB, E24 parts, any of the thirteen capacitors) applied to
// a flat response at a random level, plus 0.2 dB of Gaussian noise.

#include "filter_engine.h"
#include "number_text.h"
#include "section_formulas.h"
#include "standard_series.h"

#include <cmath>
#include <memory>
#include <random>

namespace tessera::bench {

// A bank in its start-up state holding the measurement `seed` as its import.
inline std::unique_ptr<FilterBankState> generatedMeasurement(unsigned seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto logUniform = [&](double low, double high) { return low * std::pow(high / low, unit(random)); };

    auto truth = std::make_unique<FilterBankState>();
    E24Init(*truth);
    FilterEngine design(*truth);
    design.Reset(true);
    for (int s = 1; s <= kSectionCount; ++s) {
        for (;;) {
            const double f = logUniform(40, 15000), q = logUniform(0.5, 6), gainDb = 10 * unit(random);
            const auto item = static_cast<std::size_t>(unit(random) * kCapacitorItems.size());
            design.selectCapacitor(s, kCapacitorItems[std::min<std::size_t>(item, kCapacitorItems.size() - 1)]);
            design.commitEntry(s, Entry::Frequency, generalText(f, 12, '.'));
            design.commitEntry(s, Entry::Q, generalText(q, 12, '.'));
            design.commitEntry(s, Entry::Gain, generalText(gainDb, 12, '.'));
            design.selectSeries(s, Series::E24);
            const FilterSection& r = truth->section(s);
            const bool reachable = r.SeriesIndex[0] <= 100 && r.SeriesIndex[1] <= 100 && r.SeriesIndex[2] <= 100;
            if (reachable && r.Frequency >= 40 && r.Frequency <= 15000 && r.Q >= 0.5 && r.Q <= 6 &&
                20 * std::log10(1 + r.GainFactor) <= 10)
                break;
        }
    }
    std::normal_distribution<double> noise(0.0, 0.2);
    const double level = -10 + 20 * unit(random);

    auto measured = std::make_unique<FilterBankState>();
    E24Init(*measured);
    FilterEngine start(*measured);
    start.Reset(true);
    for (std::size_t i = 0; i < kGridPoints; ++i)
        measured->ImportedResponse[i] = level - truth->CombinedCurve[i] + noise(random);
    measured->Modified = 0;
    return measured;
}

} // namespace tessera::bench
