#include "remembered_settings.h"

#include "circuit_input.h"
#include "number_text.h"
#include "real48.h"

#include <cmath>

namespace tessera {
namespace {

namespace key {
constexpr std::string_view opAmp = "opamp";
constexpr std::string_view gbw = "custom_gbw_hz";
constexpr std::string_view slew = "custom_slew_v_per_us";
constexpr std::string_view en = "custom_en_nv";
constexpr std::string_view in = "custom_in_pa";
constexpr std::string_view summing = "summing_ohms";
constexpr std::string_view inputLevel = "input_level_dbu";
constexpr std::string_view outputPeak = "output_peak_v";
constexpr std::string_view lowestResistor = "resistor_low_ohms";
constexpr std::string_view highestResistor = "resistor_high_ohms";
} // namespace key

// The number exactly as written: the shortest round-trip form, read back
// at full precision (a typed number goes through the program's own, coarser
// conversion). Only a number that could have been typed: one beyond the
// conversion's range (1e300, or 1e-300, which typed is 0) is refused, so
// that a remembered figure passes the same checks as a typed one.
std::optional<double> storedNumber(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    const std::optional<double> value = roundTripValue(*text);
    if (!value) return std::nullopt;
    const double magnitude = std::fabs(*value);
    if (!(magnitude < kReal48Limit) || (magnitude != 0 && magnitude < kReal48Smallest)) return std::nullopt;
    return value;
}

bool usableOpAmp(const OpAmpModel& model) {
    if (model.name != kCustomOpAmpName) return opAmpNamed(model.name) == model;
    return !customOpAmpFault(model);
}

} // namespace

std::vector<std::pair<std::string, std::string>> rememberedEntries(const CircuitSettings& s) {
    std::vector<std::pair<std::string, std::string>> entries = {{std::string(key::opAmp), s.opAmp.name}};
    if (s.opAmp.name == kCustomOpAmpName) {
        entries.emplace_back(key::gbw, roundTripText(s.opAmp.gbw));
        entries.emplace_back(key::slew, roundTripText(s.opAmp.slewVPerUs));
        entries.emplace_back(key::en, roundTripText(s.opAmp.enNv));
        entries.emplace_back(key::in, roundTripText(s.opAmp.inPa));
    }
    entries.emplace_back(key::summing, roundTripText(s.summingOhms));
    entries.emplace_back(key::inputLevel, roundTripText(s.inputLevelDbu));
    entries.emplace_back(key::outputPeak, roundTripText(s.outputPeakV));
    entries.emplace_back(key::lowestResistor, roundTripText(s.resistors.low));
    entries.emplace_back(key::highestResistor, roundTripText(s.resistors.high));
    return entries;
}

CircuitSettings rememberedCircuitSettings(const RememberedLookup& lookup) {
    CircuitSettings settings;
    const auto number = [&](std::string_view name) { return storedNumber(lookup(name)); };
    if (const auto name = lookup(key::opAmp)) {
        if (const auto named = opAmpNamed(*name)) {
            settings.opAmp = *named;
        } else if (*name == kCustomOpAmpName) {
            const auto gbw = number(key::gbw), slew = number(key::slew), en = number(key::en), in = number(key::in);
            if (gbw && slew && en && in) {
                const OpAmpModel custom = customOpAmp(*gbw, *slew, *en, *in);
                if (usableOpAmp(custom)) settings.opAmp = custom;
            }
        }
    }
    if (const auto ohms = number(key::summing); ohms && allowedSummingOhms(*ohms)) settings.summingOhms = *ohms;
    if (const auto level = number(key::inputLevel); level && allowedInputLevel(*level)) settings.inputLevelDbu = *level;
    if (const auto peak = number(key::outputPeak); peak && allowedOutputPeak(*peak)) settings.outputPeakV = *peak;
    const auto low = number(key::lowestResistor), high = number(key::highestResistor);
    if (low && high && allowedResistorRange({*low, *high})) settings.resistors = {*low, *high};
    return settings;
}

bool acceptableCircuitSettings(const CircuitSettings& s) {
    return usableOpAmp(s.opAmp) && allowedSummingOhms(s.summingOhms) && allowedInputLevel(s.inputLevelDbu) &&
           allowedOutputPeak(s.outputPeakV) && allowedResistorRange(s.resistors);
}

} // namespace tessera
