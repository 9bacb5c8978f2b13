#include "board_parts.h"

#include "number_text.h"
#include "section_parts.h"

#include <cmath>

namespace tessera {
namespace {

struct Scale {
    double factor;
    const char* prefix;
};
constexpr Scale kResistorScales[] = {{1e6, "M"}, {1e3, "k"}, {1, ""}};
constexpr Scale kCapacitorScales[] = {{1e-6, "u"}, {1e-9, "n"}, {1e-12, "p"}};

const char* summingStageName(int section) {
    return isBoostSection(section) ? "difference amplifier" : "gain-2 stage";
}

// The custom op-amp's figures, so that the buyer knows what to look for.
std::string opAmpNote(int section, Stage stage, const OpAmpModel& opAmp) {
    std::string note = stage == Stage::BandPass ? "band-pass stage" : summingStageName(section);
    if (opAmp.name == kCustomOpAmpName)
        note += "; custom: " + generalText(opAmp.gbw, 6, '.') + " Hz, " + generalText(opAmp.slewVPerUs, 6, '.') +
                " V/us, " + generalText(opAmp.enNv, 6, '.') + " nV/rtHz, " + generalText(opAmp.inPa, 6, '.') +
                " pA/rtHz";
    return note;
}

} // namespace

std::string partValueText(double value, PartKind kind) {
    if (!(value > 0) || !std::isfinite(value)) return "err";
    const auto& scales = kind == PartKind::Capacitor ? kCapacitorScales : kResistorScales;
    for (const Scale& scale : scales)
        // A hair below the step, so that 999.9999999 n (1 u in binary) reads 1u.
        if (value >= scale.factor * (1 - 1e-12)) return significantText(value / scale.factor, 6) + scale.prefix;
    const Scale& smallest = scales[std::size(scales) - 1];
    return significantText(value / smallest.factor, 6) + smallest.prefix;
}

std::string opAmpPartName(const OpAmpModel& opAmp) {
    return opAmp.isIdeal() ? std::string("op-amp") : opAmp.name;
}

const char* partKindText(PartKind kind) {
    switch (kind) {
    case PartKind::Resistor: return "resistor";
    case PartKind::Capacitor: return "capacitor";
    case PartKind::OpAmp: return "op-amp";
    }
    return "";
}

std::vector<BoardPart> boardParts(const FilterEngine& engine, const CircuitSettings& settings) {
    std::vector<BoardPart> parts;
    const CircuitParts circuit = circuitParts(engine);
    for (int s = 1; s <= kSectionCount; ++s) {
        const SectionParts& p = circuit[static_cast<std::size_t>(s - 1)];
        const std::string exact = p.exact ? "; exact value, no standard part" : "";
        const auto resistor = [&](Slot slot, PartRole role, const char* note) {
            const double ohms = p.resistor(slot);
            parts.push_back({resistorDesignator(s, slot), PartKind::Resistor, role, s, 0, ohms,
                             partValueText(ohms, PartKind::Resistor), note + exact, ohms > 0});
        };
        // In designator order: R(3s-2) feedback, R(3s-1) shunt, R(3s) input.
        resistor(Slot::R2, PartRole::Feedback, "band-pass feedback");
        resistor(Slot::R3, PartRole::Shunt, "band-pass shunt");
        resistor(Slot::R1, PartRole::Input, "band-pass input");
        const auto capacitor = [&](int which, double farads, PartRole role, const char* note) {
            parts.push_back({capacitorDesignator(s, which), PartKind::Capacitor, role, s, 0, farads,
                             partValueText(farads, PartKind::Capacitor), note, farads > 0});
        };
        capacitor(0, p.C1, PartRole::ToInverting, "band-pass to the inverting input");
        capacitor(1, p.C2, PartRole::ToOutput, "band-pass to the stage output");
        for (int k = 0; k < 4; ++k)
            parts.push_back({summingResistorDesignator(s, k), PartKind::Resistor, PartRole::Summing, s, k,
                             settings.summingOhms, partValueText(settings.summingOhms, PartKind::Resistor),
                             summingStageName(s), settings.summingOhms > 0});
        for (Stage stage : {Stage::BandPass, Stage::Summing})
            parts.push_back({opAmpDesignator(s, stage), PartKind::OpAmp,
                             stage == Stage::BandPass ? PartRole::BandPassOpAmp : PartRole::SummingOpAmp, s, 0, 0,
                             opAmpPartName(settings.opAmp), opAmpNote(s, stage, settings.opAmp), true});
    }
    return parts;
}

} // namespace tessera
