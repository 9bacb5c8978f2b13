#pragma once
// The error of a section's realisations predicted without evaluating their
// curves: the section's curve linearised in ln f, ln Q and gain dB around
// one design, on top of what the other sections and the measurement give.
// The prediction |e + J d|^2 costs a few operations where the curve costs a
// logarithm at every band point, so the parts search ranks hundreds of
// realisations by it and evaluates only the most promising.

#include "fit_problem.h"

#include <array>

namespace tessera {

class SectionModel {
public:
    // Around `design` of fitted section k; `others` is the band's total
    // without the section.
    SectionModel(const FitProblem& problem, int k, const SectionDesign& design, const std::vector<double>& others);

    // The predicted squared error with the section at `realised`.
    double predict(const SectionDesign& realised) const;

private:
    SectionDesign centre_;
    double error_ = 0;                 // e'e
    std::array<double, 3> slope_{};    // J'e
    std::array<double, 9> curvature_{}; // J'J
};

} // namespace tessera
