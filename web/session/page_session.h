#pragma once
// The web page's document: the filter bank as the desktop's configuration
// dialog and frame window hold it, driven by the page's controls. Every
// decision (what an entry becomes, what a file holds, what a refusal says)
// is the core's; the page only shows the texts and curves this gives it.
// Plain C++: the tests drive it natively, the page through WebAssembly.

#include "circuit_curves.h"
#include "circuit_settings.h"
#include "edit_history.h"
#include "filter_bank_state.h"
#include "filter_engine.h"
#include "messages.h"
#include "fit_form.h"
#include "plot_sink.h"
#include "tolerance.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessera::web {

// The page speaks English: the language the core's messages are told in.
inline constexpr Language kPageLanguage = Language::English;

// The folder in which the module runs a command (runCommand).
inline constexpr std::string_view kCommandFolder = "/tessera-run";

// A measurement larger than this is refused before it is read: the page
// holds a file in memory while it reads it.
inline constexpr std::uint64_t kLargestImportBytes = 100ull * 1024 * 1024;
std::string importTooLargeMessage(const std::string& name);

// What a file dropped on the page does, by its name: "open" (.tsn),
// "import" (a measurement Import reads) or "none".
std::string dropAction(const std::string& name);

// A measurement read by the Import command's readers, off the document (in
// the page's worker, so that a large file does not hold up the page).
struct MeasurementReading {
    bool done = false;
    std::string message; // the refusal when not done
    std::string caption; // the Import window's caption when done
    Curve values{};
};
MeasurementReading readMeasurement(std::string_view name, std::string_view bytes);

// The newest block each graph window was handed, extra curves included.
class LatestBlocks : public PlotSink {
public:
    void setData(GraphWindow window, const PlotData& block) override {
        blocks_[static_cast<std::size_t>(window)] = block;
    }
    const std::optional<PlotData>& block(GraphWindow window) const { return blocks_[static_cast<std::size_t>(window)]; }

private:
    std::array<std::optional<PlotData>, kGraphWindowNames.size()> blocks_;
};

class PageSession {
public:
    PageSession();

    // Everything the page shows but the curves, as one JSON object: per
    // section its entry texts, capacitor, resistor rows (designator and
    // value, in the page's order), status line and whether it shows "err";
    // the undo and redo steps, the modified flag and the file's name.
    std::string viewJson() const;
    // A graph window's main curve, dB on the grid.
    Curve curve(GraphWindow window) const;
    // The window's further curves as the desktop draws them: with a real
    // op-amp chosen the response with it (sections and Result), and the
    // bounds of the last tolerance run on the Result while its parts stand.
    std::vector<std::pair<CurveKind, Curve>> extraCurves(GraphWindow window) const;
    // Changes with every edit, undo, open and import: a fit or tolerance run
    // belongs to the revision it was made from.
    std::uint64_t revision() const { return revision_; }

    // --- The sections' controls; a refusal's message, or empty ----------
    std::string commitEntry(int section, Entry entry, std::string_view text);
    void revertEntry(int section, Entry entry);
    // A spin button's click, or Arrow Up/Down in the field.
    void spin(int section, Entry entry, bool up);
    // A key or button held down: its repeats are one step.
    void beginHold() { history_.beginGroup(); }
    void endHold() { history_.endGroup(); }
    std::string selectCapacitor(int section, const std::string& item);
    void selectSeries(int section, Series series);
    void stepResistor(int section, Slot slot, bool up);
    bool undo();
    bool redo();

    // --- Files -------------------------------------------------------
    // File → Open of the bytes of a file named `name`; a refusal's message.
    std::string open(std::string_view name, std::string_view bytes);
    // File → Save: the configuration's bytes under `name` (as a command's
    // -o NAME writes them), which marks the design saved.
    std::string save(std::string_view name);
    // The same bytes without marking anything (for the page's storage and link).
    std::string configuration() const;
    // File → Import of the bytes of `name`; a refusal's message.
    std::string import(std::string_view name, std::string_view bytes);
    // A measurement read elsewhere (readMeasurement) taken in as Import does.
    void takeImport(const MeasurementReading& reading);
    // The window's curve as an FRD file.
    std::string frd(GraphWindow window) const;

