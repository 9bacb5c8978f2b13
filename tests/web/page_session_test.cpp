// The web page's document: the same steps as the desktop and the command
// line give the same design, the same bytes and the same refusals.
#include "cli/cli_fixture.h"
#include "cli/json_reading.h"

#include "page_session.h"
#include "real_conversion.h"

#include <cmath>
#include <functional>

using namespace tessera;
using tessera::cli_test::CliTest;
using tessera::cli_test::JsonReader;
using tessera::cli_test::JsonValue;
using tessera::web::PageSession;

namespace {

std::string roomFrd() {
    std::string text;
    for (double f = 15; f < 22000; f *= 1.03) {
        const double dip = std::log(f / 180), peak = std::log(f / 3000);
        text += std::to_string(f) + " " + std::to_string(-6 * std::exp(-dip * dip / 0.15) + 4 * std::exp(-peak * peak / 0.3)) + "\n";
    }
    return text;
}

// The configuration's lines but the second, which names the file.
std::string withoutName(const std::string& tsn) {
    const std::size_t first = tsn.find("\r\n"), second = tsn.find("\r\n", first + 2);
    return tsn.substr(0, first) + tsn.substr(second);
}

const JsonValue& member(const JsonValue& object, const std::string& key) {
    for (const auto& [k, v] : object.members)
        if (k == key) return v;
    static const JsonValue none;
    ADD_FAILURE() << "no member " << key;
    return none;
}

// The page texts of every section, as the view gives them (the status line,
// which names the series last pressed, only with `status`).
std::string pageTexts(const PageSession& session, bool status = true) {
    const auto view = JsonReader::read(session.viewJson());
    EXPECT_TRUE(view);
    std::string texts;
    for (const JsonValue& s : member(*view, "sections").items) {
        for (const JsonValue& e : member(s, "entries").items) texts += e.text + "|";
        for (const JsonValue& r : member(s, "resistors").items) texts += member(r, "designator").text + "=" + member(r, "value").text + "|";
        texts += member(s, "capacitor").text + "|" + (status ? member(s, "status").text : "") + "\n";
    }
    return texts;
}

} // namespace

// Each control as one step that undo takes back exactly and redo makes again,
// named as the desktop's Edit menu names it.
TEST(PageSession, EveryControlIsOneStepUndoneExactly) {
    struct Case {
        const char* step;
        std::function<std::string(PageSession&)> edit;
    };
    const std::vector<Case> cases = {
        {"Filter1 Frequency", [](PageSession& s) { return s.commitEntry(1, Entry::Frequency, "1000"); }},
        {"Filter2 Q", [](PageSession& s) { s.spin(2, Entry::Q, false); return std::string(); }},
        {"Filter3 Capacitor", [](PageSession& s) { return s.selectCapacitor(3, "22 nF"); }},
        {"Filter4 E12", [](PageSession& s) { s.selectSeries(4, Series::E12); return std::string(); }},
        {"Filter1 Gain", [](PageSession& s) { return s.commitEntry(1, Entry::Gain, "6"); }},
        {"Filter4 R10", [](PageSession& s) { s.stepResistor(4, Slot::R2, true); return std::string(); }},
    };
    PageSession session;
    for (const Case& c : cases) {
        const std::string before = pageTexts(session);
        const std::uint64_t revision = session.revision();
        EXPECT_EQ(c.edit(session), "") << c.step;
        const std::string after = pageTexts(session);
        EXPECT_NE(after, before) << c.step;
        EXPECT_GT(session.revision(), revision) << c.step;
        const auto view = JsonReader::read(session.viewJson());
        EXPECT_EQ(member(*view, "undo").text, c.step);
        ASSERT_TRUE(session.undo());
        EXPECT_EQ(pageTexts(session), before) << c.step;
        ASSERT_TRUE(session.redo());
        EXPECT_EQ(pageTexts(session), after) << c.step;
    }
}

TEST(PageSession, ExactModeLastsUntilASeriesIsPressedAndAHeldKeyIsOneStep) {
    PageSession session;
    ASSERT_EQ(session.commitEntry(1, Entry::Frequency, "1234"), "");
    auto view = JsonReader::read(session.viewJson());
    const JsonValue& first = member(*view, "sections").items[0];
    EXPECT_EQ(member(first, "entries").items[0].text, "1234"); // the typed value, not a snapped one
    EXPECT_FALSE(member(member(first, "resistors").items[0], "stepper").boolean);

    session.selectSeries(1, Series::E24);
    view = JsonReader::read(session.viewJson());
    EXPECT_TRUE(member(member(member(*view, "sections").items[0], "resistors").items[0], "stepper").boolean);

    const std::string beforeHold = pageTexts(session);
    session.beginHold();
    for (int k = 0; k < 5; ++k) session.spin(2, Entry::Frequency, false);
    session.endHold();
    ASSERT_TRUE(session.undo());
    EXPECT_EQ(pageTexts(session), beforeHold);
}

TEST(PageSession, RefusalsChangeNothingAndNameTheFileAsTheUserKnowsIt) {
    PageSession session;
    const std::string start = pageTexts(session);
    EXPECT_EQ(session.commitEntry(1, Entry::Q, "1e39"), "The number is too large.");
    EXPECT_EQ(session.open("C:\\designs\\short.tsn", "\"TSN\"\r\n"),
              "File short.tsn is incomplete (fewer than 292 lines) and was not loaded");
    EXPECT_EQ(session.import("a/b/binary.frd", std::string("20 1\n\0\x01\x02", 8)).find("binary.frd"), 6u);
    EXPECT_NE(session.import("notes.doc", "20 1\n30 2\n").find("notes.doc is not"), std::string::npos);
    EXPECT_EQ(session.import("big.frd", std::string(web::kLargestImportBytes + 1, '1')),
              web::importTooLargeMessage("big.frd"));
    EXPECT_EQ(pageTexts(session), start);
    const auto view = JsonReader::read(session.viewJson());
    EXPECT_EQ(member(*view, "undo").text, "");
    EXPECT_EQ(web::dropAction("x.TSN"), "open");
    EXPECT_EQ(web::dropAction("m.tds"), "import");
    EXPECT_EQ(web::dropAction("m.wav"), "none");
}

