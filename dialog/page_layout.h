#pragma once
// Where the controls of the configuration dialog stand, what they are called
// and what their fixed captions say. Places are pixels as designed at 120
// pixels per inch; the dialog scales them to the screen. No widgets here.

#include "filter_bank_state.h"
#include "page_model.h"

#include <QtGlobal>

#include <string>

namespace tessera::dialog {

struct Place {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Place&) const = default;
};

inline constexpr int kDesignDpi = 120;
inline constexpr int kClientWidth = 294;
inline constexpr int kClientHeight = 258;
// Character heights in pixels at the designed resolution.
inline constexpr int kFontPixels = 13;
inline constexpr int kStatusFontPixels = 15;
inline constexpr int kCapacitorItemHeight = 16;
// The hidden text-to-number converter, outside the notebook.
inline constexpr Place kConverterPlace{0, -8, 121, 22};

// The English source text; the window shows it in its language.
inline constexpr const char* kWindowCaption = QT_TRANSLATE_NOOP("TDialog", "Filter - Configuration");
inline constexpr const char* kNotebookName = "TabbedNotebook1";
inline constexpr const char* kConverterName = "realedit1";

// The controls of one page, the same on all four pages.
enum class Control {
    FrequencyCaption, FrequencyEntry, FrequencySpin,
    QCaption, QEntry, QSpin,
    GainCaption, GainEntry, GainSpin,
    CapacitorCaption, CapacitorBox,
    UpperDesignator, UpperValue, UpperStepper,
    MiddleDesignator, MiddleValue, MiddleStepper,
    LowerDesignator, LowerValue, LowerStepper,
    E12Button, E24Button, StatusLine,
};
inline constexpr int kControlCount = static_cast<int>(Control::StatusLine) + 1;

// The three resistor rows of a page, top to bottom.
enum class Row { Upper, Middle, Lower };

// The rows show the slots crossed: upper R2, middle R3, lower R1, so that the
// designators R(3s-2), R(3s-1), R(3s) follow the circuit drawing.
Slot rowSlot(Row row);
Row slotRow(Slot slot);

Control entryControl(Entry entry);
Control spinControl(Entry entry);
Control captionControl(Entry entry);
Control designatorControl(Row row);
Control valueControl(Row row);
Control stepperControl(Row row);

// Place on page `section` (1..4) as designed.
Place designedPlace(Control control, int section);
// The object name the control carries on page `section`.
std::string objectName(Control control, int section);
// The fixed caption of a label or button; empty for controls without one.
std::string caption(Control control, int section);
// Whether the label is resized to its caption at creation.
bool sizedToCaption(Control control);

// Tab caption and page name of section s.
std::string tabCaption(int section);

// A character height designed in pixels, as a point size: the toolkit then
// scales it with the screen's resolution like every designed length.
double designedPoints(int designedPixels);

// A designed length at the screen's resolution, rounded to whole pixels.
int scaledLength(int designed, int dpi);
Place scaledPlace(Place designed, int dpi);

// The notebook inside the client area: margins of a fortieth of the width
// and a thirty-third of the height, in integer arithmetic.
Place notebookPlace(int clientWidth, int clientHeight);

} // namespace tessera::dialog
