#include "section_response.h"

#include "frequency_grid.h"
#include "vector_state.h"

#include <algorithm>
#include <cmath>

namespace tessera {

double sectionResponseDb(double f, double F, double Q, double A, bool boost, double lowestSoFar) {
    const double omega = f / F;
    const double M = (A * omega / Q) /
                     std::sqrt(std::pow(omega, 4.0) + omega * omega * (1 / (Q * Q) - 2) + 1);
    const double phi = std::atan2((1 - omega * omega) * Q, omega);
    const double re = M * std::cos(phi) + 1;
    const double im = M * std::sin(phi);
    const double m = std::sqrt(re * re + im * im);
    if (!(m > 0)) return lowestSoFar;
    const double v = boost ? m : 1 / m;
    return 20 * std::log10(v);
}

Curve sectionCurveDb(double F, double Q, double A, bool boost) {
    clearUpperVectorState();
    const auto& grid = gridFrequencies();
    Curve curve;
    double lowest = 0;
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        curve[i] = sectionResponseDb(grid[i], F, Q, A, boost, lowest);
        lowest = std::min(lowest, curve[i]);
    }
    return curve;
}

} // namespace tessera
