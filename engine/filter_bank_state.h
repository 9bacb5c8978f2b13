#pragma once
// The one record of the equaliser: four filter sections, the standard value
// table and every response curve. Plain data, fixed sizes, no heap.

#include <array>
#include <cstdint>

namespace tessera {

constexpr int kSectionCount = 4;
constexpr int kGridPoints = 256;
constexpr int kSeriesCount = 107;
constexpr int kLastSeriesPosition = kSeriesCount - 1;

// Sections 1 and 2 boost, sections 3 and 4 cut.
constexpr bool isBoostSection(int section) { return section <= 2; }

using Curve = std::array<double, kGridPoints>;

// Resistor slots of a section: R1 input (gain), R2 feedback (Q), R3 shunt (frequency).
enum class Slot { R1 = 0, R2 = 1, R3 = 2 };
constexpr int slotIndex(Slot slot) { return static_cast<int>(slot); }

struct FilterSection {
    double Frequency = 0;   // Hz
    double Q = 0;           // dimensionless
    double GainFactor = 0;  // band-pass gain A, dimensionless (not dB)
    double Capacitance = 0; // farads
    std::array<std::int32_t, 3> SeriesIndex{}; // table positions of R1, R2, R3
    std::uint8_t E12Snap = 0;
    std::uint8_t E24Snap = 0;
    Curve SectionCurve{}; // dB on the frequency grid
};

// A label of the standard value table: at most five single-byte characters.
struct SeriesLabel {
    std::array<char, 6> text{}; // NUL-terminated
    const char* c_str() const { return text.data(); }
};

struct FilterBankState {
    std::array<FilterSection, kSectionCount> sections{};

    double IdealR1 = 0; // ohms, of whichever section was computed last
    double IdealR2 = 0;
    double IdealR3 = 0;

    std::array<std::int32_t, kSeriesCount> SeriesValues{}; // ohms
    std::array<SeriesLabel, kSeriesCount> SeriesLabels{};

    Curve CombinedCurve{};    // sum of the four section curves
    Curve ImportedResponse{}; // dB, one value per grid point

    std::uint8_t Modified = 0;
    std::uint8_t DialogReady = 0;

    // Sections are numbered 1 to 4 everywhere in the program.
    FilterSection& section(int s) { return sections[static_cast<std::size_t>(s - 1)]; }
    const FilterSection& section(int s) const { return sections[static_cast<std::size_t>(s - 1)]; }
};

// The process-wide instance used by the program's windows.
FilterBankState& bankState();

} // namespace tessera
