#include "edit_history.h"

#include "designators.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace tessera {
namespace {

bool sameBits(const Curve& a, const Curve& b) { return std::memcmp(a.data(), b.data(), sizeof(Curve)) == 0; }

// The heap a string holds beyond the room inside it.
std::size_t heapBytes(const std::string& text) {
    static const std::size_t inside = std::string().capacity();
    return text.capacity() > inside ? text.capacity() + 1 : 0;
}

std::size_t heapBytes(const PageTexts& page) {
    std::size_t bytes = heapBytes(page.status) + heapBytes(page.capacitor);
    for (const std::string& text : page.entry) bytes += heapBytes(text);
    for (const std::string& text : page.resistorLabel) bytes += heapBytes(text);
    return bytes;
}

} // namespace

EditHistory::EditHistory(FilterEngine& engine, std::size_t limit)
    : engine_(engine), limit_(std::max<std::size_t>(limit, 1)) {
    restart();
}

EditHistory::State EditHistory::capture(const State& like) const {
    State state;
    // Compared in place: a held spin button records at every repeat, and
    // only the section it steps needs a copy.
    for (int s = 1; s <= kSectionCount; ++s) {
        const auto k = static_cast<std::size_t>(s - 1);
        if (like.sections[k] && engine_.sectionIs(s, *like.sections[k]))
            state.sections[k] = like.sections[k];
        else
            state.sections[k] = std::make_shared<const SectionSnapshot>(engine_.sectionSnapshot(s));
    }
    const Curve& imported = engine_.state().ImportedResponse;
    if (like.imported && sameBits(*like.imported, imported))
        state.imported = like.imported;
    else
        state.imported = std::make_shared<const Curve>(imported);
    state.ideal = engine_.idealResistors();
    return state;
}

// Captured against each other, equal designs share every piece.
bool EditHistory::sameDesign(const State& a, const State& b) {
    return a.sections == b.sections && a.imported == b.imported;
}

void EditHistory::restart() {
    states_.clear();
    states_.push_back(capture(State{}));
    position_ = 0;
    clean_ = 0;
    grouping_ = false;
    groupStep_.reset();
    changed();
}

void EditHistory::dropRedoSteps() {
    states_.resize(position_ + 1);
    if (clean_ && *clean_ > position_) clean_.reset();
}

bool EditHistory::record(std::string_view name) {
    // A held half repeating: the step it began grows.
    if (grouping_ && groupStep_ == position_ && states_[position_].name == name) {
        const State& before = states_[position_ - 1];
        State grown = capture(before);
        if (clean_ == position_) clean_.reset();
        const bool undone = sameDesign(grown, before);
        if (undone) {
            // Back where the group began: no step at all.
            states_.pop_back();
            --position_;
            groupStep_.reset();
        } else {
            grown.name = states_[position_].name;
            states_[position_] = std::move(grown);
        }
        engine_.state().Modified = !atCleanPoint();
        // A step that only grew offers the same Undo and Redo: the Edit menu
        // need not be told at every repeat.
        if (undone) changed();
        return true;
    }

    State& current = states_[position_];
    State next = capture(current);
    if (sameDesign(next, current)) {
        current.ideal = next.ideal;
        engine_.state().Modified = !atCleanPoint();
        return false;
    }
    dropRedoSteps();
    next.name = std::string(name);
    states_.push_back(std::move(next));
    ++position_;
    if (grouping_) groupStep_ = position_;
    while (states_.size() - 1 > limit_) {
        states_.pop_front();
        --position_;
        clean_ = clean_ && *clean_ > 0 ? std::optional(*clean_ - 1) : std::nullopt;
        groupStep_ = groupStep_ && *groupStep_ > 0 ? std::optional(*groupStep_ - 1) : std::nullopt;
    }
    engine_.state().Modified = !atCleanPoint();
    changed();
    return true;
}

void EditHistory::takeIn() {
    State& current = states_[position_];
    State now = capture(current);
    now.name = std::move(current.name);
    current = std::move(now);
}

void EditHistory::beginGroup() {
    grouping_ = true;
    groupStep_.reset();
}

void EditHistory::endGroup() {
    grouping_ = false;
    groupStep_.reset();
}

const std::string& EditHistory::undoName() const {
    static const std::string none;
    return canUndo() ? states_[position_].name : none;
}

const std::string& EditHistory::redoName() const {
    static const std::string none;
    return canRedo() ? states_[position_ + 1].name : none;
}

bool EditHistory::undo() {
    if (!canUndo()) return false;
    moveTo(position_ - 1);
    return true;
}

bool EditHistory::redo() {
    if (!canRedo()) return false;
    moveTo(position_ + 1);
    return true;
}

void EditHistory::moveTo(std::size_t position) {
    endGroup();
    position_ = position;
    const State& state = states_[position_];
    std::array<const SectionSnapshot*, kSectionCount> sections{};
    for (std::size_t k = 0; k < sections.size(); ++k) sections[k] = state.sections[k].get();
    engine_.restoreDesign(sections, *state.imported, state.ideal);
    engine_.state().Modified = !atCleanPoint();
    changed();
}

void EditHistory::markClean() { clean_ = position_; }

std::size_t EditHistory::storedBytes() const {
    std::unordered_set<const void*> counted;
    std::size_t bytes = 0;
    for (const State& state : states_) {
        bytes += sizeof(State) + heapBytes(state.name);
        for (const auto& section : state.sections)
            if (counted.insert(section.get()).second) bytes += sizeof(SectionSnapshot) + heapBytes(section->page);
        if (counted.insert(state.imported.get()).second) bytes += sizeof(Curve);
    }
    return bytes;
}

void EditHistory::changed() {
    if (observer_) observer_();
}

namespace steps {

std::string entry(int section, Entry entry) {
    static constexpr std::array<const char*, 3> kNames = {"Frequency", "Q", "Gain"};
    return "Filter" + std::to_string(section) + " " + kNames[static_cast<std::size_t>(entry)];
}

std::string capacitor(int section) { return "Filter" + std::to_string(section) + " Capacitor"; }

std::string series(int section, Series series) {
    return "Filter" + std::to_string(section) + (series == Series::E12 ? " E12" : " E24");
}

std::string resistor(int section, Slot slot) {
    return "Filter" + std::to_string(section) + " " + resistorDesignator(section, slot);
}

} // namespace steps

} // namespace tessera
