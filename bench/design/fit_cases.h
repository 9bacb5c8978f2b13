#pragma once
// Generated measurements for the fit's benchmarks: the inverse of a random
// buildable design (two boost and two cut sections, f 40 Hz - 15 kHz, Q 0.5 -
// 6, gains up to 10 dB, E24 parts, any of the thirteen capacitors) applied to
// a flat response at a random level, plus 0.2 dB of Gaussian noise.

#include "filter_engine.h"
#include "fit_types.h"
#include "frequency_grid.h"
#include "number_text.h"
#include "section_formulas.h"
#include "standard_series.h"

#include <cmath>
#include <memory>
#include <random>
#include <vector>

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

namespace detail {

// A bank in its start-up state with `response` as its import.
inline std::unique_ptr<FilterBankState> withImport(const Curve& response) {
    auto measured = std::make_unique<FilterBankState>();
    E24Init(*measured);
    FilterEngine start(*measured);
    start.Reset(true);
    measured->ImportedResponse = response;
    measured->Modified = 0;
    return measured;
}

// A resonance of `gainDb` at f0 with quality q, in dB (negative gains dip).
inline double resonanceDb(double f, double f0, double q, double gainDb) {
    const double w = f / f0, u = 1 - w * w, v = w / q;
    const double lift = std::pow(10.0, std::fabs(gainDb) / 20);
    const double db = 10 * std::log10((u * u + lift * lift * v * v) / (u * u + v * v));
    return gainDb < 0 ? -db : db;
}

} // namespace detail

// A headphone-like response: a bass shelf that falls off below the
// driver's resonance, the broad rise of the ear canal near 3 kHz, a dip and
// narrow peaks between 5 and 10 kHz, the treble roll-off, and 0.2 dB of
// noise. Fitted over a limited band (see headphoneSettings).
inline std::unique_ptr<FilterBankState> headphoneMeasurement(unsigned seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto between = [&](double low, double high) { return low + (high - low) * unit(random); };
    const auto logBetween = [&](double low, double high) { return low * std::pow(high / low, unit(random)); };
    std::normal_distribution<double> noise(0.0, 0.2);
    const double shelf = between(2, 6), shelfCorner = logBetween(80, 250), bassRollOff = logBetween(15, 40);
    const double earF = logBetween(2200, 3800), earQ = between(0.8, 1.6), earDb = between(5, 10);
    const double dipF = logBetween(4500, 6500), dipQ = between(2, 5), dipDb = -between(3, 8);
    const double peakF = logBetween(7000, 11000), peakQ = between(3, 8), peakDb = between(3, 7);
    const double trebleCorner = logBetween(11000, 16000);
    const double level = between(-10, 10);
    Curve response{};
    const auto& grid = gridFrequencies();
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        const double f = grid[i];
        double db = level + shelf / (1 + std::pow(f / shelfCorner, 2)) - 10 * std::log10(1 + std::pow(bassRollOff / f, 4));
        db += detail::resonanceDb(f, earF, earQ, earDb) + detail::resonanceDb(f, dipF, dipQ, dipDb) +
              detail::resonanceDb(f, peakF, peakQ, peakDb);
        db -= 10 * std::log10(1 + std::pow(f / trebleCorner, 6));
        response[i] = db + noise(random);
    }
    return detail::withImport(response);
}

// Over 40 Hz to 10 kHz, where the headphone is corrected; up to 9 dB boost.
inline FitSettings headphoneSettings() {
    FitSettings settings;
    settings.bandLow = 40;
    settings.bandHigh = 10000;
    settings.maxBoostDb = 9;
    return settings;
}

// Room modes: three to four peaks of 4 to 12 dB (Q 2 to 8) between 30 Hz
// and 400 Hz and a broad peak higher up, no dips, on a random level with
// 0.2 dB of noise: a correction that needs only cuts.
inline std::unique_ptr<FilterBankState> cutsOnlyMeasurement(unsigned seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto between = [&](double low, double high) { return low + (high - low) * unit(random); };
    const auto logBetween = [&](double low, double high) { return low * std::pow(high / low, unit(random)); };
    std::normal_distribution<double> noise(0.0, 0.2);
    const int modes = unit(random) < 0.5 ? 3 : 4;
    struct Peak {
        double f, q, db;
    };
    std::vector<Peak> peaks;
    for (int k = 0; k < modes; ++k) peaks.push_back({logBetween(30, 400), between(2, 8), between(4, 12)});
    peaks.push_back({logBetween(800, 8000), between(0.7, 2), between(2, 6)});
    const double level = between(-10, 10);
    Curve response{};
    const auto& grid = gridFrequencies();
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        double db = level;
        for (const Peak& p : peaks) db += detail::resonanceDb(grid[i], p.f, p.q, p.db);
        response[i] = db + noise(random);
    }
    return detail::withImport(response);
}

// The whole band with E12 parts.
inline FitSettings cutsOnlySettings() {
    FitSettings settings;
    settings.series = Series::E12;
    return settings;
}

// The quality benchmark's cases in order: 200 generated measurements (over
// the whole band with up to 12 dB boost), 40 headphone-like and 40 cuts-only.
inline constexpr int kGeneratedCases = 200, kHeadphoneCases = 40, kCutsOnlyCases = 40;
inline constexpr int kFitCases = kGeneratedCases + kHeadphoneCases + kCutsOnlyCases;

struct FitCase {
    const char* kind;
    std::unique_ptr<FilterBankState> measured;
    FitSettings settings;
};

inline FitCase fitCase(int index) {
    if (index < kGeneratedCases) {
        FitSettings settings;
        settings.maxBoostDb = 12;
        return {"generated", generatedMeasurement(static_cast<unsigned>(1000 + index)), settings};
    }
    index -= kGeneratedCases;
    if (index < kHeadphoneCases)
        return {"headphone", headphoneMeasurement(static_cast<unsigned>(5000 + index)), headphoneSettings()};
    index -= kHeadphoneCases;
    return {"cuts-only", cutsOnlyMeasurement(static_cast<unsigned>(7000 + index)), cutsOnlySettings()};
}

} // namespace tessera::bench