    // --- Fit -----------------------------------------------------------
    // The design as the fit reads it, exactly, for a fit run elsewhere.
    std::vector<double> fitInput() const;
    // The fit's Apply with the parts of a fit's `applyData`; a message when
    // the sections changed since the fit's revision.
    std::string applyFit(const std::vector<double>& applyData, std::uint64_t fitRevision);
    // The fit panel's preview before a fit: Result, measurement (smoothed as
    // the form asks) and target, as JSON curves; or {"message": ...}.
    std::string fitPreview(const FitForm& form) const;

    // --- Circuit settings and tools --------------------------------------
    const CircuitSettings& circuit() const { return circuit_; }
    // The settings as the program remembers them (key, text), as JSON.
    std::string circuitJson() const;
    // Remembered entries read back; unreadable ones give their default.
    void restoreCircuit(const std::vector<std::pair<std::string, std::string>>& entries);
    // A catalogue op-amp by name, or "Custom" with its four figures.
    std::string setOpAmp(const std::string& name, const std::string& gbw, const std::string& slew,
                         const std::string& en, const std::string& in);
    std::string setSumming(const std::string& ohms);
    std::string setResistorRange(const std::string& range);
    std::string setInputLevel(const std::string& dbu);
    std::string setOutputPeak(const std::string& volts);

    // JSON objects with "message" when refused, else the tool's figures.
    std::string noise() const;
    // The parts as the pages show them, for a tolerance run elsewhere
    // (runToleranceOf).
    std::vector<double> toleranceInput() const;
    // The bounds of a run over `input` onto the Result (extraCurves) while
    // the parts are still those; false, and nothing shown, once they are not.
    bool takeToleranceBounds(const std::vector<double>& input, const Curve& lowest, const Curve& highest);
    // The file texts, or empty with `refusal` set.
    std::string schematicSvg() const;
    std::string schematicPdf() const;
    std::string partsList(std::string& refusal) const;
    std::string netlist(std::string& refusal) const;

private:
    void changed();
    void recordStep(const std::string& name);

    std::unique_ptr<FilterBankState> state_;
    FilterEngine engine_;
    EditHistory history_;
    LatestBlocks blocks_;
    CircuitCurves curves_;
    CircuitSettings circuit_;
    std::string fileName_;
    std::string importCaption_ = "Import";
    std::uint64_t revision_ = 0;
};

// The Tolerances panel's entries: percentages, trials, seed and the band
// as "LOW:HIGH" in Hz.
struct ToleranceForm {
    std::string resistorPercent, capacitorPercent, trials, seed, band;
};

// The tolerance run of a toleranceInput() with the op-amp: {"message"} when
// refused (empty when `progress` cancelled it), else the report as the
// command prints it and the lowest and highest combined curves.
std::string runToleranceOf(const std::vector<double>& input, const ToleranceForm& form, const OpAmpModel& opAmp,
                           const ToleranceProgress& progress = {});

// A target curve file for the fit panel, read as `fit --target` reads it;
// nullopt with `message` set when refused.
std::optional<TargetCurve> readTarget(std::string_view name, std::string_view bytes, std::string& message);

// The fit of a fitInput() with a fit panel's form and the circuit settings:
// {"message"} when refused, else the texts the panel shows, the preview
// curves and "apply" (the data PageSession::applyFit takes). `progress`
// receives 0..1.
std::string runFit(const std::vector<double>& input, const FitForm& form, const CircuitSettings& circuit,
                   const std::function<void(double)>& progress);

// runFit in two halves around the fit itself, for a fit the page's workers
// share (which waits for their messages inside fitSections): the state and
// settings, or the refusal's JSON; then the JSON of the fit's outcome.
struct PreparedFit {
    std::unique_ptr<FilterBankState> state;
    FitSettings settings;
};
std::optional<std::string> prepareFit(const std::vector<double>& input, const FitForm& form,
                                      const CircuitSettings& circuit, PreparedFit& fit);
std::string fitJson(const PreparedFit& fit, const FitOutcome& outcome);

// Runs a fit of the usual effort and throws its result away. WebAssembly's engines start
// a module in a quick baseline code and optimise a function for its later
// calls only: the page's worker calls this when it starts, so that the
// user's first fit runs in optimised code (about twice as fast).
void warmUpFit();

} // namespace tessera::web
