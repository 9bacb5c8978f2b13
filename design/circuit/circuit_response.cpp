#include "circuit_response.h"

#include "designators.h"

#include <numbers>

namespace tessera {

ComplexD inverseOpenLoopGain(const OpAmpModel& opAmp, double omega) {
    if (opAmp.isIdeal()) return 0;
    return {1 / kOpenLoopGain, omega / (2 * std::numbers::pi * opAmp.gbw)};
}

namespace {

// The section's algebra at one frequency, shared by its gains and its noise.
struct SectionAlgebra {
    ComplexD sC1, Y, D, H;
    ComplexD toOutput; // from a noise in the section to its output
    ComplexD bandPassGain, sectionGain;
};

SectionAlgebra algebraOf(const SectionParts& p, int section, const OpAmpModel& opAmp, double omega) {
    // Band-pass stage, nodal equations at node a and at the inverting input
    // (voltage en - g Vbp, g = 1 / A), with currents Ia and Iinv injected
    // there:
    //   Vbp = [-s C1 (G1 Vin + Ia) - Y Iinv + en (Y (s C1 + G2) - s^2 C1^2)] / D,
    //   Y = G1 + G3 + s (C1 + C2),
    //   D = Y (G2 + g (s C1 + G2)) + s^2 C1 C2 - g s^2 C1^2.
    // The non-inverting input sits at ground: its current noise goes there.
    const ComplexD s(0, omega);
    const ComplexD g = inverseOpenLoopGain(opAmp, omega);
    const double G1 = 1 / p.R1, G2 = 1 / p.R2, G3 = 1 / p.R3;
    SectionAlgebra a;
    a.sC1 = s * p.C1;
    a.Y = G1 + G3 + s * (p.C1 + p.C2);
    a.D = a.Y * (G2 + g * (a.sC1 + G2)) + s * s * p.C1 * p.C2 - g * a.sC1 * a.sC1;
    a.H = -a.sC1 * G1 / a.D;

    // Summing stage: out = beta (in -/+ Vbp + e), beta = 1 / (1 + 2 g) (noise
    // gain 2), where e = Rs (Ip - In) + 2 en is its own noise. Boost: out =
    // beta (in - Vbp); cut: the band-pass stage takes the section's output,
    // out = beta (in + Vbp), so every noise in the section reaches the output
    // through beta / (1 - beta H).
    const ComplexD beta = 1.0 / (1.0 + 2.0 * g);
    const bool boost = isBoostSection(section);
    a.toOutput = boost ? beta : beta / (1.0 - beta * a.H);
    a.sectionGain = boost ? beta * (1.0 - a.H) : a.toOutput;
    a.bandPassGain = boost ? a.H : a.H * a.sectionGain;
    return a;
}

} // namespace

ComplexD sectionGain(const SectionParts& parts, int section, const OpAmpModel& opAmp, double omega) {
    return algebraOf(parts, section, opAmp, omega).sectionGain;
}

SectionResponse sectionResponse(const SectionParts& p, int section, double summingOhms, const OpAmpModel& opAmp,
                                double omega) {
    const SectionAlgebra a = algebraOf(p, section, opAmp, omega);
    const double G1 = 1 / p.R1, G2 = 1 / p.R2, G3 = 1 / p.R3;
    const ComplexD &sC1 = a.sC1, &Y = a.Y, &D = a.D, &toOutput = a.toOutput;
    SectionResponse r;
    r.sectionGain = a.sectionGain;
    r.bandPassGain = a.bandPassGain;

    const double fourKT = 4 * kBoltzmann * kNoiseTemperatureK;
    const double en = opAmp.enNv * 1e-9, in = opAmp.inPa * 1e-12;
    const double outputSquared = std::norm(toOutput);
    const double atA = std::norm(sC1 / D) * outputSquared;  // current into node a
    const double atInv = std::norm(Y / D) * outputSquared;  // current into the inverting input
    const double enGain = std::norm((Y * (sC1 + G2) - sC1 * sC1) / D) * outputSquared;
    r.noise[kInputResistor] = fourKT * G1 * atA;
    r.noise[kShuntResistor] = fourKT * G3 * atA;
    r.noise[kFeedbackResistor] = fourKT * G2 * atInv;
    r.noise[kBandPassEn] = en * en * enGain;
    r.noise[kBandPassIn] = in * in * atInv;
    for (int k = 0; k < 4; ++k) r.noise[kFirstSummingResistor + k] = fourKT * summingOhms * outputSquared;
    r.noise[kSummingEn] = 4 * en * en * outputSquared;
    r.noise[kSummingIn] = 2 * in * in * summingOhms * summingOhms * outputSquared; // at both inputs
    return r;
}

std::string noiseSourceName(int section, int source) {
    switch (source) {
    case kFeedbackResistor: return resistorDesignator(section, Slot::R2);
    case kShuntResistor: return resistorDesignator(section, Slot::R3);
    case kInputResistor: return resistorDesignator(section, Slot::R1);
    case kBandPassEn: return opAmpDesignator(section, Stage::BandPass) + " en";
    case kBandPassIn: return opAmpDesignator(section, Stage::BandPass) + " in";
    case kSummingEn: return opAmpDesignator(section, Stage::Summing) + " en";
    case kSummingIn: return opAmpDesignator(section, Stage::Summing) + " in";
    default: return summingResistorDesignator(section, source - kFirstSummingResistor);
    }
}

} // namespace tessera
