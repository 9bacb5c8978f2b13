#include "circuit_options.h"

#include "circuit_input.h"

#include <ostream>

namespace tessera::cli {
namespace {

// The custom op-amp of --gbw [--slew --en --in]; nullopt with `error` set
// when the figures are refused, nullopt alone when none is given.
std::optional<OpAmpModel> customFrom(const Arguments& args, GbwAlone gbwAlone, Message& error) {
    const auto gbw = args.value(kGbwOption), slew = args.value(kSlewOption), en = args.value(kEnOption),
               in = args.value(kInOption);
    if (!gbw && !slew && !en && !in) return std::nullopt;
    if (!slew && !en && !in && gbwAlone == GbwAlone::SinglePole) {
        const Checked<double> checked = checkGbw(*gbw);
        if (!checked.ok() || *checked.value <= 0) {
            error = {kBadGbw};
            return std::nullopt;
        }
        return customOpAmp(*checked.value, 0, 0, 0);
    }
    if (!gbw || !slew || !en || !in) {
        error = {kCustomNeedsAllFour};
        return std::nullopt;
    }
    const Checked<OpAmpModel> custom = checkCustomOpAmp(*gbw, *slew, *en, *in);
    if (!custom.ok()) error = custom.message;
    return custom.value;
}

// Each option, when given, through its check into its setting.
template <typename Check, typename Setting>
void take(const Arguments& args, const char* option, Check check, Setting& setting, Message& error) {
    const auto text = args.value(option);
    if (!error.empty() || !text) return;
    const auto checked = check(*text);
    if (checked.ok())
        setting = *checked.value;
    else
        error = checked.message;
}

} // namespace

std::optional<CircuitSettings> circuitSettingsFrom(const Arguments& args, const Command& command, Language language,
                                                   std::ostream& err, GbwAlone gbwAlone) {
    CircuitSettings settings;
    Message error;
    const auto custom = customFrom(args, gbwAlone, error);
    if (custom && args.value(kOpAmpOption)) error = {kOpAmpNamedAndFigures};
    if (custom) settings.opAmp = *custom;
    take(args, kOpAmpOption, checkOpAmpName, settings.opAmp, error);
    take(args, kSummingOption, checkSummingOhms, settings.summingOhms, error);
    take(args, kInputLevelOption, checkInputLevel, settings.inputLevelDbu, error);
    take(args, kOutputPeakOption, checkOutputPeak, settings.outputPeakV, error);
    if (error.empty()) return settings;
    usageError(command, error, language, err);
    return std::nullopt;
}

std::optional<BoardRequest> boardRequest(const std::vector<std::string>& words, const Command& command,
                                         const std::set<std::string>& switches, std::string_view outputHint,
                                         Language language, std::ostream& err) {
    Message error;
    BoardRequest request;
    request.args = Arguments::parse(words, {{"output", kOpAmpOption, kSummingOption}, switches}, error);
    if (!error.empty()) {
        usageError(command, error, language, err);
        return std::nullopt;
    }
    if (request.args.positional().size() != 1) {
        usageError(command, {kNameOneConfiguration}, language, err);
        return std::nullopt;
    }
    const auto output = request.args.value("output");
    if (!output) {
        usageError(command, {kOutputRequired, {std::string(outputHint)}}, language, err);
        return std::nullopt;
    }
    if (const auto clash = outputOverInput(*output, {request.args.positional().front()})) {
        usageError(command, *clash, language, err);
        return std::nullopt;
    }
    const auto settings = circuitSettingsFrom(request.args, command, language, err);
    if (!settings) return std::nullopt;
    request.configuration = request.args.positional().front();
    request.output = *output;
    request.settings = *settings;
    return request;
}

} // namespace tessera::cli
