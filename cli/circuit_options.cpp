#include "circuit_options.h"

#include "circuit_input.h"

#include <ostream>

namespace tessera::cli {

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
        // The one rule of the dialogs and the remembered settings; "4.7k" is exactly 4700.
        const Checked<double> ohms = checkSummingOhms(*text);
        if (!ohms.ok()) {
            usageError(command, "--summing-resistors takes an E24 value from 1k to 100k ohms, not \"" + *text + "\"",
                       err);
            return std::nullopt;
        }
        settings.summingOhms = *ohms.value;
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
