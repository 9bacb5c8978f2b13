#include "opamp_table.h"

#include "number_text.h"
#include "section_formulas.h"

#include <algorithm>
#include <cmath>

namespace tessera {
namespace {

SectionParts idealParts(double capacitance, const SectionDesign& d) {
    FilterBankState scratch;
    RBerechnen(scratch, capacitance, d.frequency, d.q, d.gainFactor);
    SectionParts p;
    p.C1 = p.C2 = capacitance;
    p.R1 = scratch.IdealR1;
    p.R2 = scratch.IdealR2;
    p.R3 = scratch.IdealR3;
    p.exact = true;
    return p;
}

SectionDesign designOf(const FilterSection& s) { return {s.Frequency, s.Q, s.GainFactor}; }

bool sameDesign(const SectionDesign& a, const SectionDesign& b) {
    return a.frequency == b.frequency && a.q == b.q && a.gainFactor == b.gainFactor;
}

std::string percentChange(double real, double ideal, char separator) {
    return signedFixedText(100 * (real / ideal - 1), 4, 2, separator) + " %";
}

// At least three significant digits (25.7, 2.57, 0.257) and no more
// decimals than that takes; five digits before the exponent form.
std::string significantText(double value, char separator) {
    const int exponent = value > 0 ? static_cast<int>(std::floor(std::log10(value))) : 0;
    return fixedText(value, 5, std::max(0, 2 - exponent), separator);
}

std::string hertz(double f, char separator) {
    return f >= 1e6   ? significantText(f / 1e6, separator) + " MHz"
           : f >= 1e3 ? significantText(f / 1e3, separator) + " kHz"
                      : significantText(f, separator) + " Hz";
}

} // namespace

std::array<OpAmpRow, kSectionCount> opAmpTable(const FilterEngine& engine, const OpAmpModel& opAmp) {
    const double gbw = opAmp.isIdeal() ? 0 : opAmp.gbw;
    std::array<OpAmpRow, kSectionCount> table;
    const CircuitParts parts = circuitParts(engine);
    for (std::size_t k = 0; k < table.size(); ++k) {
        OpAmpRow& row = table[k];
        const SectionParts& p = parts[k];
        row.buildable = p.R1 > 0 && p.R2 > 0 && p.R3 > 0 && p.C1 > 0 && p.C2 > 0;
        if (!row.buildable) continue;
        row.ideal = idealStage(p);
        row.real = gbw > 0 ? realisedStage(p, gbw) : std::optional<StageFigures>(row.ideal);
        row.lowestGbw = lowestAdequateGbw(p);
    }
    return table;
}

const std::vector<std::string>& opAmpTableHeadings() {
    static const std::vector<std::string> headings = {
        "Section", "f ideal", "f real", "f change", "Q ideal", "Q real", "Q change",
        "Gain ideal", "Gain real", "GBW for 1 %"};
    return headings;
}

std::vector<std::vector<std::string>> opAmpTableCells(const std::array<OpAmpRow, kSectionCount>& table,
                                                       char separator) {
    std::vector<std::vector<std::string>> cells;
    for (int s = 1; s <= kSectionCount; ++s) {
        const OpAmpRow& row = table[static_cast<std::size_t>(s - 1)];
        std::vector<std::string> line = {"Filter" + std::to_string(s)};
        if (!row.buildable) {
            line.push_back("cannot be built (err)");
            cells.push_back(line);
            continue;
        }
        const auto gain = [&](double a) { return fixedText(shownGainDb(s, a), 3, 2, separator) + " dB"; };
        line.push_back(significantText(row.ideal.frequency, separator) + " Hz");
        if (row.real) {
            line.push_back(significantText(row.real->frequency, separator) + " Hz");
            line.push_back(percentChange(row.real->frequency, row.ideal.frequency, separator));
        } else {
            line.insert(line.end(), {"no peak", "-"});
        }
        line.push_back(fixedText(row.ideal.q, 3, 2, separator));
        if (row.real) {
            line.push_back(fixedText(row.real->q, 3, 2, separator));
            line.push_back(percentChange(row.real->q, row.ideal.q, separator));
        } else {
            line.insert(line.end(), {"-", "-"});
        }
        line.push_back(gain(row.ideal.peakGain));
        line.push_back(row.real ? gain(row.real->peakGain) : "-");
        line.push_back(row.lowestGbw ? hertz(*row.lowestGbw, separator) : "above 1E12 Hz");
        cells.push_back(line);
    }
    return cells;
}

std::optional<SectionDesign> compensatedDesign(double capacitance, const SectionDesign& target, double gbw) {
    if (gbw <= 0) return target;
    // The op-amp moves frequency, Q and gain smoothly and by a few per cent:
    // scaling each by what is missing converges in a few rounds.
    SectionDesign design = target;
    for (int round = 0; round < 100; ++round) {
        if (!(design.gainFactor < 2 * design.q * design.q) && design.gainFactor > 0) return std::nullopt;
        const auto real = realisedStage(idealParts(capacitance, design), gbw);
        if (!real) return std::nullopt;
        const double fRatio = target.frequency / real->frequency;
        const double qRatio = target.q / real->q;
        const double aRatio = target.gainFactor > 0 ? target.gainFactor / real->peakGain : 1;
        design.frequency *= fRatio;
        design.q *= qRatio;
        design.gainFactor *= aRatio;
        if (std::fabs(fRatio - 1) < 1e-10 && std::fabs(qRatio - 1) < 1e-10 && std::fabs(aRatio - 1) < 1e-10)
            return design;
    }
    return std::nullopt;
}

Precompensation::Outcome Precompensation::apply(FilterEngine& engine, int section, double gbw) {
    Outcome outcome;
    const FilterSection& s = engine.state().section(section);
    std::optional<Memory>& memory = memory_[static_cast<std::size_t>(section - 1)];
    const SectionDesign now = designOf(s);
    outcome.target = memory && sameDesign(memory->left, now) && memory->capacitance == s.Capacitance
                         ? memory->target
                         : now;
    const auto design = compensatedDesign(s.Capacitance, outcome.target, gbw);
    if (!design) {
        outcome.message = {kNotReachableWithOpAmp, {std::to_string(section)}};
        return outcome;
    }
    const SectionParts before = sectionParts(engine, section);
    engine.setDesign(section, design->frequency, design->q, design->gainFactor);
    memory = Memory{outcome.target, designOf(engine.state().section(section)), engine.state().section(section).Capacitance};
    outcome.done = true;
    outcome.partsChanged = !(sectionParts(engine, section) == before);
    outcome.message = {outcome.partsChanged ? kPreCompensated : kShiftBelowStep, {std::to_string(section)}};
    return outcome;
}

} // namespace tessera
