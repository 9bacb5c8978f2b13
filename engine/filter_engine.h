#pragma once
// The computing half of the configuration dialog: recomputes resistors,
// realised values and curves, decides every text a page shows, and hands the
// curves to the plot controls. The dialog's widgets only forward events here
// and show the page texts.

#include "design_snapshot.h"
#include "filter_bank_state.h"
#include "page_model.h"
#include "plot_sink.h"

#include <string_view>

namespace tessera {

enum class Series { E12, E24 };

class FilterEngine {
public:
    // `separator` is the regional decimal separator, read once at start.
    FilterEngine(FilterBankState& state, char separator = '.');

    void setPlotSink(PlotSink* sink) { plots_ = sink; }
    void setPageView(PageView* view) { view_ = view; }
    PlotSink* plotSink() const { return plots_; }

    FilterBankState& state() { return state_; }
    const FilterBankState& state() const { return state_; }
    char separator() const { return separator_; }
    const PageTexts& page(int section) const { return pages_[index(section)]; }

    // --- Recomputation ---------------------------------------------------
    // Every section to its defaults (20 kHz, Q 8, A 0, 1 nF, E24) and every
    // curve rebuilt; with `clearImport` the imported response is zeroed too.
    void Reset(bool clearImport);
    // Snap the section's resistors to its series and show what they give.
    void refreshPage(int section);
    // Exact mode: show the section's ideal resistors, disable its steppers.
    void refreshR(int section);
    // Recompute the section's curve and the combined curve, plot it, then
    // the result.
    void refreshFilter(int section);
    // Plot combined curve + imported response; sets the modified flag.
    void refreshresult();
    // Plot the imported response.
    void refreshimport();

    // --- Editing (the page's handlers) ------------------------------------
    // Spin button half: one step of frequency, Q or gain.
    void spin(int section, Entry entry, bool up);
    // Enter in an entry field. Throws FloatOverflowError (nothing changed)
    // for a number too large for the conversion.
    void commitEntry(int section, Entry entry, std::string_view text);
    // Escape in an entry field: the text again from the stored value.
    void revertEntry(int section, Entry entry);
    // An item chosen in the capacitor selector. Throws like commitEntry.
    void selectCapacitor(int section, std::string_view itemText);
    // The E12 or E24 button.
    void selectSeries(int section, Series series);
    // A click on a resistor stepper; false when its position did not change
    // (at either end, or disabled), in which case nothing happens.
    bool stepResistor(int section, Slot slot, bool up);

    // A new design for the section, as a tool computes it: frequency, Q and
    // gain factor, clamped to the entries' ranges. A snapped section snaps
    // again and shows what its parts give; a section in exact mode shows the
    // new values and their ideal resistors.
    void setDesign(int section, double frequency, double q, double gainFactor);

    // The capacitor selector's text as the configuration reader sets it.
    void setCapacitorText(int section, std::string text);

    // --- Undo and redo (design_snapshot.cpp) -------------------------------
    SectionSnapshot sectionSnapshot(int section) const;
    // Whether the section stands as `kept` has it (no copy is made).
    bool sectionIs(int section, const SectionSnapshot& kept) const;
    IdealResistors idealResistors() const;
    // Puts a design back: each section's settings and page texts, the
    // imported response and the working resistors. The curves are computed
    // from them as every edit computes them, so they come back bit for bit.
    // Only the curves and page parts that differ are plotted and shown again,
    // so a typed, uncommitted text in an unchanged field stays on screen.
    // Plots the result and sets the modified flag, as every change does.
    void restoreDesign(const std::array<const SectionSnapshot*, kSectionCount>& sections, const Curve& imported,
                       const IdealResistors& ideal);

private:
    static std::size_t index(int section) { return static_cast<std::size_t>(section - 1); }
    PageTexts& pageOf(int section) { return pages_[index(section)]; }
    void notify(int section, unsigned changes);

    std::string entryText(int section, Entry entry, int precision) const;
    void showRealisedValues(int section);
    void finishExactMode(int section);
    void plotCurve(GraphWindow window, const Curve& values, double lowest, double highest);
    void computeSectionCurve(int section);
    void sumSectionCurves();

    FilterBankState& state_;
    char separator_;
    std::array<PageTexts, kSectionCount> pages_{};
    PlotSink* plots_ = nullptr;
    PageView* view_ = nullptr;
};

} // namespace tessera