// Import, the fit run off the document as the worker runs it, Apply and Save
// give the configuration `tessera-design fit -o` writes for the same steps.
TEST_F(CliTest, PagesFitAndSaveWriteWhatTheCommandLineWrites) {
    const std::string measurement = write("room.frd", roomFrd());
    ASSERT_EQ(run({"fit", measurement, "--band", "40:16000", "--series", "E12", "--opamp", "NE5532", "-o",
                   path("cli.tsn")}).status,
              0);

    PageSession session;
    ASSERT_EQ(session.import("room.frd", roomFrd()), "");
    ASSERT_EQ(session.setOpAmp("NE5532", "", "", "", ""), "");
    FitForm form = initialFitForm(std::nullopt, '.');
    form.bandLow = "40";
    form.bandHigh = "16000";
    form.series = Series::E12;
    std::vector<double> progress;
    const auto fit = JsonReader::read(
        web::runFit(session.fitInput(), form, session.circuit(), [&](double p) { progress.push_back(p); }));
    ASSERT_TRUE(fit);
    ASSERT_FALSE(progress.empty());
    std::vector<double> apply;
    for (const JsonValue& v : member(*fit, "apply").items) apply.push_back(v.number);

    EXPECT_NE(session.applyFit(apply, session.revision() + 1), ""); // a stale fit
    ASSERT_EQ(session.applyFit(apply, session.revision()), "");
    EXPECT_EQ(withoutName(session.save("page.tsn")), withoutName(read(path("cli.tsn"))));

    // What Save wrote opens to the same sections in a fresh document (a file
    // keeps no series: the status line names E24).
    PageSession reopened;
    ASSERT_EQ(reopened.open("page.tsn", session.save("page.tsn")), "");
    EXPECT_EQ(pageTexts(reopened, false), pageTexts(session, false));
}

TEST(PageSession, CircuitSettingsAreCheckedRememberedAndUsedByTheTools) {
    PageSession session;
    EXPECT_EQ(session.setSumming("4.7k"), "");
    EXPECT_NE(session.setSumming("5k"), ""); // not an E24 value: refused, 4.7k stays
    EXPECT_NE(session.setOpAmp("Custom", "10", "1", "1", "1"), "");
    EXPECT_EQ(session.setOpAmp("Custom", "1e7", "9", "5", "0.7"), "");
    EXPECT_EQ(session.setResistorRange("2.2k:470k"), "");

    const auto stored = JsonReader::read(session.circuitJson());
    std::vector<std::pair<std::string, std::string>> entries;
    for (const auto& [key, value] : member(*stored, "stored").members) entries.emplace_back(key, value.text);
    PageSession again;
    again.restoreCircuit(entries);
    EXPECT_EQ(again.circuit(), session.circuit());
    EXPECT_EQ(again.circuit().summingOhms, 4700);

    std::string refusal;
    EXPECT_NE(session.netlist(refusal).find("4.7k"), std::string::npos) << refusal;
    EXPECT_NE(session.schematicSvg().find("<svg"), std::string::npos);
    const auto noise = JsonReader::read(session.noise());
    ASSERT_TRUE(noise);
    EXPECT_EQ(member(member(*noise, "figures"), "noise_density_nv").items.size(), 256u);
    const auto run = [&](const char* trials, const char* band) {
        return JsonReader::read(web::runToleranceOf(session.toleranceInput(), {"1", "5", trials, "1", band},
                                                    session.circuit().opAmp));
    };
    for (const auto& [trials, band] : {std::pair{"0", "20:20000"}, std::pair{"100", "30:25"}})
        EXPECT_FALSE(member(*run(trials, band), "message").text.empty()) << trials << " " << band;
    // A real op-amp's curve on each section and the Result; a run's bounds on
    // the Result until a part changes, and never for parts that changed.
    EXPECT_EQ(session.extraCurves(GraphWindow::Filter2).size(), 1u);
    const auto bounds = run("200", "100:1000");
    Curve lowest{}, highest{};
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        lowest[i] = member(*bounds, "lowest").items[i].number;
        highest[i] = member(*bounds, "highest").items[i].number;
    }
    const std::vector<double> parts = session.toleranceInput();
    EXPECT_TRUE(session.takeToleranceBounds(parts, lowest, highest));
    const auto kinds = [&] {
        std::vector<CurveKind> k;
        for (const auto& [kind, values] : session.extraCurves(GraphWindow::Result)) k.push_back(kind);
        return k;
    };
    EXPECT_EQ(kinds(), (std::vector{CurveKind::RealOpAmp, CurveKind::ToleranceBound, CurveKind::ToleranceBound}));
    session.selectSeries(2, Series::E12);
    EXPECT_EQ(kinds(), std::vector{CurveKind::RealOpAmp});
    EXPECT_FALSE(session.takeToleranceBounds(parts, lowest, highest)); // a run of the parts before
    EXPECT_EQ(session.setOpAmp("Ideal", "", "", "", ""), "");
    EXPECT_TRUE(session.extraCurves(GraphWindow::Result).empty());
}
