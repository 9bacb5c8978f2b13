#include "frequency_grid.h"

#include <cmath>

namespace tessera {

double gridRatio() {
    static const double ratio = std::pow(1000.0, 1.0 / 255.0);
    return ratio;
}

const std::array<double, kGridPoints>& gridFrequencies() {
    static const std::array<double, kGridPoints> grid = [] {
        std::array<double, kGridPoints> f{};
        const double b = gridRatio();
        double x = 20.0;
        for (auto& value : f) {
            value = x;
            x = x * b;
        }
        return f;
    }();
    return grid;
}

} // namespace tessera
