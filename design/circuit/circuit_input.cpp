#include "circuit_input.h"

#include "number_text.h"
#include "real48.h"
#include "real_conversion.h"
#include "standard_series.h"
#include "text_lines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

namespace tessera {
namespace {

template <std::size_t N>
Checked<double> oneOf(std::string_view text, const double (&allowed)[N], const Wording& refusal) {
    if (const auto v = typedNumber(text))
        for (double a : allowed)
            if (std::fabs(*v - a) < 1e-9) return {a, {}};
    std::string list;
    for (double a : allowed) {
        if (!list.empty()) list += ", ";
        list += roundTripText(a);
    }
    return {std::nullopt, {refusal, {list}}};
}

// What was typed, shown back in the message.
Message typedBack(const Wording& refusal, std::string_view text) { return {refusal, {std::string(trimmedBlanks(text))}}; }

} // namespace

std::optional<double> typedNumber(std::string_view text) {
    text = trimmedBlanks(text);
    if (text.empty()) return std::nullopt;
    try {
        return realValue(text); // "." or one "," as the point
    } catch (const FloatOverflowError&) {
        return std::nullopt;
    }
}

std::optional<long long> typedWholeNumber(std::string_view text) {
    text = trimmedBlanks(text);
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end) return std::nullopt;
    return value;
}

Checked<double> checkGbw(std::string_view text) {
    if (trimmedBlanks(text).empty()) return {0.0, {}};
    const auto v = typedNumber(text);
    if (v && *v >= kLowestGbw && *v <= kHighestGbw) return {*v, {}};
    return {std::nullopt, {kGbwRange}};
}

namespace {

// The four figures of a custom op-amp, in the order they are typed, each
// with its range: wide enough for any op-amp made, narrow enough that every
// figure of the noise and headroom stays a finite number.
struct Figure {
    double OpAmpModel::*value;
    double lowest, highest;
    const Wording& fault; // names the figure and states its range
};
constexpr Figure kCustomFigures[] = {
    {&OpAmpModel::gbw, kLowestGbw, kHighestGbw, kCustomGbwRange},
    {&OpAmpModel::slewVPerUs, kLowestSlew, kHighestSlew, kCustomSlewRange},
    {&OpAmpModel::enNv, kLowestEn, kHighestEn, kCustomEnRange},
    {&OpAmpModel::inPa, kLowestIn, kHighestIn, kCustomInRange},
};

// A bound typed is read through the 48-bit conversion, a remembered one at
// full precision: either reading of it is allowed.
bool allowed(const Figure& f, double v) {
    return v >= std::min(f.lowest, toReal48(f.lowest)) && v <= std::max(f.highest, toReal48(f.highest));
}

Message figureFault(const Figure& f, std::string_view shown) { return {f.fault, {std::string(shown)}}; }

} // namespace

Checked<OpAmpModel> checkCustomOpAmp(std::string_view gbw, std::string_view slew, std::string_view en,
                                     std::string_view in) {
    const std::string_view texts[] = {gbw, slew, en, in};
    OpAmpModel model = customOpAmp(0, 0, 0, 0);
    for (std::size_t k = 0; k < std::size(kCustomFigures); ++k) {
        const Figure& f = kCustomFigures[k];
        const auto v = typedNumber(texts[k]);
        if (!v || !allowed(f, *v)) return {std::nullopt, figureFault(f, trimmedBlanks(texts[k]))};
        model.*f.value = *v;
    }
    return {model, {}};
}

std::optional<Message> customOpAmpFault(const OpAmpModel& model) {
    for (const Figure& f : kCustomFigures)
        if (!allowed(f, model.*f.value)) return figureFault(f, roundTripText(model.*f.value));
    return std::nullopt;
}

Checked<double> checkResistorTolerance(std::string_view text) {
    return oneOf(text, kResistorTolerances, kResistorToleranceOneOf);
}

Checked<double> checkCapacitorTolerance(std::string_view text) {
    return oneOf(text, kCapacitorTolerances, kCapacitorToleranceOneOf);
}

Checked<int> checkTrials(std::string_view text) {
    const auto v = typedWholeNumber(text);
    if (v && *v >= 1 && *v <= kMostTrials) return {static_cast<int>(*v), {}};
    return {std::nullopt, {kTrialsRange}};
}

Checked<unsigned long long> checkSeed(std::string_view text) {
    const auto v = typedWholeNumber(text);
    if (v && *v >= 0) return {static_cast<unsigned long long>(*v), {}};
    return {std::nullopt, {kSeedRange}};
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
    return {std::nullopt, {kBandForm}};
}

Checked<OpAmpModel> checkOpAmpName(std::string_view name) {
    if (const auto model = opAmpNamed(trimmedBlanks(name))) return {*model, {}};
    return {std::nullopt, {kUnknownOpAmp, {std::string(trimmedBlanks(name)), knownOpAmpNames()}}};
}

std::optional<double> typedOhms(std::string_view text) {
    text = trimmedBlanks(text);
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
    return {std::nullopt, typedBack(kSummingResistorRange, text)};
}

Checked<ResistorRange> checkResistorRange(std::string_view text) {
    const auto colon = text.find(':');
    if (colon != std::string_view::npos) {
        const auto low = typedOhms(text.substr(0, colon)), high = typedOhms(text.substr(colon + 1));
        if (low && high && allowedResistorRange({*low, *high})) return {ResistorRange{*low, *high}, {}};
    }
    return {std::nullopt, typedBack(kResistorRangeForm, text)};
}

Checked<double> checkInputLevel(std::string_view text) {
    if (const auto v = typedNumber(text); v && allowedInputLevel(*v)) return {*v, {}};
    return {std::nullopt, typedBack(kInputLevelRange, text)};
}

Checked<double> checkOutputPeak(std::string_view text) {
    if (const auto v = typedNumber(text); v && allowedOutputPeak(*v)) return {*v, {}};
    return {std::nullopt, typedBack(kOutputPeakRange, text)};
}

} // namespace tessera
