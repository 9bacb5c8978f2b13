// The handlers of a dialog page: spin buttons, typed entries, capacitor
// selector, series buttons and resistor steppers. Steps and comparisons run
// in extended precision; results are stored as doubles.

#include "filter_engine.h"

#include "number_text.h"
#include "real_conversion.h"
#include "section_formulas.h"

#include <algorithm>
#include <cmath>

namespace tessera {
namespace {

constexpr double kMinFrequency = 20, kMaxFrequency = 20000;
constexpr double kMinQ = 0.1, kMaxQ = 8;
constexpr double kMinGainFactor = 0, kMaxGainFactor = 10;

double frequencyStep(double f, bool up) {
    if (up) {
        const long double x = f * 1.1L;
        f = x >= kMaxFrequency ? kMaxFrequency : static_cast<double>(x);
        return f < kMinFrequency ? kMinFrequency : f;
    }
    const long double x = f * 0.9090909090909090909L;
    f = x > kMinFrequency ? static_cast<double>(x) : kMinFrequency;
    return f > kMaxFrequency ? kMaxFrequency : f;
}

double qStep(double q, bool up) {
    if (up) {
        const long double x = q + 0.2L;
        q = x >= kMaxQ ? kMaxQ : static_cast<double>(x);
        return q < kMinQ ? kMinQ : q;
    }
    const long double x = q - 0.2L;
    q = x <= 0.1L ? kMinQ : static_cast<double>(x);
    return q > kMaxQ ? kMaxQ : q;
}

double gainStep(double a, bool up) {
    if (up) {
        const long double x = a * 1.05L;
        a = x >= kMaxGainFactor ? kMaxGainFactor : static_cast<double>(x);
        return a < kMinGainFactor ? kMinGainFactor : a;
    }
    const long double x = a * 0.952380952380952381L;
    a = x > kMinGainFactor ? static_cast<double>(x) : kMinGainFactor;
    return a > kMaxGainFactor ? kMaxGainFactor : a;
}

// A typed gain in dB to the factor A; cut pages take the magnitude.
double gainFactorFromDb(int section, double db) {
    double a = kMaxGainFactor;
    if (db < 100) a = std::pow(10.0, (isBoostSection(section) ? db : std::fabs(db)) / 20) - 1;
    if (a > kMaxGainFactor) a = kMaxGainFactor;
    if (a < kMinGainFactor) a = kMinGainFactor;
    return a;
}

bool outsideEntryRanges(const FilterSection& s) {
    return s.Frequency > kMaxFrequency || s.Frequency < kMinFrequency || s.Q > kMaxQ ||
           s.Q < kMinQ || s.GainFactor > kMaxGainFactor || s.GainFactor < kMinGainFactor;
}

} // namespace

void FilterEngine::finishExactMode(int section) {
    refreshR(section);
    pageOf(section).status.clear();
    notify(section, StatusText);
    FilterSection& s = state_.section(section);
    s.E12Snap = 0;
    s.E24Snap = 0;
    refreshFilter(section);
}

void FilterEngine::spin(int section, Entry entry, bool up) {
    FilterSection& s = state_.section(section);
    switch (entry) {
    case Entry::Frequency:
        s.Frequency = frequencyStep(s.Frequency, up);
        break;
    case Entry::Q:
        s.Q = qStep(s.Q, up);
        break;
    case Entry::Gain:
        s.GainFactor = gainStep(s.GainFactor, up);
        break;
    }
    pageOf(section).entry[static_cast<std::size_t>(entry)] = entryText(section, entry, 5);
    notify(section, entryChange(entry));
    finishExactMode(section);
}

void FilterEngine::commitEntry(int section, Entry entry, std::string_view text) {
    double v = textToReal(text); // may throw before anything changed
    FilterSection& s = state_.section(section);
    switch (entry) {
    case Entry::Frequency:
        if (v > kMaxFrequency) v = kMaxFrequency;
        if (v < kMinFrequency) v = kMinFrequency;
        s.Frequency = v;
        break;
    case Entry::Q:
        if (v > kMaxQ) v = kMaxQ;
        if (v < kMinQ) v = kMinQ;
        s.Q = v;
        break;
    case Entry::Gain:
        s.GainFactor = gainFactorFromDb(section, v);
        break;
    }
    pageOf(section).entry[static_cast<std::size_t>(entry)] = entryText(section, entry, 3);
    notify(section, entryChange(entry));
    finishExactMode(section);
}

void FilterEngine::revertEntry(int section, Entry entry) {
    pageOf(section).entry[static_cast<std::size_t>(entry)] = entryText(section, entry, 3);
    notify(section, entryChange(entry));
}

void FilterEngine::selectCapacitor(int section, std::string_view itemText) {
    const double farads = capacitorTextFarads(itemText); // may throw before anything changed
    FilterSection& s = state_.section(section);
    s.Capacitance = farads;
    s.E24Snap = 1;
    setCapacitorText(section, std::string(itemText));
    refreshPage(section);
}

void FilterEngine::selectSeries(int section, Series series) {
    FilterSection& s = state_.section(section);
    s.E12Snap = series == Series::E12;
    s.E24Snap = series == Series::E24;
    if (s.Frequency > kMaxFrequency) s.Frequency = kMaxFrequency;
    if (s.Q > kMaxQ) s.Q = kMaxQ;
    if (s.GainFactor > kMaxGainFactor) s.GainFactor = kMaxGainFactor;
    if (s.Frequency < kMinFrequency) s.Frequency = kMinFrequency;
    if (s.Q < kMinQ) s.Q = kMinQ;
    if (s.GainFactor < kMinGainFactor) s.GainFactor = kMinGainFactor;
    refreshPage(section);
}

void FilterEngine::setDesign(int section, double frequency, double q, double gainFactor) {
    FilterSection& s = state_.section(section);
    s.Frequency = std::clamp(frequency, kMinFrequency, kMaxFrequency);
    s.Q = std::clamp(q, kMinQ, kMaxQ);
    s.GainFactor = std::clamp(gainFactor, kMinGainFactor, kMaxGainFactor);
    if (pageOf(section).stepper[0].enabled) {
        refreshPage(section);
        return;
    }
    for (Entry e : {Entry::Frequency, Entry::Q, Entry::Gain})
        pageOf(section).entry[static_cast<std::size_t>(e)] = entryText(section, e, 5);
    notify(section, AllEntryTexts);
    finishExactMode(section);
}

bool FilterEngine::stepResistor(int section, Slot slot, bool up) {
    const auto k = static_cast<std::size_t>(slotIndex(slot));
    PageTexts& page = pageOf(section);
    Stepper& stepper = page.stepper[k];
    if (!stepper.enabled) return false;
    const int moved = stepper.position + (up ? stepper.increment : -stepper.increment);
    const int position = std::clamp(moved, Stepper::kMin, Stepper::kMax);
    if (position == stepper.position) return false;
    stepper.position = position;

    FilterSection& s = state_.section(section);
    s.SeriesIndex[k] = position;
    page.resistorLabel[k] = state_.SeriesLabels[static_cast<std::size_t>(position)].c_str();
    realiseFromSeries(state_, section);
    showRealisedValues(section);
    notify(section, Steppers | ResistorLabels | AllEntryTexts);
    refreshFilter(section);
    if (outsideEntryRanges(s)) {
        page.status.clear();
        notify(section, StatusText);
    }
    return true;
}

} // namespace tessera
