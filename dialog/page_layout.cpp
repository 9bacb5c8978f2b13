#include "page_layout.h"

#include <QtGlobal>

#include <array>
#include <cmath>

namespace tessera::dialog {
namespace {

std::string numbered(const char* stem, int n) { return stem + std::to_string(n); }

// Caption and designator labels carry numbers that differ from page to page.
constexpr std::array<std::array<int, 4>, 4> kCaptionLabelNumbers = {{
    {1, 2, 3, 4},     // frequency, Q, gain, capacitor on page 1
    {8, 9, 10, 18},   // page 2
    {11, 12, 15, 25}, // page 3
    {17, 20, 22, 32}, // page 4
}};
constexpr std::array<std::array<int, 3>, 4> kDesignatorLabelNumbers = {{
    {6, 7, 5},    // upper, middle, lower row on page 1
    {14, 13, 16}, // page 2
    {21, 19, 23}, // page 3
    {28, 27, 30}, // page 4
}};

std::size_t pageIndex(int section) { return static_cast<std::size_t>(section - 1); }

// "R1", "R2", "R3" of the slot a row shows.
// "R7:" and so on: the designator of resistor n.
std::string designator(int n) {
    std::string text = "R";
    text += std::to_string(n);
    text += ':';
    return text;
}

std::string slotStem(Row row) {
    std::string stem = "R";
    stem += static_cast<char>('1' + slotIndex(rowSlot(row)));
    return stem;
}

} // namespace

Slot rowSlot(Row row) {
    switch (row) {
    case Row::Upper: return Slot::R2;
    case Row::Middle: return Slot::R3;
    case Row::Lower: return Slot::R1;
    }
    return Slot::R1;
}

Row slotRow(Slot slot) {
    switch (slot) {
    case Slot::R1: return Row::Lower;
    case Slot::R2: return Row::Upper;
    case Slot::R3: return Row::Middle;
    }
    return Row::Lower;
}

Control entryControl(Entry entry) {
    constexpr std::array<Control, 3> c = {Control::FrequencyEntry, Control::QEntry, Control::GainEntry};
    return c[static_cast<std::size_t>(entry)];
}

Control spinControl(Entry entry) {
    constexpr std::array<Control, 3> c = {Control::FrequencySpin, Control::QSpin, Control::GainSpin};
    return c[static_cast<std::size_t>(entry)];
}

Control captionControl(Entry entry) {
    constexpr std::array<Control, 3> c = {Control::FrequencyCaption, Control::QCaption, Control::GainCaption};
    return c[static_cast<std::size_t>(entry)];
}

Control designatorControl(Row row) {
    constexpr std::array<Control, 3> c = {Control::UpperDesignator, Control::MiddleDesignator, Control::LowerDesignator};
    return c[static_cast<std::size_t>(row)];
}

Control valueControl(Row row) {
    constexpr std::array<Control, 3> c = {Control::UpperValue, Control::MiddleValue, Control::LowerValue};
    return c[static_cast<std::size_t>(row)];
}

Control stepperControl(Row row) {
    constexpr std::array<Control, 3> c = {Control::UpperStepper, Control::MiddleStepper, Control::LowerStepper};
    return c[static_cast<std::size_t>(row)];
}

Place designedPlace(Control control, int section) {
    // Page 4's designators ("R10:" ...) are wider.
    const int designatorWidth = section == 4 ? 33 : 24;
    switch (control) {
    case Control::FrequencyCaption: return {16, 16, 119, 20};
    case Control::FrequencyEntry: return {16, 41, 73, 21};
    case Control::FrequencySpin: return {96, 41, 20, 24};
    case Control::QCaption: return {16, 73, 79, 19};
    case Control::QEntry: return {16, 96, 73, 22};
    case Control::QSpin: return {96, 96, 20, 25};
    case Control::GainCaption: return {16, 128, 124, 20};
    case Control::GainEntry: return {16, 153, 73, 21};
    case Control::GainSpin: return {96, 153, 20, 24};
    case Control::CapacitorCaption: return {137, 16, 75, 20};
    case Control::CapacitorBox: return {137, 41, 88, 24};
    case Control::UpperDesignator: return {137, 80, designatorWidth, 20};
    case Control::UpperValue: return {169, 80, 71, 20};
    case Control::UpperStepper: return {233, 80, 19, 17};
    case Control::MiddleDesignator: return {137, 105, designatorWidth, 19};
    case Control::MiddleValue: return {169, 105, 71, 19};
    case Control::MiddleStepper: return {233, 105, 19, 16};
    case Control::LowerDesignator: return {137, 128, designatorWidth, 20};
    case Control::LowerValue: return {169, 128, 71, 20};
    case Control::LowerStepper: return {233, 128, 19, 17};
    case Control::E12Button: return {137, 169, 48, 24};
    case Control::E24Button: return {201, 169, 48, 24};
    case Control::StatusLine: return {16, 185, 78, 16};
    }
    return {};
}

std::string objectName(Control control, int section) {
    const auto& captions = kCaptionLabelNumbers[pageIndex(section)];
    const auto& designators = kDesignatorLabelNumbers[pageIndex(section)];
    switch (control) {
    // Pages 2 and 3 spell their frequency entry with a small "e".
    case Control::FrequencyEntry:
        return numbered(section == 2 || section == 3 ? "Freqedit" : "FreqEdit", section);
    case Control::QEntry: return numbered("GueteEdit", section);
    case Control::GainEntry: return numbered("HubEdit", section);
    case Control::FrequencySpin: return numbered("FreqButton", section);
    case Control::QSpin: return numbered("GueteButton", section);
    case Control::GainSpin: return numbered("HubButton", section);
    case Control::CapacitorBox: return numbered("KondensBox", section);
    case Control::UpperValue: return slotStem(Row::Upper) + numbered("Label", section);
    case Control::MiddleValue: return slotStem(Row::Middle) + numbered("Label", section);
    case Control::LowerValue: return slotStem(Row::Lower) + numbered("Label", section);
    case Control::UpperStepper: return slotStem(Row::Upper) + numbered("UpDown", section);
    case Control::MiddleStepper: return slotStem(Row::Middle) + numbered("UpDown", section);
    case Control::LowerStepper: return slotStem(Row::Lower) + numbered("UpDown", section);
    // Page 1's series buttons carry no number.
    case Control::E12Button: return section == 1 ? "E12" : numbered("E12Button", section);
    case Control::E24Button: return section == 1 ? "E24" : numbered("E24Button", section);
    case Control::StatusLine: return numbered("StatusLabel", section);
    case Control::FrequencyCaption: return numbered("Label", captions[0]);
    case Control::QCaption: return numbered("Label", captions[1]);
    case Control::GainCaption: return numbered("Label", captions[2]);
    case Control::CapacitorCaption: return numbered("Label", captions[3]);
    case Control::UpperDesignator: return numbered("Label", designators[0]);
    case Control::MiddleDesignator: return numbered("Label", designators[1]);
    case Control::LowerDesignator: return numbered("Label", designators[2]);
    }
    return {};
}

std::string caption(Control control, int section) {
    switch (control) {
    case Control::FrequencyCaption: return QT_TRANSLATE_NOOP("FilterPage", "Frequency (Hz): ");
    case Control::QCaption: return QT_TRANSLATE_NOOP("FilterPage", "Q - Factor: ");
    case Control::GainCaption: return QT_TRANSLATE_NOOP("FilterPage", "Filter - Gain (dB): ");
    case Control::CapacitorCaption: return QT_TRANSLATE_NOOP("FilterPage", "Capacitor:");
    case Control::UpperDesignator: return designator(3 * section - 2);
    case Control::MiddleDesignator: return designator(3 * section - 1);
    case Control::LowerDesignator: return designator(3 * section);
    case Control::E12Button: return "E12";
    case Control::E24Button: return "E24";
    default: return {};
    }
}

bool sizedToCaption(Control control) {
    switch (control) {
    case Control::FrequencyCaption:
    case Control::QCaption:
    case Control::GainCaption:
    case Control::CapacitorCaption:
    case Control::UpperDesignator:
    case Control::MiddleDesignator:
    case Control::LowerDesignator:
        return true;
    default:
        return false;
    }
}

std::string tabCaption(int section) { return numbered("Filter", section); }

double designedPoints(int designedPixels) { return designedPixels * 72.0 / kDesignDpi; }

int scaledLength(int designed, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(designed) * dpi / kDesignDpi));
}

Place scaledPlace(Place designed, int dpi) {
    return {scaledLength(designed.left, dpi), scaledLength(designed.top, dpi),
            scaledLength(designed.width, dpi), scaledLength(designed.height, dpi)};
}

Place notebookPlace(int clientWidth, int clientHeight) {
    const int left = clientWidth / 40;
    const int top = clientHeight / 33;
    return {left, top, clientWidth - 2 * left, clientHeight - 2 * top};
}

} // namespace tessera::dialog
