#include "fit_section_model.h"

#include "fit_continuous.h"

namespace tessera {

SectionModel::SectionModel(const FitProblem& problem, int k, const SectionDesign& design,
                           const std::vector<double>& others)
    : centre_(design) {
    const int m = problem.points();
    std::vector<double> residual = others;
    addSectionResponse(problem.frequencies, design.frequency(), design.q(), design.gainFactor(), problem.boost(k), 1,
                       residual.data());
    std::vector<double> columns(static_cast<std::size_t>(3 * m));
    sectionDerivatives(problem, k, design, columns.data());
    // Measured from the level; an automatic level follows the curve's mean,
    // so the residual and the derivatives lose their means.
    const double level = levelFor(problem, residual.data());
    for (double& r : residual) r -= level;
    if (!problem.level)
        for (int p = 0; p < 3; ++p) {
            double* column = columns.data() + p * m;
            double mean = 0;
            for (int i = 0; i < m; ++i) mean += column[i];
            mean /= m;
            for (int i = 0; i < m; ++i) column[i] -= mean;
        }
    for (int i = 0; i < m; ++i) error_ += residual[static_cast<std::size_t>(i)] * residual[static_cast<std::size_t>(i)];
    for (int a = 0; a < 3; ++a) {
        const double* ja = columns.data() + a * m;
        double g = 0;
        for (int i = 0; i < m; ++i) g += ja[i] * residual[static_cast<std::size_t>(i)];
        slope_[static_cast<std::size_t>(a)] = g;
        for (int b = 0; b < 3; ++b) {
            const double* jb = columns.data() + b * m;
            double s = 0;
            for (int i = 0; i < m; ++i) s += ja[i] * jb[i];
            curvature_[static_cast<std::size_t>(3 * a + b)] = s;
        }
    }
}

double SectionModel::predict(const SectionDesign& realised) const {
    const std::array<double, 3> d{realised.logF - centre_.logF, realised.logQ - centre_.logQ,
                                  realised.gainDb - centre_.gainDb};
    double value = error_;
    for (std::size_t a = 0; a < 3; ++a) {
        value += 2 * slope_[a] * d[a];
        for (std::size_t b = 0; b < 3; ++b) value += d[a] * curvature_[3 * a + b] * d[b];
    }
    return value;
}

} // namespace tessera
