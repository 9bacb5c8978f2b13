#include "fit_target.h"

#include "fit_problem.h"
#include "frequency_grid.h"
#include "measurement_import.h"
#include "standard_series.h"
#include "portable_math.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace tessera {

std::optional<int> smoothingNamed(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower == "none") return 0;
    for (int n : kSmoothingFractions)
        if (lower == "1/" + std::to_string(n)) return n;
    return std::nullopt;
}

std::string smoothingName(int octaveFraction) {
    return octaveFraction == 0 ? "none" : "1/" + std::to_string(octaveFraction);
}

bool isOfferedSmoothing(int octaveFraction) {
    return octaveFraction == 0 ||
           std::find(std::begin(kSmoothingFractions), std::end(kSmoothingFractions), octaveFraction) !=
               std::end(kSmoothingFractions);
}

Curve smoothedCurve(const Curve& curve, int octaveFraction) {
    if (octaveFraction <= 0) return curve;
    const auto& f = gridFrequencies();
    const double half = std::exp2(1.0 / (2.0 * octaveFraction));
    Curve out{};
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        const double low = f[i] / half, high = f[i] * half;
        double sum = 0;
        int count = 0;
        for (std::size_t j = 0; j < kGridPoints; ++j)
            if (f[j] >= low && f[j] <= high) sum += curve[j], ++count;
        out[i] = sum / count;
    }
    return out;
}

Curve fitMeasurement(const FilterBankState& state, const FitSettings& settings) {
    return smoothedCurve(state.ImportedResponse, settings.smoothing);
}

namespace {

// A curve at 1 kHz, read on a straight line in log f between the grid
// points on either side.
double atOneKilohertz(const Curve& curve) {
    const auto& f = gridFrequencies();
    const auto above = static_cast<std::size_t>(std::upper_bound(f.begin(), f.end(), 1000.0) - f.begin());
    const std::size_t below = above - 1;
    const double t = portableLog(1000.0 / f[below]) / portableLog(f[above] / f[below]);
    return curve[below] + t * (curve[above] - curve[below]);
}

} // namespace

Curve targetShape(const FitSettings& settings) {
    const auto& f = gridFrequencies();
    Curve shape{};
    const double offset = settings.target ? atOneKilohertz(settings.target->values) : 0;
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        shape[i] = tiltAt(settings.tiltDbPerDecade, f[i]);
        if (settings.target) shape[i] += settings.target->values[i] - offset;
    }
    return shape;
}

Curve targetFor(const Curve& result, const FitSettings& settings, GridBand band, double& level) {
    const Curve shape = targetShape(settings);
    if (settings.level) {
        level = *settings.level;
    } else {
        double sum = 0;
        for (int i = band.first; i <= band.last; ++i) {
            const auto g = static_cast<std::size_t>(i);
            sum += result[g] - shape[g];
        }
        level = sum / band.count();
    }
    Curve target;
    for (std::size_t i = 0; i < kGridPoints; ++i) target[i] = level + shape[i];
    return target;
}

Curve fittedResult(const FilterBankState& state, const Curve& measurement) {
    Curve result;
    for (std::size_t i = 0; i < kGridPoints; ++i) result[i] = state.CombinedCurve[i] + measurement[i];
    return result;
}

bool targetReachesBand(const TargetCurve& target, GridBand band) {
    if (band.count() == 0) return false;
    const auto& f = gridFrequencies();
    return target.lowHz <= f[static_cast<std::size_t>(band.last)] &&
           target.highHz >= f[static_cast<std::size_t>(band.first)];
}

TargetReading readTargetCurve(const std::string& fileName) {
    // A bank of its own, as the program starts it: Import leaves the curve there.
    auto scratch = std::make_unique<FilterBankState>();
    E24Init(*scratch);
    FilterEngine engine(*scratch);
    engine.Reset(true);
    TargetReading reading;
    reading.outcome = importMeasurement(engine, fileName);
    if (reading.outcome.ignored())
        reading.outcome = FileOutcome::refusal({kNotMeasurementFile, {fileName}});
    if (!reading.outcome.done()) return reading;
    reading.curve = TargetCurve{fileName, scratch->ImportedResponse, reading.outcome.importedLowHz,
                                reading.outcome.importedHighHz};
    return reading;
}

} // namespace tessera
