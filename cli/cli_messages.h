#pragma once
// What tessera-design says beside the messages of the layers below it
// (messages.h tells how to use these). Its usage errors have always been
// English: the German program says them the same way.

#include "messages.h"

namespace tessera::cli {

inline constexpr Wording kUnknownLanguage{
    "tessera-design: unknown language \"%1\"; --language takes de (German) or en (English)",
    "tessera-design: unbekannte Sprache \"%1\"; --language nimmt de (Deutsch) oder en (Englisch)"};
inline constexpr Wording kLanguageNeedsValue{"tessera-design: --language takes de (German) or en (English)",
                                             "tessera-design: --language nimmt de (Deutsch) oder en (Englisch)"};
inline constexpr Wording kUnknownCommand = sameInBoth("tessera-design: unknown command \"%1\"");

// The words of a command (%1: an option's name without "--", or a word).
inline constexpr Wording kUnknownShortOutput = sameInBoth("unknown option -o");
inline constexpr Wording kOutputNeedsName = sameInBoth("-o needs a file name");
inline constexpr Wording kUnknownOption = sameInBoth("unknown option %1");
inline constexpr Wording kUnknownLongOption = sameInBoth("unknown option --%1");
inline constexpr Wording kOptionTakesNoValue = sameInBoth("--%1 takes no value");
inline constexpr Wording kOptionNeedsValue = sameInBoth("--%1 needs a value");
inline constexpr Wording kNameOneMeasurement = sameInBoth("name one measurement file");
inline constexpr Wording kNameOneConfiguration = sameInBoth("name one configuration file");
// %1: what to write, such as "OUT.tsn".
inline constexpr Wording kOutputRequired = sameInBoth("-o %1 is required");
inline constexpr Wording kOutputOverInput =
    sameInBoth("the output %1 is the same file as the input %2; write to another file");

// A file a command reads or writes that is not what it takes (%1: its name).
inline constexpr Wording kNotMeasurementExpected = sameInBoth("%1 is not a measurement file that Import reads");
inline constexpr Wording kNotConfigurationExpected = sameInBoth("%1 is not a configuration file (.tsn)");
inline constexpr Wording kNotNetlistExpected = sameInBoth("%1 is not a netlist");
inline constexpr Wording kNotPartsListExpected = sameInBoth("%1 is not a parts list");
inline constexpr Wording kNotFrdExpected = sameInBoth("%1 is not an FRD file");
inline constexpr Wording kNotSchematicExpected = sameInBoth("%1 is not a schematic");

// The circuit options.
inline constexpr Wording kBadGbw = sameInBoth("--gbw takes the op-amp's gain-bandwidth in Hz, from 10000 to 1E12");
inline constexpr Wording kCustomNeedsAllFour =
    sameInBoth("a custom op-amp takes all four of --gbw, --slew, --en and --in");
inline constexpr Wording kOpAmpNamedAndFigures =
    sameInBoth("name the op-amp with --opamp or give its figures, not both");
inline constexpr Wording kOpAmpRequired = sameInBoth("--opamp NAME or --gbw HZ is required");

// The fit's options.
inline constexpr Wording kBandOption = sameInBoth("--band takes LOW:HIGH in Hz, e.g. 40:16000");
inline constexpr Wording kLevelOption = sameInBoth("--level takes auto or a level in dB");
inline constexpr Wording kTiltOption = sameInBoth("--tilt takes a slope in dB per decade");
inline constexpr Wording kMaxBoostOption = sameInBoth("--max-boost takes a gain of 0 dB or more");
inline constexpr Wording kSeriesOption = sameInBoth("--series takes E24 or E12");
// Followed by the resistor range's refusal; %1 what was given.
inline constexpr Wording kResistorsOptionLead = sameInBoth("--resistors %1: ");
inline constexpr Wording kSmoothingOption = sameInBoth("--smoothing takes none, 1/48, 1/24, 1/12, 1/6, 1/3 or 1/1");
inline constexpr Wording kSectionsOption = sameInBoth("--sections takes numbers 1 to 4, e.g. 1,3");

inline constexpr Wording kUnknownWindow = sameInBoth("unknown window \"%1\"");
inline constexpr Wording kDrawingEnding = sameInBoth("the output must end in .svg or .pdf");

} // namespace tessera::cli
