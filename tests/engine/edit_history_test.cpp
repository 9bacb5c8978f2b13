// The edit history over a real engine: random edit sequences undone and
// redone, compared with the bytes Save as would write, every page text, every
// curve bit for bit and what a page view was told; the modified flag at the
// clean point; the length and memory of the history (held repeats as one
// step: through the widgets, in the app tests).
#include "config_file.h"
#include "edit_history.h"
#include "filter_engine.h"
#include "standard_series.h"

#include "engine_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace tessera;

namespace {

// A page view that copies only the parts it is told changed, as the dialog
// does: it ends equal to the engine's pages only if every change was told.
struct MirrorView : PageView {
    const FilterEngine* engine = nullptr;
    std::array<PageTexts, kSectionCount> shown{};
    void pageChanged(int section, unsigned changes) override {
        const PageTexts& now = engine->page(section);
        PageTexts& page = shown[static_cast<std::size_t>(section - 1)];
        for (Entry e : {Entry::Frequency, Entry::Q, Entry::Gain})
            if (changes & entryChange(e)) page.entry[static_cast<std::size_t>(e)] = now.entryText(e);
        if (changes & ResistorLabels) page.resistorLabel = now.resistorLabel;
        if (changes & Steppers) page.stepper = now.stepper;
        if (changes & StatusText) page.status = now.status;
        if (changes & CapacitorText) page.capacitor = now.capacitor;
    }
};

// Everything undo must bring back.
struct Design {
    std::string saved; // what Save as would write
    std::array<PageTexts, kSectionCount> pages;
    std::array<FilterSection, kSectionCount> sections;
    Curve combined, imported;
    double idealR1, idealR2, idealR3;
};

bool sameBits(const Curve& a, const Curve& b) { return std::memcmp(a.data(), b.data(), sizeof(Curve)) == 0; }

bool sameSection(const FilterSection& a, const FilterSection& b) {
    return a.Frequency == b.Frequency && a.Q == b.Q && a.GainFactor == b.GainFactor &&
           a.Capacitance == b.Capacitance && a.SeriesIndex == b.SeriesIndex && a.E12Snap == b.E12Snap &&
           a.E24Snap == b.E24Snap && sameBits(a.SectionCurve, b.SectionCurve);
}

struct HistoryTest : ::testing::Test {
    FilterBankState state;
    PlotCapture plots;
    MirrorView view;
    FilterEngine engine{state};
    std::unique_ptr<EditHistory> history;
    std::mt19937 random{20261207};

    void SetUp() override {
        E24Init(state);
        view.engine = &engine;
        engine.setPlotSink(&plots);
        engine.setPageView(&view);
        engine.Reset(true);
        for (int s = 1; s <= kSectionCount; ++s) view.pageChanged(s, ~0u);
        state.Modified = 0;
        history = std::make_unique<EditHistory>(engine);
    }

    Design design() const {
        Design d{configurationText(engine, "design.tsn", '.'), {}, state.sections, state.CombinedCurve,
                 state.ImportedResponse, state.IdealR1, state.IdealR2, state.IdealR3};
        for (int s = 1; s <= kSectionCount; ++s) d.pages[static_cast<std::size_t>(s - 1)] = engine.page(s);
        return d;
    }

    void expectDesign(const Design& expected, const std::string& where) const {
        const Design now = design();
        ASSERT_EQ(now.saved, expected.saved) << where;
        for (std::size_t k = 0; k < kSectionCount; ++k) {
            ASSERT_EQ(now.pages[k], expected.pages[k]) << where << ", page " << k + 1;
            ASSERT_EQ(view.shown[k], expected.pages[k]) << where << ", shown page " << k + 1;
            ASSERT_TRUE(sameSection(now.sections[k], expected.sections[k])) << where << ", section " << k + 1;
        }
        ASSERT_TRUE(sameBits(now.combined, expected.combined)) << where;
        ASSERT_TRUE(sameBits(now.imported, expected.imported)) << where;
        ASSERT_EQ(now.idealR1, expected.idealR1) << where;
        ASSERT_EQ(now.idealR2, expected.idealR2) << where;
        ASSERT_EQ(now.idealR3, expected.idealR3) << where;
        // What the windows show: the last block each one was handed.
        for (int s = 1; s <= kSectionCount; ++s)
            for (std::size_t i = 0; i < kGridPoints; i += 51)
                ASSERT_EQ(plots.last(sectionWindow(s)).value(kGridPoints + i), state.section(s).SectionCurve[i]) << where;
        for (std::size_t i = 0; i < kGridPoints; i += 51) {
            ASSERT_EQ(plots.last(GraphWindow::Result).value(kGridPoints + i),
                      state.CombinedCurve[i] + state.ImportedResponse[i]) << where;
            ASSERT_EQ(plots.last(GraphWindow::Import).value(kGridPoints + i), state.ImportedResponse[i]) << where;
        }
    }

