// The page's document as JavaScript sees it (Emscripten's embind): texts and
// JSON as strings, file contents as Uint8Array, curves as Float64Array.

#include "page_bindings.h"
#include "page_session.h"

#include "fit_form.h"
#include "frequency_grid.h"
#include "json_text.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

using emscripten::val;
using namespace tessera;
using namespace tessera::web;

namespace {

// The bytes of a Uint8Array (or the UTF-8 of a string).
std::string bytesOf(const val& data) {
    if (data.isString()) return data.as<std::string>();
    std::string bytes(data["length"].as<std::size_t>(), '\0');
    val(emscripten::typed_memory_view(bytes.size(), reinterpret_cast<std::uint8_t*>(bytes.data())))
        .call<void>("set", data);
    return bytes;
}

val byteArray(const std::string& bytes) {
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data())));
}

template <typename Numbers> val numberArray(const Numbers& numbers) {
    return val::global("Float64Array").new_(emscripten::typed_memory_view(numbers.size(), numbers.data()));
}

std::vector<double> numbersOf(const val& array) {
    std::vector<double> numbers(array["length"].as<std::size_t>());
    val(emscripten::typed_memory_view(numbers.size(), numbers.data())).call<void>("set", array);
    return numbers;
}

std::string textOf(const val& object, const char* key) {
    const val v = object[key];
    return v.isUndefined() || v.isNull() ? std::string() : v.as<std::string>();
}

// The fit panel's fields: {bandLow, bandHigh, automaticLevel, level, tilt,
// maxBoost, series: "E12"|"E24", chooseCapacitors, sections: [4 booleans],
// smoothing: N}.
FitForm formOf(const val& o) {
    FitForm form;
    form.bandLow = textOf(o, "bandLow");
    form.bandHigh = textOf(o, "bandHigh");
    form.automaticLevel = o["automaticLevel"].as<bool>();
    form.level = textOf(o, "level");
    form.tilt = textOf(o, "tilt");
    form.maxBoost = textOf(o, "maxBoost");
    form.series = textOf(o, "series") == "E12" ? Series::E12 : Series::E24;
    form.chooseCapacitors = o["chooseCapacitors"].as<bool>();
    for (std::size_t s = 0; s < form.sections.size(); ++s) form.sections[s] = o["sections"][s].as<bool>();
    form.smoothing = o["smoothing"].as<int>();
    return form;
}

std::vector<std::pair<std::string, std::string>> entriesOf(const val& object) {
    std::vector<std::pair<std::string, std::string>> entries;
    if (object.isUndefined() || object.isNull()) return entries;
    const val keys = val::global("Object").call<val>("keys", object);
    for (std::size_t i = 0, n = keys["length"].as<std::size_t>(); i < n; ++i) {
        const std::string key = keys[i].as<std::string>();
        entries.emplace_back(key, object[key].as<std::string>());
    }
    return entries;
}

val fileText(const std::string& text, const std::string& refusal) {
    val result = val::object();
    result.set("message", refusal);
    result.set("bytes", byteArray(text));
    return result;
}

// The fit panel's first fields; the band of a zoomed plot ({low, high} in
// Hz) when one is given, as the desktop takes a marked band.
std::string initialForm(const val& band) {
    std::optional<std::pair<double, double>> marked;
    if (!band.isUndefined() && !band.isNull()) marked = {band["low"].as<double>(), band["high"].as<double>()};
    const FitForm form = initialFitForm(marked, '.');
    std::vector<std::string> smoothing;
    for (const auto& [name, n] : smoothingChoices())
        smoothing.push_back(cli::JsonObject().add("name", cli::jsonString(name)).add("n", n).text());
    return cli::JsonObject()
        .add("bandLow", cli::jsonString(form.bandLow))
        .add("bandHigh", cli::jsonString(form.bandHigh))
        .add("level", cli::jsonString(form.level))
        .add("tilt", cli::jsonString(form.tilt))
        .add("maxBoost", cli::jsonString(form.maxBoost))
        .add("smoothing", cli::jsonArray(smoothing))
        .text();
}

// `use` of the form with its target file read when it names one
// ({targetName, targetBytes}); the reader's refusal as {"message"} otherwise.
template <typename Use> std::string withForm(const val& form, Use use) {
    FitForm fitForm = formOf(form);
    if (const std::string target = textOf(form, "targetName"); !target.empty()) {
        std::string message;
        fitForm.target = readTarget(target, bytesOf(form["targetBytes"]), message);
        if (!fitForm.target) return cli::JsonObject().add("message", cli::jsonString(message)).text();
    }
    return use(fitForm);
}

