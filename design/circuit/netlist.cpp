#include "netlist.h"

#include "circuit_response.h"
#include "designators.h"
#include "safe_save.h"
#include "number_text.h"
#include "section_formulas.h"
#include "section_parts.h"

#include <array>
#include <cmath>
#include <numbers>

namespace tessera {
namespace {

// 4kT at the temperature SPICE assumes, in V^2 / (ohm Hz).
constexpr double kFourKT = 4 * kBoltzmann * kNoiseTemperatureK;

// The op-amp's en and in from noisy resistors through controlled sources
// (see netlist.h); only a real op-amp has them.
void opAmpNoise(std::string& out, const OpAmpModel& opAmp) {
    if (opAmp.enNv > 0) {
        const double en = opAmp.enNv * 1e-9;
        out += "* voltage noise " + significantText(opAmp.enNv, 9) + " nV/sqrt(Hz): thermal noise of RN added to the input\n";
        out += "RN en 0 " + significantText(en * en / kFourKT, 9) + "\n";
        out += "G2 0 p en 0 1\n";
    }
    if (opAmp.inPa > 0) {
        const double in = opAmp.inPa * 1e-12;
        const std::string ohms = significantText(kFourKT / (in * in), 9), siemens = significantText(in * in / kFourKT, 9);
        out += "* current noise " + significantText(opAmp.inPa, 9) + " pA/sqrt(Hz) at each input: thermal noise of RI as a current\n";
        out += "RIP ip 0 " + ohms + "\nGIP inp 0 ip 0 " + siemens + "\n";
        out += "RIN im 0 " + ohms + "\nGIN inn 0 im 0 " + siemens + "\n";
    }
}

void opAmpSubcircuit(std::string& out, const OpAmpModel& opAmp) {
    const double gbw = opAmp.gbw;
    out += ".subckt opamp inp inn out\n";
    if (gbw > 0) {
        // A transconductance into R || C: DC gain gm R = 1e5, pole at
        // 1 / (2 pi R C) = GBW / 1e5; a unity buffer drives the output. R is
        // a controlled source (a current of its own voltage over R), so it
        // adds no noise of its own.
        const double capacitance = 1 / (2 * std::numbers::pi * gbw);
        out += "* " + opAmp.name + ", single pole: gain-bandwidth " + significantText(gbw, 9) + " Hz, open-loop gain " +
               significantText(kSinglePoleDcGain, 6) + "\n";
        out += "G1 0 p inp inn 1\n";
        out += "GR p 0 p 0 " + significantText(1 / kSinglePoleDcGain, 6) + "\n";
        out += "C1 p 0 " + significantText(capacitance, 9) + "\n";
        out += "E1 out 0 p 0 1\n";
        opAmpNoise(out, opAmp);
    } else {
        out += "* ideal: voltage-controlled source of gain " + significantText(kIdealOpAmpGain, 6) + "\n";
        out += "E1 out 0 inp inn " + significantText(kIdealOpAmpGain, 6) + "\n";
    }
    out += ".ends opamp\n";
}

void sectionHeading(std::string& out, const FilterEngine& engine, int s, const SectionParts& p) {
    const FilterSection& section = engine.state().section(s);
    const PageTexts& page = engine.page(s);
    const char sep = '.';
    out += "* Filter" + std::to_string(s) + (isBoostSection(s) ? ", boost" : ", cut") + ": " +
           fixedText(section.Frequency, 5, 0, sep) + " Hz, Q " + fixedText(section.Q, 3, 2, sep) + ", gain " +
           fixedText(shownGainDb(s, section.GainFactor), 3, 2, sep) + " dB, " +
           (p.exact ? std::string("exact values") : page.status.empty() ? std::string("standard values") : page.status) +
           "\n";
    // The designators in the report's order, with the texts the page shows.
    out += "* ";
    for (Slot slot : {Slot::R2, Slot::R3, Slot::R1})
        out += resistorDesignator(s, slot) + " = " + page.resistorLabel[static_cast<std::size_t>(slotIndex(slot))] +
               "; ";
    out += capacitorDesignator(s, 0) + " = " + capacitorDesignator(s, 1) + " = " + page.capacitor + "\n";
}

// The band-pass stage between `input` and node bp: its output is -A H(s)
// times its input.
void bandPassStage(std::string& out, int s, const SectionParts& p, const std::string& input) {
    const auto resistor = [&](Slot slot, const std::string& from, const std::string& to) {
        out += resistorDesignator(s, slot) + " " + from + " " + to + " " + spiceValue(p.resistor(slot)) + "\n";
    };
    resistor(Slot::R1, input, "a");
    out += capacitorDesignator(s, 0) + " a inv " + spiceValue(p.C1) + "\n";
    out += capacitorDesignator(s, 1) + " a bp " + spiceValue(p.C2) + "\n";
    resistor(Slot::R3, "a", "0");
    resistor(Slot::R2, "bp", "inv");
    // Appended rather than prepended: GCC 12 warns falsely on "X" + string.
    out += 'X';
    out += opAmpDesignator(s, Stage::BandPass) + " 0 inv bp opamp\n";
}

// The summing op-amp with its four equal resistors, each between the two
// nodes given.
void summingAmplifier(std::string& out, int s, double ohms, const char* comment,
                      const std::array<const char*, 8>& nodes) {
    out += std::string("* ") + comment + "\n";
    for (std::size_t k = 0; k < 4; ++k)
        out += summingResistorDesignator(s, static_cast<int>(k)) + " " + nodes[2 * k] + " " + nodes[2 * k + 1] + " " +
               spiceValue(ohms) + "\n";
    out += 'X';
    out += opAmpDesignator(s, Stage::Summing) + " p n out opamp\n";
}

void boostSection(std::string& out, int s, const SectionParts& p, double summingOhms) {
    bandPassStage(out, s, p, "in");
    summingAmplifier(out, s, summingOhms, "difference amplifier: out = in - bp = (1 + A H) in",
                     {"bp", "n", "n", "out", "in", "p", "p", "0"});
}

void cutSection(std::string& out, int s, const SectionParts& p, double summingOhms) {
    bandPassStage(out, s, p, "out");
    summingAmplifier(out, s, summingOhms, "band-pass in the feedback path: out = in + bp = in / (1 + A H)",
                     {"in", "p", "bp", "p", "out", "n", "n", "0"});
}

} // namespace

std::string spiceValue(double value, int digits) {
    struct Scale {
        double factor;
        const char* suffix;
    };
    static constexpr Scale scales[] = {{1e6, "Meg"}, {1e3, "k"}, {1, ""}, {1e-3, "m"}, {1e-6, "u"},
                                       {1e-9, "n"},  {1e-12, "p"}};
    const double magnitude = std::fabs(value);
    for (const Scale& scale : scales)
        if (magnitude >= scale.factor * (1 - 1e-12)) return significantText(value / scale.factor, digits) + scale.suffix;
    return significantText(value, digits);
}

std::string netlistText(const FilterEngine& engine, const NetlistOptions& options) {
    const CircuitParts parts = circuitParts(engine);
    std::string out;
    out += "* TESSERA equaliser: four sections in a chain, 1 and 2 boost, 3 and 4 cut\n";
    // A file name may hold line breaks; on a line of its own its rest would
    // be read as part of the circuit.
    std::string name = options.configurationName;
    for (char& c : name)
        if (c == '\n' || c == '\r') c = ' ';
    out += "* Configuration: " + name + "\n";
    out += "* Each band-pass stage: input -R- node a, a -C- inverting input, a -C- stage output,\n";
    out += "* a -R- ground, stage output -R- inverting input, non-inverting input at ground.\n\n";
    opAmpSubcircuit(out, options.opAmp);
    for (int s = 1; s <= kSectionCount; ++s) {
        const SectionParts& p = parts[static_cast<std::size_t>(s - 1)];
        out += "\n";
        sectionHeading(out, engine, s, p);
        out += ".subckt filter" + std::to_string(s) + " in out\n";
        if (isBoostSection(s))
            boostSection(out, s, p, options.summingOhms);
        else
            cutSection(out, s, p, options.summingOhms);
        out += ".ends filter" + std::to_string(s) + "\n";
    }
    out += "\nV1 in 0 DC 0 AC 1\n";
    out += "X1 in n1 filter1\n";
    out += "X2 n1 n2 filter2\n";
    out += "X3 n2 n3 filter3\n";
    out += "X4 n3 out filter4\n";
    out += "* 85 points per decade from 20 Hz: the program's 256 grid frequencies\n";
    out += ".ac dec 85 20 20k\n";
    out += ".print ac vdb(out)\n";
    out += "* the output noise over the same grid: .noise v(out) V1 dec 85 20 20k\n";
    out += ".end\n";
    return out;
}

FileOutcome writeNetlist(const FilterEngine& engine, const NetlistOptions& options, const std::string& fileName) {
    if (const auto reason = unbuildableReason(circuitParts(engine))) return FileOutcome::refusal(*reason);
    if (!replaceFile(fileName, netlistText(engine, options)))
        return FileOutcome::refusal(messages::cannotCreate(fileName));
    return FileOutcome::success();
}

} // namespace tessera