    int pick(int lowest, int highest) { return std::uniform_int_distribution<int>(lowest, highest)(random); }

    // One edit as a user makes it, recorded as the program records it.
    void randomEdit() {
        const int s = pick(1, kSectionCount);
        const auto entry = static_cast<Entry>(pick(0, 2));
        switch (pick(0, 7)) {
        case 0:
            engine.spin(s, entry, pick(0, 1) == 1);
            history->record(steps::entry(s, entry));
            break;
        case 1: {
            static const std::array<const char*, 3> lows = {"20", "0.1", "-24"};
            const double v = std::uniform_real_distribution<double>(0, 1)(random);
            const std::string typed = entry == Entry::Frequency ? std::to_string(20 + v * 19980)
                                      : entry == Entry::Q       ? std::to_string(0.1 + v * 7.9)
                                                                : std::to_string(-20 + v * 40);
            engine.commitEntry(s, entry, pick(0, 9) == 0 ? lows[static_cast<std::size_t>(entry)] : typed);
            history->record(steps::entry(s, entry));
            break;
        }
        case 2:
            engine.selectCapacitor(s, kCapacitorItems[static_cast<std::size_t>(pick(0, 12))]);
            history->record(steps::capacitor(s));
            break;
        case 3: {
            const Series series = pick(0, 1) ? Series::E12 : Series::E24;
            engine.selectSeries(s, series);
            history->record(steps::series(s, series));
            break;
        }
        case 4: {
            const auto slot = static_cast<Slot>(pick(0, 2));
            if (engine.stepResistor(s, slot, pick(0, 1) == 1)) history->record(steps::resistor(s, slot));
            break;
        }
        case 5: // as the fit's Apply and Pre-compensate: new designs for several sections, one step
            for (int t = 1; t <= kSectionCount; ++t)
                if (pick(0, 1)) engine.setDesign(t, 20 + pick(0, 19980), 0.1 + pick(0, 79) / 10.0, pick(0, 100) / 10.0);
            history->record(steps::kFit);
            break;
        case 6: // an import: a new measurement
            for (double& y : state.ImportedResponse) y = std::uniform_real_distribution<double>(-12, 12)(random);
            engine.refreshimport();
            engine.refreshresult();
            history->record(steps::kImport);
            break;
        case 7: // Escape: the stored value's text again, no step
            engine.revertEntry(s, entry);
            history->takeIn();
            break;
        }
    }
};

} // namespace

TEST_F(HistoryTest, RandomEditsUndoneAndRedoneGiveBackEveryStateExactly) {
    for (int round = 0; round < 3; ++round) {
        // The states the design passes through, the current one last.
        std::vector<Design> states = {design()};
        for (int edit = 0; edit < 120; ++edit) {
            const std::size_t before = history->undoSteps();
            randomEdit();
            if (history->undoSteps() > before) states.push_back(design());
            else states.back() = design(); // no step: the state as it stands now
        }
        ASSERT_EQ(history->undoSteps() + 1, states.size());
        for (std::size_t k = states.size() - 1; k-- > 0;) {
            ASSERT_TRUE(history->undo());
            expectDesign(states[k], "undo to state " + std::to_string(k));
        }
        EXPECT_FALSE(history->undo());
        for (std::size_t k = 1; k < states.size(); ++k) {
            ASSERT_TRUE(history->redo());
            expectDesign(states[k], "redo to state " + std::to_string(k));
        }
        EXPECT_FALSE(history->redo());
        // Back part of the way, then new edits: the undone steps are gone.
        for (int k = pick(1, 20); k > 0; --k) history->undo();
        for (const std::size_t before = history->undoSteps(); history->undoSteps() == before;) randomEdit();
        EXPECT_EQ(history->redoSteps(), 0u);
        // However the design was reached, the combined curve is the sum of
        // the sections in section order.
        for (std::size_t i = 0; i < kGridPoints; ++i) {
            double sum = 0;
            for (const FilterSection& s : state.sections) sum = sum + s.SectionCurve[i];
            ASSERT_EQ(state.CombinedCurve[i], sum) << i;
        }
        history->restart();
    }
}

