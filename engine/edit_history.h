#pragma once
// Undo and redo of the design: a list of the states the design passed
// through, each reached by one named step ("Filter2 Q", "Fit", "Import").
// A state is a snapshot of the four sections (settings and page texts) and
// the imported response; what a step leaves unchanged is shared with the
// state before, so a step that changes one section costs a few hundred bytes
// and the measurement is stored once per import. The clean point is the
// state last saved or opened: the modified flag follows it through undo and
// redo.

#include "filter_engine.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tessera {

class EditHistory {
public:
    // The oldest steps go once this many are kept.
    static constexpr std::size_t kDefaultLimit = 1000;

    explicit EditHistory(FilterEngine& engine, std::size_t limit = kDefaultLimit);

    // A fresh history over the design as it stands, which is its clean
    // point (the start, New, Open).
    void restart();

    // The change just made to the design, as one step named `name`; the steps
    // that were undone are dropped. Nothing is added when the design is as
    // the current state has it (only its working resistors follow the
    // engine). True when a step was added or grown. The modified flag is
    // then clear exactly at the clean point.
    bool record(std::string_view name);

    // A change that is no step of its own (Escape puts the stored value's
    // text back into a field): the current state takes it in, so that
    // undoing the next step comes back to the page exactly as it was.
    void takeIn();

    // Between these, the changes recorded under one name are one step: a
    // spin or stepper half held down, from press to release. Undo, redo and
    // restart end a group.
    void beginGroup();
    void endGroup();

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ + 1 < states_.size(); }
    // The names of the steps Undo and Redo would take back or make again;
    // empty when there is none.
    const std::string& undoName() const;
    const std::string& redoName() const;
    // The design back to the state before (after) the step; false when there
    // is nothing to undo (redo). The modified flag is then clear exactly at
    // the clean point.
    bool undo();
    bool redo();

    // The design as it stands is the one in the file (Save).
    void markClean();
    bool atCleanPoint() const { return clean_ == position_; }

    // Steps that can be undone and redone.
    std::size_t undoSteps() const { return position_; }
    std::size_t redoSteps() const { return states_.size() - 1 - position_; }
    // The memory the kept states take, each shared piece counted once.
    std::size_t storedBytes() const;

    // Called after every change of what Undo and Redo offer.
    void setObserver(std::function<void()> observer) { observer_ = std::move(observer); }

private:
    struct State {
        std::string name; // of the step that led here
        std::array<std::shared_ptr<const SectionSnapshot>, kSectionCount> sections;
        std::shared_ptr<const Curve> imported;
        IdealResistors ideal{};
    };

    // The engine's design, sharing with `like` whatever is unchanged.
    State capture(const State& like) const;
    static bool sameDesign(const State& a, const State& b);
    void moveTo(std::size_t position);
    void dropRedoSteps();
    void changed();

    FilterEngine& engine_;
    std::size_t limit_;
    std::deque<State> states_; // states_[0] is where the history starts
    std::size_t position_ = 0; // the state the design is in
    std::optional<std::size_t> clean_;
    bool grouping_ = false;
    std::optional<std::size_t> groupStep_; // the state the open group made
    std::function<void()> observer_;
};

// The names of the steps, as the Edit menu shows them after "Undo"/"Redo".
namespace steps {
// "Filter2 Frequency", "Filter2 Q", "Filter2 Gain".
std::string entry(int section, Entry entry);
// "Filter2 Capacitor".
std::string capacitor(int section);
// "Filter2 E12", "Filter2 E24".
std::string series(int section, Series series);
// "Filter2 R5": the stepped resistor by its designator.
std::string resistor(int section, Slot slot);
inline constexpr std::string_view kFit = "Fit";
inline constexpr std::string_view kPrecompensate = "Pre-compensate";
inline constexpr std::string_view kImport = "Import";
} // namespace steps

} // namespace tessera
