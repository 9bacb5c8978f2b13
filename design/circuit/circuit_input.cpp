#include "circuit_input.h"

#include "number_text.h"
#include "real48.h"
#include "real_conversion.h"
#include "standard_series.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

namespace tessera {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

template <std::size_t N>
Checked<double> oneOf(std::string_view text, const double (&allowed)[N], const std::string& what) {
    if (const auto v = typedNumber(text))
        for (double a : allowed)
            if (std::fabs(*v - a) < 1e-9) return {a, {}};
    std::string list;
    for (double a : allowed) {
        if (!list.empty()) list += ", ";
        list += roundTripText(a);
    }
    return {std::nullopt, what + " must be one of " + list + " %"};
}

// "The summing resistor (12.5k)": what was typed, shown back in the message.
std::string named(const std::string& what, std::string_view text) {
    return what + " (" + std::string(trimmed(text)) + ")";
}

} // namespace

std::optional<double> typedNumber(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) return std::nullopt;
    try {
        return realValue(text); // "." or one "," as the point
    } catch (const FloatOverflowError&) {
        return std::nullopt;
    }
}

std::optional<long long> typedWholeNumber(std::string_view text) {
    text = trimmed(text);
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end) return std::nullopt;
    return value;
}

Checked<double> checkGbw(std::string_view text) {
    if (trimmed(text).empty()) return {0.0, {}};
    const auto v = typedNumber(text);
    if (v && *v >= kLowestGbw && *v <= kHighestGbw) return {*v, {}};
    return {std::nullopt,
            "The gain-bandwidth must be a number of hertz from 10000 to 1E12 (empty for the ideal op-amp)"};
}

namespace {

// The four figures of a custom op-amp, in the order they are typed, each
// with its range: wide enough for any op-amp made, narrow enough that every
// figure of the noise and headroom stays a finite number.
struct Figure {
    const char* what;
    double OpAmpModel::*value;
    double lowest, highest;
    const char* range; // as the message states it
};
constexpr Figure kCustomFigures[] = {
    {"gain-bandwidth in Hz", &OpAmpModel::gbw, kLowestGbw, kHighestGbw, "10000 to 1E12"},
    {"slew rate in V/us", &OpAmpModel::slewVPerUs, kLowestSlew, kHighestSlew, "0.001 to 1E5"},
    {"voltage noise en in nV/sqrt(Hz)", &OpAmpModel::enNv, kLowestEn, kHighestEn, "0.01 to 1E5"},
    {"current noise in in pA/sqrt(Hz)", &OpAmpModel::inPa, kLowestIn, kHighestIn, "1E-5 to 1E5"},
};

// A bound typed is read through the 48-bit conversion, a remembered one at
// full precision: either reading of it is allowed.
bool allowed(const Figure& f, double v) {
    return v >= std::min(f.lowest, toReal48(f.lowest)) && v <= std::max(f.highest, toReal48(f.highest));
}

std::string figureFault(const Figure& f, std::string_view shown) {
    return std::string("The ") + f.what + " of a custom op-amp must be a number from " + f.range + ", not \"" +
           std::string(shown) + "\"";
}

} // namespace

Checked<OpAmpModel> checkCustomOpAmp(std::string_view gbw, std::string_view slew, std::string_view en,
                                     std::string_view in) {
    const std::string_view texts[] = {gbw, slew, en, in};
    OpAmpModel model = customOpAmp(0, 0, 0, 0);
    for (std::size_t k = 0; k < std::size(kCustomFigures); ++k) {
        const Figure& f = kCustomFigures[k];
        const auto v = typedNumber(texts[k]);
        if (!v || !allowed(f, *v)) return {std::nullopt, figureFault(f, trimmed(texts[k]))};
        model.*f.value = *v;
    }
    return {model, {}};
}

std::optional<std::string> customOpAmpFault(const OpAmpModel& model) {
    for (const Figure& f : kCustomFigures)
        if (!allowed(f, model.*f.value)) return figureFault(f, roundTripText(model.*f.value));
    return std::nullopt;
}

Checked<double> checkResistorTolerance(std::string_view text) {
    return oneOf(text, kResistorTolerances, "The resistor tolerance");
}

Checked<double> checkCapacitorTolerance(std::string_view text) {
    return oneOf(text, kCapacitorTolerances, "The capacitor tolerance");
}

Checked<int> checkTrials(std::string_view text) {
    const auto v = typedWholeNumber(text);
    if (v && *v >= 1 && *v <= kMostTrials) return {static_cast<int>(*v), {}};
    return {std::nullopt, "The number of trials must be a whole number from 1 to 100000"};
}

