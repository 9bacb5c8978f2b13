#include "command_line.h"

#include "circuit_input.h"
#include "cli_messages.h"
#include "program_version.h"
#include "real_conversion.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <ostream>
#include <system_error>

namespace tessera::cli {

Arguments Arguments::parse(const std::vector<std::string>& words, const Grammar& grammar, Message& error) {
    Arguments a;
    error = {};
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "-o") {
            if (!grammar.valued.count("output")) {
                error = {kUnknownShortOutput};
                return a;
            }
            if (i + 1 >= words.size()) {
                error = {kOutputNeedsName};
                return a;
            }
            a.values_["output"] = words[++i];
            continue;
        }
        if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
            if (word.size() > 1 && word[0] == '-' && !parseNumber(word)) {
                error = {kUnknownOption, {word}};
                return a;
            }
            a.positional_.push_back(word);
            continue;
        }
        std::string name = word.substr(2);
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        if (grammar.switches.count(name)) {
            if (inlineValue) {
                error = {kOptionTakesNoValue, {name}};
                return a;
            }
            a.switches_.insert(name);
        } else if (grammar.valued.count(name)) {
            if (!inlineValue) {
                if (i + 1 >= words.size()) {
                    error = {kOptionNeedsValue, {name}};
                    return a;
                }
                inlineValue = words[++i];
            }
            a.values_[name] = *inlineValue;
        } else {
            error = {kUnknownLongOption, {name}};
            return a;
        }
    }
    return a;
}

std::optional<std::string> Arguments::value(const std::string& name) const {
    const auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

std::optional<double> parseNumber(std::string_view text) { return typedNumber(text); }

std::optional<long long> parseWholeNumber(std::string_view text) { return typedWholeNumber(text); }

const Command& command(std::string_view name) {
    for (const Command& c : commands())
        if (c.name == name) return c;
    return commands().front();
}

std::optional<Message> outputOverInput(const std::string& output,
                                       const std::vector<std::optional<std::string>>& inputs) {
    for (const auto& input : inputs) {
        std::error_code error;
        if (input && std::filesystem::equivalent(output, *input, error))
            return Message{kOutputOverInput, {output, *input}};
    }
    return std::nullopt;
}

int usageError(const Command& command, const Message& message, Language language, std::ostream& err) {
    err << "tessera-design " << command.name << ": " << message.text(language) << "\n" << command.usage;
    return kUsageError;
}

namespace {

void programHelp(std::ostream& stream) {
    stream << "usage: tessera-design [--language de|en] COMMAND [ARGUMENTS]\n"
              "       tessera-design COMMAND --help\n"
              "       tessera-design -h | --help | --version\n\n"
              "Designs the four-section TESSERA equaliser without its windows.\n\ncommands:\n";
    for (const Command& c : commands()) stream << "  " << c.name << std::string(12 - std::min<std::size_t>(c.name.size(), 11), ' ') << c.summary << "\n";
    stream << "\nExit status of every command: 0 on success, 1 for a file that cannot be read or\n"
              "written or work that is refused, 2 for a usage error.\n\n"
              "Messages are in German where the first set of LC_ALL, LC_MESSAGES and LANG starts\n"
              "with \"de\", in English otherwise; --language de|en, before or after the command,\n"
              "chooses instead.\n";
}

// Takes every "--language CODE" and "--language=CODE" out of the words after
// the program's name; the last one counts. An empty value stands for a
// missing one.
std::optional<std::string> takeLanguageOption(std::vector<std::string>& argv) {
    std::optional<std::string> code;
    for (std::size_t i = 1; i < argv.size();) {
        if (argv[i] == "--language") {
            code = i + 1 < argv.size() ? argv[i + 1] : std::string();
            argv.erase(argv.begin() + static_cast<std::ptrdiff_t>(i),
                       argv.begin() + static_cast<std::ptrdiff_t>(std::min(i + 2, argv.size())));
        } else if (argv[i].starts_with("--language=")) {
            code = argv[i].substr(11);
            argv.erase(argv.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    return code;
}

} // namespace

int run(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
    return run(argv, languageFromEnvironment(), out, err);
}

int run(const std::vector<std::string>& givenArgv, Language language, std::ostream& out, std::ostream& err) {
    std::vector<std::string> argv = givenArgv;
    if (const auto code = takeLanguageOption(argv)) {
        const auto chosen = parseLanguageCode(*code);
        if (!chosen) {
            err << (code->empty() ? render(kLanguageNeedsValue, language) : render(kUnknownLanguage, language, {*code}))
                << "\n";
            programHelp(err);
            return kUsageError;
        }
        language = *chosen;
    }
    if (argv.size() < 2) {
        programHelp(err);
        return kUsageError;
    }
    const std::string& name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        programHelp(out);
        return kSuccess;
    }
    if (name == "--version") {
        out << kVersionLine << "\n";
        return kSuccess;
    }
    for (const Command& c : commands()) {
        if (c.name != name) continue;
        const std::vector<std::string> words(argv.begin() + 2, argv.end());
        for (const std::string& word : words)
            if (word == "--help" || word == "-h") {
                out << c.usage;
                return kSuccess;
            }
        return c.run(words, language, out, err);
    }
    err << render(kUnknownCommand, language, {name}) << "\n";
    programHelp(err);
    return kUsageError;
}

void printTable(std::ostream& out, const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> width;
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (width.size() <= c) width.push_back(0);
            width[c] = std::max(width[c], row[c].size());
        }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size()) line += std::string(width[c] - row[c].size() + 2, ' ');
        }
        out << line << "\n";
    }
}

int runProgram(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
    return runProgram(argv, languageFromEnvironment(), out, err);
}

int runProgram(const std::vector<std::string>& argv, Language language, std::ostream& out, std::ostream& err) {
    try {
        return run(argv, language, out, err);
    } catch (const FloatOverflowError&) {
        err << "tessera-design: " << render(kNumberTooLarge, language) << "\n";
    } catch (const std::exception& e) {
        err << "tessera-design: " << e.what() << "\n";
    }
    return kFileError;
}

} // namespace tessera::cli
