#pragma once
// The broad benchmark's cases: measurements of many kinds drawn from a seed,
// each fitted with one of the option variants a user may choose. A case is
// (kind, variant, seed); the same triple always gives the same measurement
// and settings, so a fixed set can keep its references as data while a
// fresh set is drawn with a new seed at every run.

#include "fit_cases.h"

#include <array>
#include <cmath>
#include <random>
#include <string>

namespace tessera::bench {

enum class Kind { Speaker, Room, Headphone, CutsOnly, BoostsOnly, Rough, Smooth, Notches, Shelving };
inline constexpr std::array<const char*, 9> kKindNames{"speaker", "room",   "headphone", "cuts-only", "boosts-only",
                                                       "rough",   "smooth", "notches",   "shelving"};

enum class Variant { Plain, Band, MaxBoost3, MaxBoost20, E12, Tilt, KeepCapacitors, Subset, Target, Smoothing, Resistors };
inline constexpr std::array<const char*, 11> kVariantNames{
    "plain", "band", "max-boost-3", "max-boost-20", "E12", "tilt", "keep-capacitors", "sections", "target", "smoothing", "resistors"};

namespace detail {

struct Draw {
    std::mt19937_64 random;
    std::uniform_real_distribution<double> unit{0.0, 1.0};
    explicit Draw(unsigned long long seed) : random(seed) {}
    double between(double low, double high) { return low + (high - low) * unit(random); }
    double logBetween(double low, double high) { return low * std::pow(high / low, unit(random)); }
    int count(int low, int high) { return low + static_cast<int>(unit(random) * (high - low + 1) * 0.999999); }
};

// A high-pass (negative order) or low-pass roll-off of the given order in dB.
inline double rollOffDb(double f, double corner, int order) {
    return -10 * std::log10(1 + std::pow(order < 0 ? corner / f : f / corner, 2 * std::abs(order)));
}

// A first-order shelf of `gainDb` below (low) or above the corner.
inline double shelfDb(double f, double corner, double gainDb, bool low) {
    const double x = low ? f / corner : corner / f;
    return gainDb / (1 + x * x);
}

inline Curve kindCurve(Kind kind, Draw& d) {
    const auto& grid = gridFrequencies();
    Curve curve{};
    std::normal_distribution<double> noise(0.0, kind == Kind::Rough ? 0.5 : kind == Kind::Smooth ? 0.02 : 0.2);
    const double level = d.between(-10, 10);
    struct Resonance {
        double f, q, db;
    };
    std::vector<Resonance> resonances;
    double lowCorner = 0, highCorner = 0, shelfLow = 0, shelfHigh = 0, shelfLowF = 0, shelfHighF = 0, tilt = 0;
    int lowOrder = 2, highOrder = 2;
    switch (kind) {
    case Kind::Speaker: // bass roll-off, baffle step, crossover dip, break-up peaks, treble roll-off
        lowCorner = d.logBetween(40, 90);
        shelfLow = -d.between(2, 5), shelfLowF = d.logBetween(250, 700);
        resonances.push_back({d.logBetween(1500, 3500), d.between(1, 3), -d.between(2, 6)});
        for (int k = d.count(2, 4); k > 0; --k) resonances.push_back({d.logBetween(500, 12000), d.between(2, 8), d.between(-3, 3)});
        highCorner = d.logBetween(14000, 19000);
        break;
    case Kind::Room: // modes below 300 Hz, a gentle fall above
        for (int k = d.count(3, 6); k > 0; --k)
            resonances.push_back({d.logBetween(25, 300), d.between(3, 10), d.between(-12, 12)});
        tilt = -d.between(0, 3);
        break;
    case Kind::Headphone: return headphoneMeasurement(static_cast<unsigned>(d.random()))->ImportedResponse;
    case Kind::CutsOnly: return cutsOnlyMeasurement(static_cast<unsigned>(d.random()))->ImportedResponse;
    case Kind::BoostsOnly: // dips to fill
        for (int k = d.count(2, 4); k > 0; --k) resonances.push_back({d.logBetween(40, 12000), d.between(0.7, 5), -d.between(2, 9)});
        break;
    case Kind::Rough:
        for (int k = d.count(8, 14); k > 0; --k) resonances.push_back({d.logBetween(30, 16000), d.between(1, 10), d.between(-3, 3)});
        break;
    case Kind::Smooth:
        for (int k = d.count(2, 3); k > 0; --k) resonances.push_back({d.logBetween(60, 8000), d.between(0.4, 1.2), d.between(-4, 4)});
        break;
    case Kind::Notches: // deep narrow dips and a few narrow peaks
        for (int k = d.count(2, 3); k > 0; --k) resonances.push_back({d.logBetween(60, 12000), d.between(8, 20), -d.between(8, 20)});
        for (int k = d.count(1, 2); k > 0; --k) resonances.push_back({d.logBetween(60, 12000), d.between(4, 10), d.between(3, 8)});
        break;
    case Kind::Shelving:
        shelfLow = d.between(-6, 6), shelfLowF = d.logBetween(80, 400);
        shelfHigh = d.between(-6, 6), shelfHighF = d.logBetween(2000, 8000);
        tilt = d.between(-3, 3);
        break;
    }
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        const double f = grid[i];
        double db = level + tilt * std::log10(f / 1000);
        if (lowCorner > 0) db += rollOffDb(f, lowCorner, -lowOrder);
        if (highCorner > 0) db += rollOffDb(f, highCorner, highOrder);
        if (shelfLowF > 0) db += shelfDb(f, shelfLowF, shelfLow, true);
        if (shelfHighF > 0) db += shelfDb(f, shelfHighF, shelfHigh, false);
        for (const Resonance& r : resonances) db += detail::resonanceDb(f, r.f, r.q, r.db);
        curve[i] = db + noise(d.random);
    }
    return curve;
}

// A smooth target: a bass shelf and a gentle fall in the treble.
inline TargetCurve targetCurve(Draw& d) {
    TargetCurve target;
    target.name = "target.frd";
    const double shelf = d.between(2, 6), corner = d.logBetween(80, 200), fall = d.between(1, 3);
    const auto& grid = gridFrequencies();
    for (std::size_t i = 0; i < kGridPoints; ++i)
        target.values[i] = shelfDb(grid[i], corner, shelf, true) - fall * std::max(0.0, std::log2(grid[i] / 1000)) / 4;
    target.lowHz = grid.front();
    target.highHz = grid.back();
    return target;
}

inline void applyVariant(Variant variant, Draw& d, FitSettings& settings) {
    switch (variant) {
    case Variant::Plain: break;
    case Variant::Band:
        settings.bandLow = d.logBetween(30, 100);
        settings.bandHigh = d.logBetween(6000, 16000);
        break;
    case Variant::MaxBoost3: settings.maxBoostDb = 3; break;
    case Variant::MaxBoost20: settings.maxBoostDb = 20; break;
    case Variant::E12: settings.series = Series::E12; break;
    case Variant::Tilt: settings.tiltDbPerDecade = -d.between(1, 4); break;
    case Variant::KeepCapacitors: settings.chooseCapacitors = false; break;
    case Variant::Subset: {
        const int drop = d.count(0, 3);
        settings.sections[static_cast<std::size_t>(drop)] = false;
        if (d.unit(d.random) < 0.5) settings.sections[static_cast<std::size_t>((drop + 2) % 4)] = false;
        break;
    }
    case Variant::Target: settings.target = targetCurve(d); break;
    case Variant::Smoothing: settings.smoothing = d.unit(d.random) < 0.5 ? 6 : 3; break;
    case Variant::Resistors: settings.circuit.resistors = {d.logBetween(2200, 10000), d.logBetween(47000, 330000)}; break;
    }
}

} // namespace detail