Checked<unsigned long long> checkSeed(std::string_view text) {
    const auto v = typedWholeNumber(text);
    if (v && *v >= 0) return {static_cast<unsigned long long>(*v), {}};
    return {std::nullopt, "The seed must be a whole number from 0 to 9223372036854775807"};
}

std::optional<TypedBand> typedBand(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto low = typedNumber(text.substr(0, colon));
    const auto high = typedNumber(text.substr(colon + 1));
    if (!low || !high) return std::nullopt;
    return TypedBand{*low, *high};
}

Checked<GridBand> checkBand(std::string_view text) {
    if (const auto typed = typedBand(text)) {
        const GridBand band = gridBand(typed->low, typed->high);
        if (band.count() > 0) return {band, {}};
    }
    return {std::nullopt, "The band must be LOW:HIGH in Hz holding at least one grid frequency (20 to 20000 Hz)"};
}

Checked<OpAmpModel> checkOpAmpName(std::string_view name) {
    if (const auto model = opAmpNamed(trimmed(name))) return {*model, {}};
    return {std::nullopt, "The op-amp \"" + std::string(trimmed(name)) + "\" is not known; known are " +
                              knownOpAmpNames() + " (or Custom with its four figures)"};
}

std::optional<double> typedOhms(std::string_view text) {
    text = trimmed(text);
    double scale = 1;
    if (!text.empty() && (text.back() == 'k' || text.back() == 'K')) scale = 1e3;
    if (!text.empty() && text.back() == 'M') scale = 1e6;
    if (scale != 1) text.remove_suffix(1);
    const auto v = typedNumber(text);
    if (!v || (!text.empty() && (text.back() == ' ' || text.back() == '\t'))) return std::nullopt;
    // The typed conversion is coarser than a double: "4.7k" is 4700 ohms.
    return significantValue(*v * scale, 12);
}

bool allowedSummingOhms(double ohms) {
    for (double allowed : e24Values(kLowestSummingOhms, kHighestSummingOhms))
        if (std::fabs(ohms / allowed - 1) < 1e-9) return true;
    return false;
}

bool allowedResistorRange(const ResistorRange& range) {
    return range.low > 0 && std::isfinite(range.high) && range.low < range.high;
}

bool allowedInputLevel(double dbu) { return dbu >= kLowestInputLevelDbu && dbu <= kHighestInputLevelDbu; }

bool allowedOutputPeak(double volts) { return volts >= kLowestOutputPeakV && volts <= kHighestOutputPeakV; }

Checked<double> checkSummingOhms(std::string_view text) {
    if (const auto v = typedOhms(text))
        for (double allowed : e24Values(kLowestSummingOhms, kHighestSummingOhms))
            if (std::fabs(*v / allowed - 1) < 1e-9) return {allowed, {}};
    return {std::nullopt, named("The summing resistor", text) +
                              " must be an E24 value from 1k to 100k ohms: 1k, 1.1k, 1.2k, 1.3k, 1.5k, 1.6k, 1.8k, 2k, "
                              "2.2k, 2.4k, 2.7k, 3k, 3.3k, 3.6k, 3.9k, 4.3k, 4.7k, 5.1k, 5.6k, 6.2k, 6.8k, 7.5k, "
                              "8.2k, 9.1k, 10k, ... 91k, 100k"};
}

Checked<ResistorRange> checkResistorRange(std::string_view text) {
    const auto colon = text.find(':');
    const std::string allowed = " must be LOW:HIGH in ohms (such as 1k:1M), both positive, LOW below HIGH";
    if (colon != std::string_view::npos) {
        const auto low = typedOhms(text.substr(0, colon)), high = typedOhms(text.substr(colon + 1));
        if (low && high && allowedResistorRange({*low, *high})) return {ResistorRange{*low, *high}, {}};
    }
    return {std::nullopt, named("The resistor range", text) + allowed};
}

Checked<double> checkInputLevel(std::string_view text) {
    if (const auto v = typedNumber(text); v && allowedInputLevel(*v)) return {*v, {}};
    return {std::nullopt, named("The input level", text) + " must be a number of dBu from -60 to 40"};
}

Checked<double> checkOutputPeak(std::string_view text) {
    if (const auto v = typedNumber(text); v && allowedOutputPeak(*v)) return {*v, {}};
    return {std::nullopt, named("The output peak", text) + " must be a number of volts from 0.1 to 100"};
}

} // namespace tessera
