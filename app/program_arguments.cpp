#include "program_arguments.h"

#include <algorithm>
#include <array>

namespace tessera {

namespace {

// The toolkit options QApplication reads from the same command line (see
// QGuiApplication and QApplication). They are let through as they are; the
// toolkit takes them out before the program looks at its arguments.
constexpr std::array<std::string_view, 12> kToolkitValued = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "display", "geometry",
    "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "style", "stylesheet"};
constexpr std::array<std::string_view, 2> kToolkitSwitches = {"reverse", "widgetcount"};
// Only these two are also read as "-name=value".
constexpr std::array<std::string_view, 2> kToolkitInline = {"style", "stylesheet"};

constexpr std::string_view kUsage =
    "usage: tessera [OPTIONS] [FILE.tsn]\n"
    "       tessera -h | --help | --version\n"
    "Starts TESSERA, the design program of the four-section active equaliser, and\n"
    "opens the configuration FILE.tsn when one is named.\n"
    "  -h, --help        print this text and exit\n"
    "  --version         print the version and exit\n"
    "  --language de|en  the language of the windows: German or English (otherwise\n"
    "                    the one chosen in the menu, else German where the first set of\n"
    "                    LC_ALL, LC_MESSAGES, LANG starts with \"de\", else English)\n"
    "  --                the next word is the file, even when it starts with \"-\"\n"
    "Options of the Qt toolkit, read by it:\n"
    "  -platform NAME, -platformpluginpath PATH, -platformtheme NAME, -plugin NAME,\n"
    "  -display DISPLAY, -geometry GEOMETRY, -qwindowgeometry GEOMETRY, -qwindowicon FILE,\n"
    "  -qwindowtitle TITLE, -session ID, -style NAME, -stylesheet FILE, -reverse, -widgetcount\n"
    "Exit status 0, or 2 for wrong arguments.\n";

bool isOneOf(std::string_view name, const auto& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

ProgramArguments wrong(std::string message) {
    ProgramArguments result;
    result.action = ProgramArguments::Action::Wrong;
    result.error = std::move(message);
    return result;
}

} // namespace

std::string_view programUsage() { return kUsage; }

ProgramArguments readProgramArguments(const std::vector<std::string>& words) {
    ProgramArguments result;
    bool optionsEnded = false;
    for (std::size_t k = 0; k < words.size(); ++k) {
        const std::string& word = words[k];
        const bool option = !optionsEnded && word.size() > 1 && word[0] == '-';
        if (!option) {
            if (result.file) return wrong("one configuration file at most, not also \"" + word + "\"");
            result.file = word;
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (word == "-h" || word == "--help") {
            result.action = ProgramArguments::Action::Help;
            return result;
        }
        if (word == "--version") {
            result.action = ProgramArguments::Action::Version;
            return result;
        }
        if (word == "--language" || word.starts_with("--language=")) {
            const bool joined = word.size() > 10;
            if (!joined && k + 1 >= words.size()) return wrong("--language needs a value: de or en");
            const std::string code = joined ? word.substr(11) : words[++k];
            result.language = parseLanguageCode(code);
            if (!result.language) return wrong("unknown language \"" + code + "\": de or en");
            continue;
        }
        // The toolkit writes its options with one dash and takes two as well.
        std::string_view name = std::string_view(word).substr(word.compare(0, 2, "--") == 0 ? 2 : 1);
        const auto equals = name.find('=');
        const bool inlineValue = equals != std::string_view::npos;
        if (inlineValue) name = name.substr(0, equals);
        if (isOneOf(name, kToolkitSwitches) && !inlineValue) continue;
        if (isOneOf(name, kToolkitValued)) {
            if (inlineValue && isOneOf(name, kToolkitInline)) continue;
            if (inlineValue) return wrong("unknown option " + word);
            if (k + 1 >= words.size()) return wrong(word + " needs a value");
            ++k;
            continue;
        }
        return wrong("unknown option " + word);
    }
    return result;
}

} // namespace tessera
