// Taking a section's state and putting a whole design back (undo and redo).

#include "design_snapshot.h"

#include "filter_engine.h"

namespace tessera {
namespace {

SectionSettings settingsOf(const FilterSection& s) {
    return {s.Frequency, s.Q, s.GainFactor, s.Capacitance, s.SeriesIndex, s.E12Snap, s.E24Snap};
}

void applySettings(FilterSection& s, const SectionSettings& kept) {
    s.Frequency = kept.Frequency;
    s.Q = kept.Q;
    s.GainFactor = kept.GainFactor;
    s.Capacitance = kept.Capacitance;
    s.SeriesIndex = kept.SeriesIndex;
    s.E12Snap = kept.E12Snap;
    s.E24Snap = kept.E24Snap;
}

} // namespace

unsigned pageDifferences(const PageTexts& a, const PageTexts& b) {
    unsigned changes = 0;
    for (Entry e : {Entry::Frequency, Entry::Q, Entry::Gain})
        if (a.entryText(e) != b.entryText(e)) changes |= entryChange(e);
    if (a.resistorLabel != b.resistorLabel) changes |= ResistorLabels;
    if (a.stepper != b.stepper) changes |= Steppers;
    if (a.status != b.status) changes |= StatusText;
    if (a.capacitor != b.capacitor) changes |= CapacitorText;
    return changes;
}

SectionSnapshot FilterEngine::sectionSnapshot(int section) const {
    return {settingsOf(state_.section(section)), page(section)};
}

bool FilterEngine::sectionIs(int section, const SectionSnapshot& kept) const {
    return settingsOf(state_.section(section)) == kept.settings && page(section) == kept.page;
}

IdealResistors FilterEngine::idealResistors() const { return {state_.IdealR1, state_.IdealR2, state_.IdealR3}; }

void FilterEngine::restoreDesign(const std::array<const SectionSnapshot*, kSectionCount>& sections,
                                 const Curve& imported, const IdealResistors& ideal) {
    std::array<unsigned, kSectionCount> changes{};
    for (int s = 1; s <= kSectionCount; ++s) {
        const SectionSnapshot& kept = *sections[index(s)];
        FilterSection& section = state_.section(s);
        const bool curveChanges = !settingsOf(section).sameCurve(kept.settings);
        applySettings(section, kept.settings);
        changes[index(s)] = pageDifferences(page(s), kept.page);
        pageOf(s) = kept.page;
        if (curveChanges) computeSectionCurve(s);
    }
    sumSectionCurves();
    if (state_.ImportedResponse != imported) {
        state_.ImportedResponse = imported;
        refreshimport();
    }
    state_.IdealR1 = ideal[0];
    state_.IdealR2 = ideal[1];
    state_.IdealR3 = ideal[2];
    refreshresult();
    for (int s = 1; s <= kSectionCount; ++s) notify(s, changes[index(s)]);
}

} // namespace tessera
