#include "page_session.h"

#include "board_parts.h"
#include "checked_entry.h"
#include "circuit_reports.h"
#include "config_file.h"
#include "design_session.h"
#include "designators.h"
#include "file_messages.h"
#include "frd_export.h"
#include "json_text.h"
#include "measurement_import.h"
#include "netlist.h"
#include "noise_view.h"
#include "number_text.h"
#include "parts_list.h"
#include "real_conversion.h"
#include "remembered_settings.h"
#include "schematic.h"
#include "schematic_files.h"
#include "scratch_file.h"
#include "section_parts.h"
#include "standard_series.h"
#include "text_lines.h"
#include "tolerance.h"

#include <algorithm>

namespace tessera::web {

using cli::JsonObject;
using cli::jsonArray;
using cli::jsonBool;
using cli::jsonNumbers;
using cli::jsonString;

std::string importTooLargeMessage(const std::string& name) {
    return Message(kMeasurementTooLarge, {plainFileName(name), "100 MB"}).text(kPageLanguage);
}

std::string dropAction(const std::string& name) {
    if (endsWith3(name, "tsn")) return "open";
    if (isMeasurementName(name)) return "import";
    return "none";
}

namespace {

std::string notRead(const FileOutcome& outcome, const std::string& name, const Wording& notExpected) {
    if (outcome.refused()) return outcome.message.text(kPageLanguage);
    return render(notExpected, kPageLanguage, {name});
}

std::string refusal(std::string_view message) { return JsonObject().add("message", jsonString(message)).text(); }

} // namespace

MeasurementReading readMeasurement(std::string_view name, std::string_view bytes) {
    MeasurementReading reading;
    if (bytes.size() > kLargestImportBytes) {
        reading.message = importTooLargeMessage(std::string(name));
        return reading;
    }
    ScratchFolder scratch;
    const std::string plain = scratch.put(name, bytes);
    FilterBankState state;
    E24Init(state);
    FilterEngine engine(state, '.');
    const FileOutcome outcome = importMeasurement(engine, plain);
    if (!outcome.done()) {
        reading.message = notRead(outcome, plain, cli::kNotMeasurementExpected);
        return reading;
    }
    reading.done = true;
    reading.caption = outcome.importCaption;
    reading.values = state.ImportedResponse;
    return reading;
}

PageSession::PageSession()
    : state_(std::make_unique<FilterBankState>()), engine_(*state_, '.'), history_(engine_),
      curves_(engine_, blocks_) {
    engine_.setPlotSink(&curves_);
    // The desktop's start-up sections.
    E24Init(*state_);
    engine_.Reset(true);
    state_->Modified = 0;
    history_.restart();
}

void PageSession::changed() { ++revision_; }

void PageSession::recordStep(const std::string& name) {
    history_.record(name);
    changed();
}

std::string PageSession::viewJson() const {
    std::vector<std::string> sections;
    for (int s = 1; s <= kSectionCount; ++s) {
        const PageTexts& page = engine_.page(s);
        std::vector<std::string> rows;
        bool err = false;
        // The page's rows from top to bottom: feedback, shunt, input.
        for (Slot slot : {Slot::R2, Slot::R3, Slot::R1}) {
            const auto k = static_cast<std::size_t>(slotIndex(slot));
            err = err || page.resistorLabel[k] == "err";
            rows.push_back(JsonObject()
                               .add("designator", jsonString(resistorDesignator(s, slot)))
                               .add("slot", static_cast<double>(k))
                               .add("value", jsonString(page.resistorLabel[k]))
                               .add("stepper", jsonBool(page.stepper[k].enabled))
                               .text());
        }
        std::vector<std::string> entries;
        for (const std::string& text : page.entry) entries.push_back(jsonString(text));
        sections.push_back(JsonObject()
                               .add("name", jsonString(graphWindowText(sectionWindow(s))))
                               .add("entries", jsonArray(entries))
                               .add("capacitor", jsonString(page.capacitor))
                               .add("resistors", jsonArray(rows))
                               .add("status", jsonString(page.status))
                               .add("err", jsonBool(err))
                               .text());
    }
    std::vector<std::string> capacitors;
    for (const char* item : kCapacitorItems) capacitors.push_back(jsonString(item));
    return JsonObject()
        .add("sections", jsonArray(sections))
        .add("capacitors", jsonArray(capacitors))
        .add("undo", jsonString(history_.canUndo() ? history_.undoName() : ""))
        .add("redo", jsonString(history_.canRedo() ? history_.redoName() : ""))
        .add("modified", jsonBool(state_->Modified != 0))
        .add("file", jsonString(fileName_))
        .add("importCaption", jsonString(importCaption_))
        .add("revision", static_cast<double>(revision_))
        .text();
}

Curve PageSession::curve(GraphWindow window) const { return windowCurve(*state_, window); }

std::vector<std::pair<CurveKind, Curve>> PageSession::extraCurves(GraphWindow window) const {
    std::vector<std::pair<CurveKind, Curve>> extra;
    const std::optional<PlotData>& block = blocks_.block(window);
    if (!block || block->count() != kGridPoints) return extra;
    for (int row = 2; row < block->rows(); ++row) {
        Curve values{};
        for (std::size_t i = 0; i < kGridPoints; ++i) values[i] = block->value(static_cast<std::size_t>(row) * kGridPoints + i);
        extra.emplace_back(block->rowKind(row), values);
    }
    return extra;
}

std::string PageSession::commitEntry(int section, Entry entry, std::string_view text) {
    try {
        engine_.commitEntry(section, entry, text);
    } catch (const FloatOverflowError&) {
        return render(kNumberTooLarge, kPageLanguage);
    }
    recordStep(steps::entry(section, entry));
    return {};
}

void PageSession::revertEntry(int section, Entry entry) {
    engine_.revertEntry(section, entry);
    history_.takeIn();
}

void PageSession::spin(int section, Entry entry, bool up) {
    engine_.spin(section, entry, up);
    recordStep(steps::entry(section, entry));
}

std::string PageSession::selectCapacitor(int section, const std::string& item) {
    try {
        engine_.selectCapacitor(section, item);
    } catch (const FloatOverflowError&) {
        return render(kNumberTooLarge, kPageLanguage);
    }
    recordStep(steps::capacitor(section));
    return {};
}

void PageSession::selectSeries(int section, Series series) {
    engine_.selectSeries(section, series);
    recordStep(steps::series(section, series));
}

void PageSession::stepResistor(int section, Slot slot, bool up) {
    if (engine_.stepResistor(section, slot, up)) recordStep(steps::resistor(section, slot));
}

bool PageSession::undo() {
    const bool done = history_.undo();
    if (done) changed();
    return done;
}

bool PageSession::redo() {
    const bool done = history_.redo();
    if (done) changed();
    return done;
}

std::string PageSession::open(std::string_view name, std::string_view bytes) {
    ScratchFolder scratch;
    const std::string plain = scratch.put(name, bytes);
    const FileOutcome outcome = LoadTSN(engine_, plain);
    if (!outcome.done()) return notRead(outcome, plain, cli::kNotConfigurationExpected);
    fileName_ = plain;
    importCaption_ = outcome.importCaption;
    history_.restart();
    changed();
    return {};
}

std::string PageSession::save(std::string_view name) {
    fileName_ = plainFileName(name);
    // Named as `tessera-design ... -o NAME` names it in the module's run
    // folder (the name made absolute, as the desktop's Save as does), so that
    // the page and the command write the same bytes.
    std::string text = configurationText(engine_, std::string(kCommandFolder) + "/" + fileName_, '.');
    state_->Modified = 0;
    history_.markClean();
    return text;
}

std::string PageSession::configuration() const {
    return configurationText(engine_, fileName_.empty() ? "unnamed.tsn" : fileName_, '.');
}

std::string PageSession::import(std::string_view name, std::string_view bytes) {
    const MeasurementReading reading = readMeasurement(name, bytes);
    if (!reading.done) return reading.message;
    takeImport(reading);
    return {};
}

void PageSession::takeImport(const MeasurementReading& reading) {
    // What a reader does once it has the values on the grid.
    state_->ImportedResponse = reading.values;
    engine_.refreshimport();
    engine_.refreshresult();
    importCaption_ = reading.caption;
    recordStep(std::string(steps::kImport));
}

std::string PageSession::frd(GraphWindow window) const {
    return frdText(windowCurve(*state_, window), window, todayIsoDate());
}

// --- Circuit settings -------------------------------------------------------

std::string PageSession::circuitJson() const {
    JsonObject stored;
    for (const auto& [key, text] : rememberedEntries(circuit_)) stored.add(key, jsonString(text));
    std::vector<std::string> names;
    for (const OpAmpModel& model : opAmpCatalogue()) names.push_back(jsonString(model.name));
    names.push_back(jsonString(kCustomOpAmpName));
    const OpAmpModel& op = circuit_.opAmp;
    const auto figure = [](double v) { return jsonString(v > 0 ? generalText(v, 6, '.') : ""); };
    return JsonObject()
        .add("opamps", jsonArray(names))
        .add("opamp", jsonString(op.name))
        .add("gbw", figure(op.gbw))
        .add("slew", figure(op.slewVPerUs))
        .add("en", figure(op.enNv))
        .add("in", figure(op.inPa))
        .add("summing", jsonString(ohmsEntryText(circuit_.summingOhms, '.')))
        .add("range", jsonString(ohmsEntryText(circuit_.resistors.low, '.') + ":" +
                                 ohmsEntryText(circuit_.resistors.high, '.')))
        .add("inputLevel", jsonString(generalText(circuit_.inputLevelDbu, 6, '.')))
        .add("outputPeak", jsonString(generalText(circuit_.outputPeakV, 6, '.')))
        .add("stored", stored.text())
        .text();
}

void PageSession::restoreCircuit(const std::vector<std::pair<std::string, std::string>>& entries) {
    circuit_ = rememberedCircuitSettings([&entries](std::string_view key) -> std::optional<std::string> {
        for (const auto& [k, text] : entries)
            if (k == key) return text;
        return std::nullopt;
    });
    curves_.setOpAmp(circuit_.opAmp);
}


std::string PageSession::setOpAmp(const std::string& name, const std::string& gbw, const std::string& slew,
                                  const std::string& en, const std::string& in) {
    const std::string refusal = name == kCustomOpAmpName ? take(checkCustomOpAmp(gbw, slew, en, in), circuit_.opAmp)
                                                         : take(checkOpAmpName(name), circuit_.opAmp);
    curves_.setOpAmp(circuit_.opAmp);
    return refusal;
}

std::string PageSession::setSumming(const std::string& ohms) { return take(checkSummingOhms(ohms), circuit_.summingOhms); }

std::string PageSession::setResistorRange(const std::string& range) {
    return take(checkResistorRange(range), circuit_.resistors);
}

std::string PageSession::setInputLevel(const std::string& dbu) {
    return take(checkInputLevel(dbu), circuit_.inputLevelDbu);
}

std::string PageSession::setOutputPeak(const std::string& volts) {
    return take(checkOutputPeak(volts), circuit_.outputPeakV);
}

// --- Circuit tools ----------------------------------------------------------

std::string PageSession::noise() const {
    const CircuitParts parts = circuitParts(engine_);
    if (const auto reason = unbuildableReason(parts)) return refusal(reason->text(kPageLanguage));
    return JsonObject()
        .add("text", jsonString(cli::noiseReport(parts, circuit_, false)))
        .add("figures", cli::noiseReport(parts, circuit_, true))
        .add("outside", jsonString(resistorRangeText(parts, circuit_.resistors, '.')))
        .text();
}

std::string PageSession::schematicSvg() const { return svgText(schematicDrawing(engine_, circuit_, fileName_)); }

std::string PageSession::schematicPdf() const { return pdfBytes(schematicDrawing(engine_, circuit_, fileName_)); }

std::string PageSession::partsList(std::string& refusal) const {
    if (auto reason = partsListRefusal(engine_)) {
        refusal = reason->text(kPageLanguage);
        return {};
    }
    return partsListCsv(boardParts(engine_, circuit_), PartsListForm::PerPart);
}

std::string PageSession::netlist(std::string& refusal) const {
    if (auto reason = unbuildableReason(circuitParts(engine_))) {
        refusal = reason->text(kPageLanguage);
        return {};
    }
    return netlistText(engine_, {circuit_.opAmp, circuit_.summingOhms, fileName_});
}

} // namespace tessera::web
