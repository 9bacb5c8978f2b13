#include "filter_engine.h"

#include "frequency_grid.h"
#include "number_text.h"
#include "section_formulas.h"
#include "section_response.h"
#include "standard_series.h"

#include <algorithm>

namespace tessera {

FilterEngine::FilterEngine(FilterBankState& state, char separator)
    : state_(state), separator_(separator) {}

void FilterEngine::notify(int section, unsigned changes) {
    if (view_ != nullptr && changes != 0) view_->pageChanged(section, changes);
}

std::string FilterEngine::entryText(int section, Entry entry, int precision) const {
    const FilterSection& s = state_.section(section);
    switch (entry) {
    case Entry::Frequency:
        return fixedText(s.Frequency, 5, 0, separator_);
    case Entry::Q:
        return fixedText(s.Q, precision, 2, separator_);
    case Entry::Gain:
        return fixedText(shownGainDb(section, s.GainFactor), precision, 2, separator_);
    }
    return {};
}

void FilterEngine::showRealisedValues(int section) {
    PageTexts& page = pageOf(section);
    for (Entry e : {Entry::Frequency, Entry::Q, Entry::Gain})
        page.entry[static_cast<std::size_t>(e)] = entryText(section, e, 5);
}

void FilterEngine::Reset(bool clearImport) {
    for (int s = 1; s <= kSectionCount; ++s) {
        FilterSection& section = state_.section(s);
        section.Frequency = 20000;
        section.Q = 8;
        section.GainFactor = 0;
        section.Capacitance = 1e-9;
        pageOf(s).capacitor = kCapacitorItems[0];
        notify(s, CapacitorText);
    }
    for (FilterSection& section : state_.sections) section.E24Snap = 1;
    if (clearImport) {
        state_.ImportedResponse.fill(0);
        refreshimport();
    }
    state_.CombinedCurve.fill(0);
    for (FilterSection& section : state_.sections) section.SectionCurve.fill(0);
    for (int s = 1; s <= kSectionCount; ++s) refreshPage(s);
}

void FilterEngine::refreshPage(int section) {
    FilterSection& s = state_.section(section);
    PageTexts& page = pageOf(section);
    unsigned changes = AllEntryTexts | ResistorLabels | Steppers;

    RBerechnen(state_, s.Capacitance, s.Frequency, s.Q, s.GainFactor);
    const std::array<double, 3> ideal = {state_.IdealR1, state_.IdealR2, state_.IdealR3};
    for (std::size_t k = 0; k < 3; ++k) {
        std::optional<std::string> status;
        s.SeriesIndex[k] = EReihenIndex(state_, section, ideal[k], status);
        if (status) {
            page.status = *status;
            changes |= StatusText;
        }
    }
    for (std::size_t k = 0; k < 3; ++k) {
        Stepper& stepper = page.stepper[k];
        stepper.position = std::clamp<int>(s.SeriesIndex[k], Stepper::kMin, Stepper::kMax);
        stepper.enabled = true;
        stepper.increment = s.E12Snap ? 2 : 1;
        page.resistorLabel[k] = state_.SeriesLabels[static_cast<std::size_t>(s.SeriesIndex[k])].c_str();
    }
    realiseFromSeries(state_, section);
    showRealisedValues(section);
    notify(section, changes);
    refreshFilter(section);
}

void FilterEngine::refreshR(int section) {
    const FilterSection& s = state_.section(section);
    PageTexts& page = pageOf(section);
    for (Stepper& stepper : page.stepper) stepper.enabled = false;
    RBerechnen(state_, s.Capacitance, s.Frequency, s.Q, s.GainFactor);
    const std::array<double, 3> ideal = {state_.IdealR1, state_.IdealR2, state_.IdealR3};
    for (std::size_t k = 0; k < 3; ++k) page.resistorLabel[k] = idealResistorText(ideal[k], separator_);
    notify(section, ResistorLabels | Steppers);
}

void FilterEngine::plotCurve(GraphWindow window, const Curve& values, double lowest, double highest) {
    PlotData block = PlotData::forRows(2, kGridPoints);
    block.setSampleRate(48000);
    block.setXRange(20.0, 20000.0);
    block.setYRange(lowest, highest);
    const auto& grid = gridFrequencies();
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        block.setValue(i, grid[i]);
        block.setValue(kGridPoints + i, values[i]);
    }
    if (plots_ != nullptr) plots_->setData(window, block);
}

void FilterEngine::refreshFilter(int section) {
    computeSectionCurve(section);
    sumSectionCurves();
    refreshresult();
}

void FilterEngine::computeSectionCurve(int section) {
    FilterSection& s = state_.section(section);
    s.SectionCurve = sectionCurveDb(s.Frequency, s.Q, s.GainFactor, isBoostSection(section));
    double lowest = 0, highest = 0; // the section plots always include 0 dB
    for (double y : s.SectionCurve) {
        lowest = std::min(lowest, y);
        highest = std::max(highest, y);
    }
    plotCurve(sectionWindow(section), s.SectionCurve, lowest, highest);
}

// Added up afresh, in section order, rather than kept as a running sum: the
// same design then always has the very same combined curve, however it was
// reached, which is what lets undo and redo bring the curves back bit for
// bit. After a reset or a load (all curves zero, then the sections in order)
// the two ways give the same bits.
void FilterEngine::sumSectionCurves() {
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        double total = 0;
        for (const FilterSection& s : state_.sections) total = total + s.SectionCurve[i];
        state_.CombinedCurve[i] = total;
    }
}

void FilterEngine::refreshresult() {
    Curve result;
    for (std::size_t i = 0; i < kGridPoints; ++i)
        result[i] = state_.CombinedCurve[i] + state_.ImportedResponse[i];
    const auto [lowest, highest] = std::minmax_element(result.begin(), result.end());
    plotCurve(GraphWindow::Result, result, *lowest, *highest);
    state_.Modified = 1;
}

void FilterEngine::refreshimport() {
    const Curve& imported = state_.ImportedResponse;
    const auto [lowest, highest] = std::minmax_element(imported.begin(), imported.end());
    plotCurve(GraphWindow::Import, imported, *lowest, *highest);
}

void FilterEngine::setCapacitorText(int section, std::string text) {
    pageOf(section).capacitor = std::move(text);
    notify(section, CapacitorText);
}

} // namespace tessera
