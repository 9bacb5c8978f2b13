#pragma once
// What the chosen op-amp does to each section's band-pass stage, next to the
// ideal figures, and the pre-compensation that gives the frequency and Q
// asked for with that op-amp.

#include "design_messages.h"
#include "filter_engine.h"
#include "stage_response.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tessera {

struct OpAmpRow {
    bool buildable = false;
    StageFigures ideal;
    std::optional<StageFigures> real;  // with the op-amp (ideal op-amp: equal to ideal)
    std::optional<double> lowestGbw;   // keeps f and Q within 1 % of ideal
};

// With the op-amp's single-pole model (its gain-bandwidth is what moves f and Q).
std::array<OpAmpRow, kSectionCount> opAmpTable(const FilterEngine& engine, const OpAmpModel& opAmp);

// The table as text, one line per section, numbers with `separator`.
std::vector<std::vector<std::string>> opAmpTableCells(const std::array<OpAmpRow, kSectionCount>& table,
                                                       char separator);
const std::vector<std::string>& opAmpTableHeadings();

// The design (frequency, Q, gain factor) whose ideal parts realise, with the
// op-amp of `gbw`, the frequency, Q and peak gain of `target`; nullopt when
// no buildable design does.
struct SectionDesign {
    double frequency = 0, q = 0, gainFactor = 0;
};
std::optional<SectionDesign> compensatedDesign(double capacitance, const SectionDesign& target, double gbw);

// Pre-compensation of the sections, remembering what the user asked for: a
// section compensated before and not changed since is compensated again
// towards its first target, not towards the compensated values.
class Precompensation {
public:
    struct Outcome {
        bool done = false;
        // Standard parts may snap back to the very same values when the
        // op-amp's shift is smaller than a step of the series.
        bool partsChanged = false;
        Message message; // what the user is told: done, parts unchanged, or why not
        SectionDesign target;
    };
    Outcome apply(FilterEngine& engine, int section, double gbw);

private:
    struct Memory {
        SectionDesign target;
        SectionDesign left; // the section's values after the compensation
        double capacitance = 0;
    };
    std::array<std::optional<Memory>, kSectionCount> memory_;
};

} // namespace tessera
