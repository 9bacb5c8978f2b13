#pragma once
// The entries of the circuit tools, checked alike in the dialogs and on the
// command line: each check gives the value or a message that says what is
// allowed; a refused entry changes nothing.

#include "circuit_settings.h"
#include "design_messages.h"
#include "grid_band.h"
#include "opamp_model.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessera {

// A number as the user types it ("." or "," as decimal separator, blanks
// around it ignored); nullopt for anything else, including a value too large
// for the conversion.
std::optional<double> typedNumber(std::string_view text);
// A whole number in decimal digits (blanks around it ignored); nullopt for
// anything else.
std::optional<long long> typedWholeNumber(std::string_view text);

template <typename T> struct Checked {
    std::optional<T> value;
    Message message; // set when value is empty

    bool ok() const { return value.has_value(); }
};

// Gain-bandwidth in Hz; the empty text means the ideal op-amp (value 0).
inline constexpr double kLowestGbw = 1e4, kHighestGbw = 1e12;
Checked<double> checkGbw(std::string_view text);

// The four figures of a "Custom" op-amp as typed: gain-bandwidth in Hz
// (10000 to 1E12), slew rate in V/us (0.001 to 1E5), voltage noise en in
// nV/sqrt(Hz) (0.01 to 1E5) and current noise in in pA/sqrt(Hz) (1E-5 to
// 1E5). The message names the first figure refused and its range.
inline constexpr double kLowestSlew = 1e-3, kHighestSlew = 1e5;
inline constexpr double kLowestEn = 1e-2, kHighestEn = 1e5;
inline constexpr double kLowestIn = 1e-5, kHighestIn = 1e5;
Checked<OpAmpModel> checkCustomOpAmp(std::string_view gbw, std::string_view slew, std::string_view en,
                                     std::string_view in);
// The same rule on figures already read (remembered ones): the message for
// the first figure out of range, nullopt when all four are usable.
std::optional<Message> customOpAmpFault(const OpAmpModel& model);

// Tolerances in percent, one of the offered values.
inline constexpr double kResistorTolerances[] = {0.1, 0.5, 1, 2, 5};
inline constexpr double kCapacitorTolerances[] = {1, 2, 5, 10};
Checked<double> checkResistorTolerance(std::string_view text);
Checked<double> checkCapacitorTolerance(std::string_view text);

inline constexpr long long kMostTrials = 100000;
Checked<int> checkTrials(std::string_view text);
// Any whole number from 0 to 2^63 - 1.
Checked<unsigned long long> checkSeed(std::string_view text);

// "LOW:HIGH": the two numbers as typed; nullopt without the colon or when
// either side is no number.
struct TypedBand {
    double low = 0, high = 0;
};
std::optional<TypedBand> typedBand(std::string_view text);

// "LOW:HIGH" in Hz: the grid points of that band; refused when it holds none.
Checked<GridBand> checkBand(std::string_view text);

// An op-amp of the catalogue by name, letter case ignored; an unknown name
// (and "Custom", which needs its figures: checkCustomOpAmp) is answered with
// the known ones.
Checked<OpAmpModel> checkOpAmpName(std::string_view name);

// Ohms as typed: a number, optionally with "k" (kilo-ohms) or "M"
// (mega-ohms) right after it ("4.7k", "1M", "10000").
std::optional<double> typedOhms(std::string_view text);

// The summing resistors: an E24 value from 1 k to 100 k.
Checked<double> checkSummingOhms(std::string_view text);

// "LOW:HIGH" in ohms ("1k:1M"): both positive and finite, LOW below HIGH.
Checked<ResistorRange> checkResistorRange(std::string_view text);

// The largest input level, a sine, in dBu.
inline constexpr double kLowestInputLevelDbu = -60, kHighestInputLevelDbu = 40;
Checked<double> checkInputLevel(std::string_view text);

// The largest output peak of the op-amps in volts.
inline constexpr double kLowestOutputPeakV = 0.1, kHighestOutputPeakV = 100;
Checked<double> checkOutputPeak(std::string_view text);

// The same rules on values already read (remembered ones).
bool allowedSummingOhms(double ohms);
bool allowedResistorRange(const ResistorRange& range);
bool allowedInputLevel(double dbu);
bool allowedOutputPeak(double volts);

} // namespace tessera