// `use` of the form (as withForm reads it) and the circuit settings as remembered.
template <typename Use> std::string withFitSettings(const val& form, const val& circuitEntries, Use use) {
    return withForm(form, [&](const FitForm& fitForm) {
        PageSession settings;
        settings.restoreCircuit(entriesOf(circuitEntries));
        return use(fitForm, settings.circuit());
    });
}

// The fit of a page's fitInput() in a worker.
std::string fitAlone(const val& input, const val& form, const val& circuitEntries, const val& progress) {
    return withFitSettings(form, circuitEntries, [&](const FitForm& fitForm, const CircuitSettings& circuit) {
        return runFit(numbersOf(input), fitForm, circuit, [&progress](double done) { progress(done); });
    });
}

// The same fit as party `party` of `parties` workers that share it: "" when
// it is ready for tessera_run_prepared_fit (worker_peers.cpp), else the refusal's JSON.
std::string prepareFitShare(const val& input, const val& form, const val& circuitEntries, const val& progress,
                            int party, int parties) {
    return withFitSettings(form, circuitEntries, [&](const FitForm& fitForm, const CircuitSettings& circuit) {
        return prepareSharedFit(numbersOf(input), fitForm, circuit, progress, party, parties);
    });
}

// The tolerance run of a page's toleranceInput() in a worker: the form
// {resistorPercent, capacitorPercent, trials, seed, band}, the circuit
// settings as remembered, and `progress` called with the share done.
std::string toleranceInWorker(const val& input, const val& form, const val& circuitEntries, const val& progress) {
    PageSession settings;
    settings.restoreCircuit(entriesOf(circuitEntries));
    const ToleranceForm f{textOf(form, "resistorPercent"), textOf(form, "capacitorPercent"), textOf(form, "trials"),
                          textOf(form, "seed"), textOf(form, "band")};
    return runToleranceOf(numbersOf(input), f, settings.circuit().opAmp, [&progress](int done, int total) {
        progress(static_cast<double>(done) / total);
        return true;
    });
}

val readInWorker(const std::string& name, const val& bytes) {
    const MeasurementReading reading = readMeasurement(name, bytesOf(bytes));
    val result = val::object();
    result.set("done", reading.done);
    result.set("message", reading.message);
    result.set("caption", reading.caption);
    result.set("values", numberArray(reading.values));
    return result;
}

struct Session : PageSession {
    val curveOf(int window) const { return numberArray(curve(static_cast<GraphWindow>(window))); }
    // {opamp, lowest, highest}: the further curves the window shows now.
    val extras(int window) const {
        val result = val::object();
        bool lowest = true;
        for (const auto& [kind, values] : extraCurves(static_cast<GraphWindow>(window))) {
            if (kind == CurveKind::RealOpAmp) result.set("opamp", numberArray(values));
            if (kind != CurveKind::ToleranceBound) continue;
            result.set(lowest ? "lowest" : "highest", numberArray(values));
            lowest = false;
        }
        return result;
    }
    std::string commit(int s, int e, const std::string& text) { return commitEntry(s, static_cast<Entry>(e), text); }
    void revert(int s, int e) { revertEntry(s, static_cast<Entry>(e)); }
    void spinEntry(int s, int e, bool up) { spin(s, static_cast<Entry>(e), up); }
    void series(int s, bool e12) { selectSeries(s, e12 ? Series::E12 : Series::E24); }
    void stepper(int s, int slot, bool up) { stepResistor(s, static_cast<Slot>(slot), up); }
    std::string openBytes(const std::string& name, const val& bytes) { return open(name, bytesOf(bytes)); }
    val saveBytes(const std::string& name) { return byteArray(save(name)); }
    val configurationBytes() const { return byteArray(configuration()); }
    std::string importBytes(const std::string& name, const val& bytes) { return import(name, bytesOf(bytes)); }
    void takeReading(const std::string& caption, const val& values) {
        MeasurementReading reading;
        reading.done = true;
        reading.caption = caption;
        const std::vector<double> numbers = numbersOf(values);
        std::copy_n(numbers.begin(), std::min(numbers.size(), reading.values.size()), reading.values.begin());
        takeImport(reading);
    }
    val frdBytes(int window) const { return byteArray(frd(static_cast<GraphWindow>(window))); }
    val fitInputArray() const { return numberArray(fitInput()); }
    std::string apply(const val& data, double revision) {
        return applyFit(numbersOf(data), static_cast<std::uint64_t>(revision));
    }
    std::string preview(const val& form) const {
        return withForm(form, [this](const FitForm& fitForm) { return fitPreview(fitForm); });
    }
    void restore(const val& entries) { restoreCircuit(entriesOf(entries)); }
    double revisionNumber() const { return static_cast<double>(revision()); }
    val toleranceInputArray() const { return numberArray(toleranceInput()); }
    bool takeBounds(const val& input, const val& lowest, const val& highest) {
        const auto curve = [](const val& values) {
            Curve c{};
            const std::vector<double> numbers = numbersOf(values);
            std::copy_n(numbers.begin(), std::min(numbers.size(), c.size()), c.begin());
            return c;
        };
        return takeToleranceBounds(numbersOf(input), curve(lowest), curve(highest));
    }
    val pdf() const { return byteArray(schematicPdf()); }
    val parts() const {
        std::string refusal;
        const std::string text = partsList(refusal);
        return fileText(text, refusal);
    }
    val spice() const {
        std::string refusal;
        const std::string text = netlist(refusal);
        return fileText(text, refusal);
    }
};

