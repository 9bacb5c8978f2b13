#include "circuit_options.h"

#include "circuit_input.h"

#include <array>
#include <cmath>
#include <ostream>

namespace tessera::cli {
namespace {

constexpr std::array<int, 24> kE24 = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                                      33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};

// "10k", "4.7k", "1M", "22000": the ohms, or nullopt.
std::optional<double> ohmsTyped(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    double factor = 1;
    if (!text.empty() && (text.back() == 'k' || text.back() == 'K')) factor = 1e3;
    if (!text.empty() && text.back() == 'M') factor = 1e6;
    if (factor != 1) text.remove_suffix(1);
    const auto number = typedNumber(text);
    if (!number) return std::nullopt;
    return *number * factor;
}

bool isE24(double ohms) {
    if (!(ohms > 0) || !std::isfinite(ohms)) return false;
    const double decade = std::pow(10.0, std::floor(std::log10(ohms)) - 1);
    const double mantissa = ohms / decade;
    for (int v : kE24)
        if (std::fabs(mantissa - v) < 1e-9 * v) return true;
    return false;
}

} // namespace

std::optional<CircuitSettings> circuitSettingsFrom(const Arguments& args, const Command& command,
                                                   std::ostream& err) {
    CircuitSettings settings;
    if (const auto name = args.value(kOpAmpOption)) {
        const auto model = opAmpNamed(*name);
        if (!model) {
            usageError(command, "unknown op-amp \"" + *name + "\"; known: " + knownOpAmpNames(), err);
            return std::nullopt;
        }
        settings.opAmp = *model;
    }
    if (const auto text = args.value(kSummingOption)) {
        const auto ohms = ohmsTyped(*text);
        if (!ohms || !isE24(*ohms) || *ohms < kLowestSummingOhms * (1 - 1e-9) ||
            *ohms > kHighestSummingOhms * (1 + 1e-9)) {
            usageError(command, "--summing-resistors takes an E24 value from 1k to 100k ohms, not \"" + *text + "\"",
                       err);
            return std::nullopt;
        }
        settings.summingOhms = *ohms;
    }
    return settings;
}

std::optional<BoardRequest> boardRequest(const std::vector<std::string>& words, const Command& command,
                                         const std::set<std::string>& switches, std::string_view outputHint,
                                         std::ostream& err) {
    std::string error;
    BoardRequest request;
    request.args = Arguments::parse(words, {{"output", kOpAmpOption, kSummingOption}, switches}, error);
    if (!error.empty()) {
        usageError(command, error, err);
        return std::nullopt;
    }
    if (request.args.positional().size() != 1) {
        usageError(command, "name one configuration file", err);
        return std::nullopt;
    }
    const auto output = request.args.value("output");
    if (!output) {
        usageError(command, "-o " + std::string(outputHint) + " is required", err);
        return std::nullopt;
    }
    const auto settings = circuitSettingsFrom(request.args, command, err);
    if (!settings) return std::nullopt;
    request.configuration = request.args.positional().front();
    request.output = *output;
    request.settings = *settings;
    return request;
}

} // namespace tessera::cli
