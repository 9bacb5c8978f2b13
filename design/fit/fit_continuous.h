#pragma once
// The first half of the fit: ideal sections, unconstrained by the parts.
// Start values from the dips and peaks of the deviation, then a bounded
// Levenberg-Marquardt descent over ln f, ln Q and gain with the exact section
// response, restarted from re-seeded sections to leave poor local minima.

#include "fit_problem.h"

#include <atomic>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace tessera {

using Designs = std::vector<SectionDesign>; // one per fitted section

// f 20 Hz - 20 kHz, Q 0.1 - 8, gain 0 - the section's limit and low enough
// to be buildable (A < 2 Q^2).
SectionDesign clampDesign(const FitProblem& problem, int k, SectionDesign design);

// d(response dB)/d(ln f, ln Q, gain dB) of fitted section k at each band
// point, into three columns of problem.points() values.
void sectionDerivatives(const FitProblem& problem, int k, const SectionDesign& d, double* columns);

// base + the fitted sections' responses at each band point.
std::vector<double> totalCurve(const FitProblem& problem, const Designs& designs);
double designError(const FitProblem& problem, const Designs& designs);

// Every fitted section placed on the largest remaining dip (boost) or peak
// (cut) of the smoothed deviation, the largest first.
Designs seedDesigns(const FitProblem& problem);

inline constexpr int kFullDescentIterations = 120;

// Where the best ideal design comes this near the target (RMS dB), the parts'
// steps matter more than the ideal error, whose order then says little about
// the realised one: the search holds more distinct designs there.
inline constexpr double kNearFlatRmsDb = 0.05;
// Whether a design of this squared error is near flat, as above.
inline bool nearFlat(const FitProblem& problem, double squaredError) {
    return std::sqrt(squaredError / problem.points()) < kNearFlatRmsDb;
}

// Levenberg-Marquardt from `start`; never worse than `start`. A descent whose
// squared error is still above `abandonAbove` after kAbandonCheckIterations
// stops there: a start that cannot come near the best so far. `error`
// receives the squared error of the design returned.
inline constexpr int kAbandonCheckIterations = 10;
Designs refineDesigns(const FitProblem& problem, Designs start, int maxIterations = kFullDescentIterations,
                      double abandonAbove = std::numeric_limits<double>::infinity(), double* error = nullptr);

// Seeds, refines, and re-seeds each section and each pair of sections on
// what the others leave, tries each section idle with the others refitted
// and placed again, and descends from `search.randomStarts` random starts
// (times four over the number of sections fitted; most of them the best
// design with one to three sections drawn afresh, the rest wholly random;
// near flat, 1.28 times as many), keeping whatever lowers the error. Returns the best `search.candidates`
// distinct minima found (no two of nearly the same curve), the best first. `cancel` is polled between
// descents; `progress` (0..1 of this stage) is reported after each.
std::vector<Designs> fitIdealSections(const FitProblem& problem, const std::atomic<bool>* cancel,
                                      const std::function<void(double)>& progress, const FitSearch& search = {});

} // namespace tessera
