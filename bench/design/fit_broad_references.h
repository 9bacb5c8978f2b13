#pragma once
// The references of the broad benchmark's fixed set (fit_broad_cases.h),
// made by `fit_broad reference`. 0: no reference was made for the case.

namespace tessera::bench {

inline constexpr double kBroadReferenceRms[] = {0};

} // namespace tessera::bench
