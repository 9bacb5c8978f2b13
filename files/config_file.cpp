#include "config_file.h"

#include "file_reading.h"
#include "number_text.h"
#include "real_conversion.h"
#include "safe_save.h"
#include "section_formulas.h"
#include "text_lines.h"

#include <array>

namespace tessera {
namespace {

constexpr int kImportKeyLine = 35; // index of "Import: "; the response follows
constexpr int sectionLine(int section, int offset) { return offset + 8 * (section - 1); }
constexpr int kFrequencyOffset = 4, kQOffset = 6, kGainOffset = 8, kCapacitorOffset = 10;

// Everything a configuration file sets, collected before anything changes.
struct Configuration {
    struct Section {
        double frequency = 0, q = 0, gainFactor = 0, capacitance = 0;
        std::string capacitorText;
    };
    std::array<Section, kSectionCount> sections;
    Curve imported{};
};

// The capacitor line without its unit (the last three characters), in farads,
// scaled as the capacitor selector scales its items.
double capacitanceOf(std::string_view line) {
    const std::string_view number = line.size() >= 3 ? line.substr(0, line.size() - 3) : line;
    return nanofaradsToFarads(converttsnstr(number));
}

Configuration parse(const std::array<std::string_view, kConfigurationLines>& lines) {
    Configuration c;
    for (int s = 1; s <= kSectionCount; ++s) {
        auto& section = c.sections[static_cast<std::size_t>(s - 1)];
        const auto line = [&](int offset) { return lines[static_cast<std::size_t>(sectionLine(s, offset))]; };
        section.frequency = converttsnstr(line(kFrequencyOffset));
        section.q = converttsnstr(line(kQOffset));
        section.gainFactor = converttsnstr(line(kGainOffset));
        section.capacitance = capacitanceOf(line(kCapacitorOffset));
        section.capacitorText = std::string(line(kCapacitorOffset));
    }
    for (std::size_t i = 0; i < kGridPoints; ++i) c.imported[i] = converttsnstr(lines[kImportKeyLine + 1 + i]);
    return c;
}

void apply(FilterEngine& engine, const Configuration& c) {
    FilterBankState& state = engine.state();
    for (int s = 1; s <= kSectionCount; ++s) {
        const auto& loaded = c.sections[static_cast<std::size_t>(s - 1)];
        FilterSection& section = state.section(s);
        section.Frequency = loaded.frequency;
        section.Q = loaded.q;
        section.GainFactor = loaded.gainFactor;
        section.Capacitance = loaded.capacitance;
        engine.setCapacitorText(s, loaded.capacitorText);
    }
    // All five curves start from zero; the page refreshes rebuild them.
    state.ImportedResponse = c.imported;
    state.CombinedCurve.fill(0);
    for (FilterSection& section : state.sections) section.SectionCurve.fill(0);
    engine.refreshimport();
    for (int s = 1; s <= kSectionCount; ++s) engine.refreshPage(s);
    state.Modified = 0;
}

// A name with a line break (possible on some systems) would shift every
// following line and the positional reader would load wrong values.
std::string singleLine(std::string_view name) {
    std::string text(name);
    for (char& c : text)
        if (c == '\r' || c == '\n' || c == '\0') c = '?';
    return text;
}

} // namespace

double converttsnstr(std::string_view text) {
    // Refused as a number too large is: such a file was not written by a save.
    if (namesNonFinite(text)) throw FloatOverflowError();
    return textToReal(text, "0");
}

std::string configurationText(const FilterEngine& engine, std::string_view fileName, char separator) {
    std::string text;
    text.reserve(16 * 1024);
    const auto line = [&text](std::string_view content) {
        text += content;
        text += "\r\n";
    };
    const auto number = [&](double value) { line(exponentText15(value, separator)); };

    line("\"TSN\"");
    text += "\"File: \"";
    line(singleLine(fileName));
    line("\"Filter - Configuration: \"");
    for (int s = 1; s <= kSectionCount; ++s) {
        const FilterSection& section = engine.state().section(s);
        const std::string n = std::to_string(s);
        line("\"f" + n + ": \"");
        number(section.Frequency);
        line("\"Q" + n + ": \"");
        number(section.Q);
        line("\"A" + n + ": \"");
        number(section.GainFactor);
        line("\"C" + n + ": \"");
        line(engine.page(s).capacitor);
    }
    line("\"Import: \"");
    for (double value : engine.state().ImportedResponse) number(value);
    return text;
}

FileOutcome Speichern(FilterEngine& engine, const std::string& fileName, char separator) {
    if (!replaceFile(fileName, configurationText(engine, fileName, separator)))
        return FileOutcome::refusal(messages::cannotCreate(fileName));
    engine.state().Modified = 0;
    return FileOutcome::success();
}

FileOutcome loadConfigurationLines(FilterEngine& engine, LineSource& source, const std::string& fileName) {
    // Kept, since a line lasts only until the next one is read; the size
    // limit of the file bounds them.
    std::array<std::string, kConfigurationLines> kept;
    std::array<std::string_view, kConfigurationLines> lines;
    std::string_view line;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (!source.next(line)) return FileOutcome::refusal(messages::configurationIncomplete(fileName));
        kept[i] = line;
        lines[i] = kept[i];
    }

    Configuration configuration;
    try {
        configuration = parse(lines);
    } catch (const FloatOverflowError&) {
        return FileOutcome::refusal(messages::configurationNumberTooLarge(fileName));
    }
    apply(engine, configuration);
    return FileOutcome::success("Import");
}

FileOutcome loadConfigurationText(FilterEngine& engine, std::string_view text, const std::string& fileName) {
    return readTextWith(engine, text, fileName, loadConfigurationLines);
}

FileOutcome LoadTSN(FilterEngine& engine, const std::string& fileName, ReadProgress* progress) {
    if (!endsWith3(fileName, "tsn")) return FileOutcome::passedOver();
    return readFileWith(engine, fileName, loadConfigurationLines,
                        {.largestFile = kLargestConfigurationFile, .progress = progress});
}

} // namespace tessera
