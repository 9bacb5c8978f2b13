#include "report_layout.h"

#include "designators.h"
#include "frequency_grid.h"
#include "number_text.h"
#include "section_formulas.h"
#include "section_response.h"

#include <QCoreApplication>

#include <algorithm>

namespace tessera {

namespace {

constexpr int kOverviewRows = 6;
// Rows 0 .. 25 of the text block, plus the two line heights above its first line.
constexpr int kTextBlockLines = 26 + 2;

// The report's words in the windows' language, with %1, %2 … given.
std::string reportText(const char* source, std::initializer_list<std::string> values = {}) {
    QString text = QCoreApplication::translate("Report", source);
    for (const std::string& value : values) text = text.arg(QString::fromStdString(value));
    return text.toStdString();
}

std::string designator(int section, Slot slot) {
    std::string text = " ";
    text += resistorDesignator(section, slot);
    text += ": ";
    return text;
}

} // namespace

std::string reportFrequencyLine(const FilterBankState& state, int section, char separator) {
    const FilterSection& s = state.section(section);
    return reportText(QT_TRANSLATE_NOOP("Report", "Frequency: %1;  Q-Factor: %2;  Gain: %3; "),
                      {fixedText(s.Frequency, 5, 0, separator), fixedText(s.Q, 3, 2, separator),
                       fixedText(shownGainDb(section, s.GainFactor), 3, 2, separator)});
}

std::string reportPartsLine(const PageTexts& page, int section) {
    const auto label = [&](Slot slot) { return page.resistorLabel[static_cast<std::size_t>(slotIndex(slot))]; };
    return reportText(QT_TRANSLATE_NOOP("Report", "Capacitor: %1; "), {page.capacitor}) + designator(section, Slot::R2) + label(Slot::R2) + "; " +
           designator(section, Slot::R3) + label(Slot::R3) + "; " + designator(section, Slot::R1) + label(Slot::R1) +
           "; ";
}

std::vector<ReportLine> reportTextLines(const FilterEngine& engine, std::string_view fileName) {
    std::vector<ReportLine> lines;
    lines.push_back({0, reportText(QT_TRANSLATE_NOOP("Report", "Configuration: %1"), {std::string(fileName)})});
    lines.push_back({1, std::string(53, '-')});
    lines.push_back({3, "Filter1:"});
    for (int s = 1; s <= kSectionCount; ++s) {
        const int row = 5 + 6 * (s - 1);
        lines.push_back({row, reportFrequencyLine(engine.state(), s, engine.separator())});
        lines.push_back({row + 1, reportPartsLine(engine.page(s), s)});
        lines.push_back({row + 2, engine.page(s).status});
        if (s < kSectionCount) lines.push_back({row + 4, "Filter" + std::to_string(s + 1) + ":"});
    }
    return lines;
}

ReportPlacement reportPlacement(int pageWidth, int pageHeight, int lineHeight) {
    const int third = pageHeight / 3;
    return {
        {0, 0, pageWidth, third},
        {0, third, pageWidth, third},
        2 * lineHeight + 2 * third,
        lineHeight,
    };
}

int maxReportLineHeight(int pageHeight) {
    return (pageHeight - 2 * (pageHeight / 3)) / kTextBlockLines;
}

PlotData filterOverviewBlock(const FilterBankState& state) {
    PlotData block = PlotData::forRows(kOverviewRows, kGridPoints);
    block.setSampleRate(48000);
    block.setAux(0);
    block.setXRange(20, 20000);
    const auto at = [](int row, std::size_t i) { return static_cast<std::size_t>(row) * kGridPoints + i; };

    const auto& grid = gridFrequencies();
    for (std::size_t i = 0; i < kGridPoints; ++i) block.setValue(at(0, i), grid[i]);

    // Each section afresh from its values, as its own window's curve is made.
    for (int s = 1; s <= kSectionCount; ++s) {
        const FilterSection& section = state.section(s);
        const Curve curve =
            sectionCurveDb(section.Frequency, section.Q, section.GainFactor, isBoostSection(s));
        for (std::size_t i = 0; i < kGridPoints; ++i) block.setValue(at(s + 1, i), curve[i]);
    }
    double yMin = 0, yMax = 0;
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        double sum = 0;
        for (int row = 2; row < kOverviewRows; ++row) sum += block.value(at(row, i));
        block.setValue(at(1, i), sum);
        for (int row = 1; row < kOverviewRows; ++row) {
            yMin = std::min(yMin, block.value(at(row, i)));
            yMax = std::max(yMax, block.value(at(row, i)));
        }
    }
    block.setYRange(yMin, yMax);
    return block;
}

} // namespace tessera