TEST_F(HistoryTest, TheModifiedFlagFollowsTheCleanPoint) {
    engine.spin(1, Entry::Frequency, false);
    history->record(steps::entry(1, Entry::Frequency));
    EXPECT_EQ(state.Modified, 1);
    history->undo(); // back to the state opened
    EXPECT_EQ(state.Modified, 0);
    history->redo(); // away from it again
    EXPECT_EQ(state.Modified, 1);

    state.Modified = 0; // saved here
    history->markClean();
    engine.spin(1, Entry::Q, false);
    history->record(steps::entry(1, Entry::Q));
    EXPECT_EQ(state.Modified, 1);
    history->undo();
    EXPECT_EQ(state.Modified, 0);
    history->undo(); // before the save
    EXPECT_EQ(state.Modified, 1);
    history->redo();
    EXPECT_TRUE(history->atCleanPoint());
    EXPECT_EQ(state.Modified, 0);
    // Entering again the value just saved, or choosing the capacitor already
    // chosen, is no step and changes nothing.
    engine.commitEntry(1, Entry::Gain, "4");
    history->record(steps::entry(1, Entry::Gain));
    state.Modified = 0;
    history->markClean();
    const std::size_t stepsBefore = history->undoSteps();
    engine.commitEntry(1, Entry::Gain, "4");
    EXPECT_FALSE(history->record(steps::entry(1, Entry::Gain)));
    engine.selectCapacitor(2, "1 nF");
    EXPECT_FALSE(history->record(steps::capacitor(2)));
    EXPECT_EQ(history->undoSteps(), stepsBefore);
    EXPECT_EQ(state.Modified, 0);

    // Undone and then replaced by another edit: the saved state is out of reach.
    history->undo();
    engine.spin(4, Entry::Gain, true);
    history->record(steps::entry(4, Entry::Gain));
    history->undo();
    EXPECT_FALSE(history->atCleanPoint());
    EXPECT_EQ(state.Modified, 1);
    while (history->undo()) EXPECT_EQ(state.Modified, 1);
}

TEST_F(HistoryTest, KeepsFiveHundredStepsAndMoreWithinAFewHundredBytesEach) {
    // One measurement first: it is stored once, not with every step.
    for (double& y : state.ImportedResponse) y = std::uniform_real_distribution<double>(-6, 6)(random);
    engine.refreshimport();
    history->record(steps::kImport);
    const Design first = design();
    for (int step = 0; step < 600; ++step) {
        engine.spin(1 + step % kSectionCount, Entry::Q, step % 8 < 4);
        ASSERT_TRUE(history->record(steps::entry(1 + step % kSectionCount, Entry::Q)));
    }
    EXPECT_EQ(history->undoSteps(), 601u);
    EXPECT_LT(history->storedBytes() / 601, 1000u) << history->storedBytes();
    for (int step = 0; step < 600; ++step) ASSERT_TRUE(history->undo());
    expectDesign(first, "600 steps back");

    // Beyond a limit the oldest steps go, and the opened state with them.
    state.Modified = 0;
    history = std::make_unique<EditHistory>(engine, 10);
    for (int step = 0; step < 25; ++step) {
        engine.spin(3, Entry::Frequency, false);
        history->record(steps::entry(3, Entry::Frequency));
    }
    EXPECT_EQ(history->undoSteps(), 10u);
    while (history->undo()) {}
    EXPECT_EQ(state.Modified, 1); // the opened state went with the oldest steps
    EXPECT_EQ(history->redoSteps(), 10u);
}

// A held spin button records at every repeat: the step grows, and the Edit
// menu is told only when what Undo and Redo offer changes (once, at the start).
TEST_F(HistoryTest, HeldRepeatsGrowOneStepAndTellTheMenuOnce) {
    const Design start = design();
    int told = 0;
    history->setObserver([&] { ++told; });
    history->beginGroup();
    for (int k = 0; k < 5; ++k) {
        engine.spin(2, Entry::Q, true);
        history->record(steps::entry(2, Entry::Q));
    }
    history->endGroup();
    EXPECT_EQ(told, 1);
    EXPECT_EQ(history->undoSteps(), 1u);
    EXPECT_EQ(history->undoName(), "Filter2 Q");
    const Design held = design();
    ASSERT_TRUE(history->undo());
    expectDesign(start, "undone");
    ASSERT_TRUE(history->redo());
    expectDesign(held, "redone");
}
