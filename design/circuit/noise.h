#pragma once
// The equaliser's output noise: every resistor's thermal noise (4kTR at
// 300.15 K, as SPICE assumes) and each op-amp's voltage noise en and current
// noise in (flat, in at both inputs), through the circuit as the netlist
// builds it (circuit_response.h). The density at the grid frequencies, the
// totals over 20 Hz to 20 kHz unweighted and A-weighted, and the parts'
// shares of the A-weighted total.
//
// Contributors are named by designator: "R7" a page resistor, "R13" ...
// "R28" a summing resistor, "U3 en" an op-amp's voltage noise, "U3 in" its
// current noise (both inputs together).

#include "circuit_settings.h"
#include "filter_bank_state.h"
#include "section_parts.h"

#include <string>
#include <vector>

namespace tessera {

struct NoiseContributor {
    std::string part; // "R13", "U1 en", "U1 in"
    double share = 0; // of the A-weighted output noise power, 0 ... 1
};

struct NoiseResult {
    Curve densityNv{}; // output noise density at the grid frequencies, nV/sqrt(Hz)
    double totalUv = 0, totalDbu = 0;         // 20 Hz to 20 kHz, unweighted, rms
    double aWeightedUv = 0, aWeightedDbu = 0; // the same A-weighted
    std::vector<NoiseContributor> contributors; // every part with a share, largest first
};

// The parts must be buildable (unbuildableReason).
NoiseResult analyseNoise(const CircuitParts& parts, const CircuitSettings& settings);

// Only the A-weighted output noise in uV rms, for a search that compares many
// sets of parts (well under a millisecond).
double aWeightedNoiseUv(const CircuitParts& parts, const CircuitSettings& settings);

// The IEC 61672 A-weighting as a gain factor, 1 at 1 kHz.
double aWeighting(double frequency);

// A level in volts rms as dBu (0 dBu = 0.7746 V rms) and back.
inline constexpr double kZeroDbuVolts = 0.7745966692414834; // sqrt(0.6)
double voltsToDbu(double volts);
double dbuToVolts(double dbu);

} // namespace tessera
