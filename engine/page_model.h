#pragma once
// What each page of the configuration dialog shows, kept by the engine so that
// every decision about the texts is made without widgets. The dialog mirrors
// it; the report and the configuration writer read it.

#include <array>
#include <string>

namespace tessera {

enum class Entry { Frequency = 0, Q = 1, Gain = 2 };

// A resistor stepper: a vertical up-down control over table positions.
struct Stepper {
    static constexpr int kMin = 0;
    static constexpr int kMax = 100;
    int position = 0;
    int increment = 1;
    bool enabled = true;
    bool operator==(const Stepper&) const = default;
};

struct PageTexts {
    std::array<std::string, 3> entry{"0", "0", "0"}; // by Entry
    std::array<std::string, 3> resistorLabel{};      // by Slot: R1, R2, R3
    std::array<Stepper, 3> stepper{};                // by Slot
    std::string status;                              // red status line
    std::string capacitor;                           // the selector's text

    const std::string& entryText(Entry e) const { return entry[static_cast<std::size_t>(e)]; }
    bool operator==(const PageTexts&) const = default;
};

// Which parts of a page an operation rewrote: the dialog updates only those,
// so that a typed, uncommitted text elsewhere stays on screen.
enum PageChange : unsigned {
    FrequencyText = 1u << 0,
    QText = 1u << 1,
    GainText = 1u << 2,
    ResistorLabels = 1u << 3,
    Steppers = 1u << 4,
    StatusText = 1u << 5,
    CapacitorText = 1u << 6,
    AllEntryTexts = FrequencyText | QText | GainText,
};

constexpr unsigned entryChange(Entry e) { return 1u << static_cast<unsigned>(e); }

class PageView {
public:
    virtual ~PageView() = default;
    virtual void pageChanged(int section, unsigned changes) = 0;
};

// The thirteen capacitor items of the selector, in nanofarads as text.
inline constexpr std::array<const char*, 13> kCapacitorItems = {
    "1 nF",  "1.5 nF", "2.2 nF", "3.3 nF", "4.7 nF", "6.8 nF", "10 nF",
    "15 nF", "22 nF",  "33 nF",  "47 nF",  "68 nF",  "100 nF"};

} // namespace tessera
