#pragma once
// A section of the design as it stands, kept to be put back later (undo and
// redo): what its record holds besides its curve, which follows from
// frequency, Q and gain alone, and the texts its page shows, which follow
// from how the values were reached (typed, spun, snapped) and so are kept.

#include "filter_bank_state.h"
#include "page_model.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tessera {

struct SectionSettings {
    double Frequency = 0;
    double Q = 0;
    double GainFactor = 0;
    double Capacitance = 0;
    std::array<std::int32_t, 3> SeriesIndex{};
    std::uint8_t E12Snap = 0;
    std::uint8_t E24Snap = 0;

    bool operator==(const SectionSettings&) const = default;
    // Frequency, Q and gain, from which the section's curve follows.
    bool sameCurve(const SectionSettings& other) const {
        return Frequency == other.Frequency && Q == other.Q && GainFactor == other.GainFactor;
    }
};

struct SectionSnapshot {
    SectionSettings settings;
    PageTexts page;
    bool operator==(const SectionSnapshot&) const = default;
};

// IdealR1, IdealR2, IdealR3: the engine's working values, of whichever
// section was computed last.
using IdealResistors = std::array<double, 3>;

// Which parts of a page differ between two sets of texts (PageChange bits).
unsigned pageDifferences(const PageTexts& a, const PageTexts& b);

} // namespace tessera