struct BroadCase {
    Kind kind;
    std::vector<Variant> variants;
    unsigned long long seed;
};

inline std::string caseName(const BroadCase& c) {
    std::string name = kKindNames[static_cast<std::size_t>(c.kind)];
    for (Variant v : c.variants) name += std::string("+") + kVariantNames[static_cast<std::size_t>(v)];
    return name + " #" + std::to_string(c.seed);
}

// The measurement (in a start-up bank) and the settings of a case.
inline FitCase broadCase(const BroadCase& c) {
    detail::Draw d(c.seed * 1000003ULL + static_cast<unsigned long long>(c.kind) * 101ULL);
    const Curve curve = detail::kindCurve(c.kind, d);
    FitSettings settings;
    for (Variant v : c.variants) detail::applyVariant(v, d, settings);
    return {kKindNames[static_cast<std::size_t>(c.kind)], detail::withImport(curve), settings};
}

// The fixed set: every kind with every variant alone for seeds 1 and 2,
// then the cases found that the fit handled badly.
inline std::vector<BroadCase> fixedBroadCases() {
    std::vector<BroadCase> cases;
    for (unsigned long long seed : {1ULL, 2ULL})
        for (std::size_t k = 0; k < kKindNames.size(); ++k)
            for (std::size_t v = 0; v < kVariantNames.size(); ++v)
                cases.push_back({static_cast<Kind>(k), {static_cast<Variant>(v)}, seed});
    // Found by fresh runs: options together, and cases the fit handled badly.
    cases.push_back({Kind::CutsOnly, {Variant::MaxBoost3, Variant::E12}, 3});
    cases.push_back({Kind::Speaker, {Variant::Tilt, Variant::Band, Variant::E12}, 3});
    cases.push_back({Kind::Notches, {Variant::KeepCapacitors, Variant::MaxBoost20}, 3});
    cases.push_back({Kind::Room, {Variant::Resistors, Variant::E12, Variant::MaxBoost3}, 3});
    cases.push_back({Kind::Headphone, {Variant::Smoothing, Variant::Band, Variant::KeepCapacitors}, 958243050});
    cases.push_back({Kind::Room, {Variant::Target}, 958243054});
    return cases;
}

// A fresh case: a kind and one to three variants drawn from `seed`.
inline BroadCase freshBroadCase(unsigned long long seed) {
    detail::Draw d(seed);
    BroadCase c{static_cast<Kind>(d.count(0, static_cast<int>(kKindNames.size()) - 1)), {}, seed};
    for (int n = d.count(1, 3); n > 0; --n) {
        const auto v = static_cast<Variant>(d.count(0, static_cast<int>(kVariantNames.size()) - 1));
        if (std::find(c.variants.begin(), c.variants.end(), v) == c.variants.end()) c.variants.push_back(v);
    }
    return c;
}

} // namespace tessera::bench
