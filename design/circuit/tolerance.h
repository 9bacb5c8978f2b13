#pragma once
// Part tolerances: every resistor and capacitor of the four sections drawn
// independently, uniform within its tolerance, and the realised combined
// response of each trial with the chosen op-amp (its single-pole model). The lowest and highest value at each
// grid point, the largest deviation from the nominal within a band, and each
// part's share of the spread.

#include "grid_band.h"
#include "opamp_model.h"
#include "section_parts.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessera {

struct ToleranceSettings {
    double resistorPercent = 1;
    double capacitorPercent = 5;
    int trials = 1000;
    std::uint64_t seed = 1;
    GridBand band = fullGridBand();
    OpAmpModel opAmp = idealOpAmp();
};

struct PartShare {
    std::string designator; // R1 ... R12, C1 ... C8
    double share = 0;       // of the spread over the band, 0 ... 1
    double aloneDb = 0;     // largest deviation in the band with only this part at a tolerance end
};

struct ToleranceResult {
    ToleranceSettings settings;
    CircuitParts parts; // the nominal parts the run belongs to
    Curve nominal{}, lowest{}, highest{}; // combined response in dB, without the imported one
    double largestDeviationDb = 0; // within the band, from the nominal
    int largestDeviationPoint = 0; // grid index where it occurs
    std::vector<PartShare> ranking; // the largest share first
};

// The combined response of the four sections for these parts and op-amp;
// capacitors of one section may differ.
Curve combinedDb(const CircuitParts& parts, const OpAmpModel& opAmp = idealOpAmp());

// Called with the trials done so far; false cancels the run.
using ToleranceProgress = std::function<bool(int done, int total)>;

// nullopt when cancelled. The parts must be buildable and the band not empty.
std::optional<ToleranceResult> runTolerance(const CircuitParts& parts, const ToleranceSettings& settings,
                                            const ToleranceProgress& progress = {});

} // namespace tessera
