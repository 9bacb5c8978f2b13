#pragma once
// How loud the equaliser may be driven: for each of the eight op-amps the
// gain from the equaliser's input to its output over the grid, its headroom
// at the input level, the largest input level before any op-amp clips, the
// slew rate each op-amp needs at that level against its own, and the
// dynamic range. The circuit as the netlist builds it (circuit_response.h).

#include "circuit_settings.h"
#include "designators.h"
#include "filter_bank_state.h"
#include "section_parts.h"

#include <array>
#include <optional>
#include <string>

namespace tessera {

struct StageHeadroom {
    int section = 1; // 1 ... 4
    Stage stage = Stage::BandPass;
    Curve gainDb{};                // from the equaliser's input to this op-amp's output
    double largestGainDb = 0;      // over the grid
    int largestGainPoint = 0;      // grid index where it occurs
    double headroomDb = 0;         // output peak over the peak this op-amp reaches at the input level
    double slewNeededVPerUs = 0;   // largest 2 pi f peak over the grid, at the largest clean input level
    std::optional<double> slewMarginDb; // own slew rate over the needed one; nullopt: unlimited (ideal)

    std::string designator() const { return opAmpDesignator(section, stage); }
};

struct HeadroomResult {
    std::array<StageHeadroom, 2 * kSectionCount> stages; // U1 ... U8
    double largestInputDbu = 0; // the largest input level before any op-amp clips
    int clipsFirst = 0;         // index into stages of the op-amp with the least headroom
    double gainAtOneKilohertzDb = 0; // the four sections (not the measurement) at 1 kHz
};

// The parts must be buildable (unbuildableReason).
HeadroomResult analyseHeadroom(const CircuitParts& parts, const CircuitSettings& settings);

// The largest clean input level plus the equaliser's gain at 1 kHz, less the
// A-weighted output noise (dBu).
double dynamicRangeDb(const HeadroomResult& headroom, double aWeightedNoiseDbu);

// "band-pass" or "summing".
const char* stageName(Stage stage);

} // namespace tessera