val gridFrequencyArray() { return numberArray(gridFrequencies()); }

} // namespace

EMSCRIPTEN_BINDINGS(tessera_page) {
    emscripten::class_<Session>("PageSession")
        .constructor<>()
        .function("view", emscripten::optional_override([](Session& s) { return s.viewJson(); }))
        .function("curve", &Session::curveOf)
        .function("extraCurves", &Session::extras)
        .function("revision", &Session::revisionNumber)
        .function("commitEntry", &Session::commit)
        .function("revertEntry", &Session::revert)
        .function("spin", &Session::spinEntry)
        .function("beginHold", emscripten::optional_override([](Session& s) { return s.beginHold(); }))
        .function("endHold", emscripten::optional_override([](Session& s) { return s.endHold(); }))
        .function("selectCapacitor", emscripten::optional_override([](Session& s, int section, const std::string& item) { return s.selectCapacitor(section, item); }))
        .function("selectSeries", &Session::series)
        .function("stepResistor", &Session::stepper)
        .function("undo", emscripten::optional_override([](Session& s) { return s.undo(); }))
        .function("redo", emscripten::optional_override([](Session& s) { return s.redo(); }))
        .function("open", &Session::openBytes)
        .function("save", &Session::saveBytes)
        .function("configuration", &Session::configurationBytes)
        .function("import", &Session::importBytes)
        .function("takeImport", &Session::takeReading)
        .function("frd", &Session::frdBytes)
        .function("fitInput", &Session::fitInputArray)
        .function("applyFit", &Session::apply)
        .function("fitPreview", &Session::preview)
        .function("circuit", emscripten::optional_override([](Session& s) { return s.circuitJson(); }))
        .function("restoreCircuit", &Session::restore)
        .function("setOpAmp", emscripten::optional_override([](Session& s, const std::string& name, const std::string& gbw, const std::string& slew, const std::string& en, const std::string& in) { return s.setOpAmp(name, gbw, slew, en, in); }))
        .function("setSumming", emscripten::optional_override([](Session& s, const std::string& text) { return s.setSumming(text); }))
        .function("setResistorRange", emscripten::optional_override([](Session& s, const std::string& text) { return s.setResistorRange(text); }))
        .function("setInputLevel", emscripten::optional_override([](Session& s, const std::string& text) { return s.setInputLevel(text); }))
        .function("setOutputPeak", emscripten::optional_override([](Session& s, const std::string& text) { return s.setOutputPeak(text); }))
        .function("noise", emscripten::optional_override([](Session& s) { return s.noise(); }))
        .function("toleranceInput", &Session::toleranceInputArray)
        .function("takeToleranceBounds", &Session::takeBounds)
        .function("schematicSvg", emscripten::optional_override([](Session& s) { return s.schematicSvg(); }))
        .function("schematicPdf", &Session::pdf)
        .function("partsList", &Session::parts)
        .function("netlist", &Session::spice);
    emscripten::function("gridFrequencies", &gridFrequencyArray);
    emscripten::function("dropAction", &dropAction);
    emscripten::function("importTooLargeMessage", &importTooLargeMessage);
    emscripten::constant("largestImportBytes", static_cast<double>(kLargestImportBytes));
    emscripten::function("initialFitForm", &initialForm);
    emscripten::function("readMeasurement", &readInWorker);
    emscripten::function("runFit", &fitAlone);
    emscripten::function("prepareSharedFit", &prepareFitShare);
    emscripten::function("warmUpFit", &warmUpFit);
    emscripten::function("runTolerance", &toleranceInWorker);
}
