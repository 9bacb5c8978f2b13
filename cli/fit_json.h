#pragma once
// `tessera-design fit --json`: the fit as one JSON object for scripts.
//
// Keys: band_hz [low, high] (as asked), points (grid points in the band),
// level_db, tilt_db_per_decade, smoothing ("none", "1/6" ...), target
// ("line" or the target file's name), frequencies_hz, measurement_db (after
// smoothing), target_db, result_before_db, result_after_db (each 256 values,
// the Result curves before and after Apply), rms_before_db,
// largest_before_db, rms_after_db, largest_after_db, and sections: four
// objects with section, fitted, frequency_hz, q, gain_db, capacitor_nf,
// resistors_ohms [R1, R2, R3 of the page] and series ("E24", "E12", or
// "none" for a kept section in exact mode). Beside them: opamp (its name),
// summing_resistor_ohms, resistor_range_ohms [low, high], and the A-weighted
// output noise before and after, noise_a_before_uv, noise_a_before_dbu,
// noise_a_after_uv, noise_a_after_dbu (null when the parts cannot be built).

#include "fit_types.h"

#include <string>

namespace tessera::cli {

std::string fitJson(const FitResult& result, const FilterBankState& table, const FitSettings& settings);

} // namespace tessera::cli
