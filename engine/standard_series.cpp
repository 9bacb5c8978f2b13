#include "standard_series.h"

#include <cmath>
#include <cstdio>

namespace tessera {
namespace {

constexpr std::array<std::int32_t, 24> kE24Decade = {100, 110, 120, 130, 150, 160, 180, 200,
                                                     220, 240, 270, 300, 330, 360, 390, 430,
                                                     470, 510, 560, 620, 680, 750, 820, 910};
constexpr std::array<std::int32_t, 10> kBelow100 = {39, 43, 47, 51, 56, 62, 68, 75, 82, 91};

std::string labelFor(std::int32_t ohms) {
    char text[16];
    if (ohms < 1000) {
        std::snprintf(text, sizeof text, "%d R", static_cast<int>(ohms));
    } else if (ohms >= 1000000) {
        std::snprintf(text, sizeof text, "%d M", static_cast<int>(ohms / 1000000));
    } else if (ohms < 10000 && ohms % 1000 != 0) {
        std::snprintf(text, sizeof text, "%d.%d K", static_cast<int>(ohms / 1000),
                      static_cast<int>(ohms % 1000 / 100));
    } else {
        std::snprintf(text, sizeof text, "%d K", static_cast<int>(ohms / 1000));
    }
    return text;
}

} // namespace

std::vector<double> e24Values(double lowest, double highest) {
    std::vector<double> values;
    if (!(lowest > 0) || !(highest >= lowest) || !std::isfinite(highest)) return values;
    // From the decade below `lowest`; decades as exact powers of ten.
    for (int exponent = static_cast<int>(std::floor(std::log10(lowest))) - 3;; ++exponent) {
        const double decade = std::pow(10.0, exponent);
        for (std::int32_t v : kE24Decade) {
            const double value = v * decade;
            if (value > highest * (1 + 1e-12)) return values;
            if (value >= lowest * (1 - 1e-12)) values.push_back(value);
        }
    }
}

void E24Init(FilterBankState& state) {
    std::size_t position = 0;
    for (std::int32_t v : kBelow100) state.SeriesValues[position++] = v;
    for (std::int32_t decade = 1; decade <= 1000; decade *= 10)
        for (std::int32_t v : kE24Decade) state.SeriesValues[position++] = v * decade;
    state.SeriesValues[position] = 1000000;

    for (std::size_t i = 0; i < state.SeriesValues.size(); ++i) {
        const std::string label = labelFor(state.SeriesValues[i]);
        auto& text = state.SeriesLabels[i].text;
        text.fill('\0');
        label.copy(text.data(), text.size() - 1);
    }
}

std::int32_t EReihenIndex(const FilterBankState& state, int section, double ohms,
                          std::optional<std::string>& status) {
    const auto& v = state.SeriesValues;
    if (std::isnan(ohms) || v[0] >= ohms) return 0;
    if (ohms >= v[kLastSeriesPosition]) return kLastSeriesPosition;

    // Now v[0] < ohms < v[106]: the scan stops at a position 1..106.
    int i = 1;
    while (!(v[static_cast<std::size_t>(i)] > ohms)) ++i;
    const auto value = [&](int position) { return static_cast<double>(v[static_cast<std::size_t>(position)]); };

    const FilterSection& s = state.section(section);
    const bool e24 = s.E24Snap || !s.E12Snap;
    if (e24) {
        status = kE24StatusText;
        const double below = ohms - value(i - 1);
        const double above = value(i) - ohms;
        return below >= above ? i : i - 1;
    }
    status = kE12StatusText;
    if (i % 2 == 1) return i - 1;
    const double below = ohms - value(i - 2);
    const double above = value(i) - ohms;
    return below >= above ? i : i - 2;
}

} // namespace tessera
