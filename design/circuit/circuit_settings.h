#pragma once
// What the circuit tools need beyond the four sections: the op-amp, the
// value of the summing resistors (the four equal resistors of each boost
// section's difference amplifier and each cut section's gain-2 stage), the
// level the equaliser is driven with, the op-amps' output swing, and the
// range of resistor values a designer would build. Not part of the
// configuration file: the program keeps them as settings.

#include "opamp_model.h"

namespace tessera {

inline constexpr double kDefaultSummingOhms = 10e3;
inline constexpr double kLowestSummingOhms = 1e3, kHighestSummingOhms = 100e3;
inline constexpr double kDefaultInputLevelDbu = 4;
inline constexpr double kDefaultOutputPeakV = 13.5; // +-15 V rails less 1.5 V
inline constexpr double kDefaultLowestResistor = 1e3, kDefaultHighestResistor = 1e6;

struct ResistorRange {
    double low = kDefaultLowestResistor, high = kDefaultHighestResistor; // ohms
    bool contains(double ohms) const { return ohms >= low && ohms <= high; }
    bool operator==(const ResistorRange&) const = default;
};

struct CircuitSettings {
    OpAmpModel opAmp = idealOpAmp();
    double summingOhms = kDefaultSummingOhms;  // an E24 value from 1 k to 100 k
    double inputLevelDbu = kDefaultInputLevelDbu; // largest input, sine
    double outputPeakV = kDefaultOutputPeakV;     // largest output peak of an op-amp
    ResistorRange resistors;

    bool operator==(const CircuitSettings&) const = default;
};

} // namespace tessera
