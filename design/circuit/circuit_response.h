#pragma once
// One section of the equaliser at one frequency, exactly as the netlist
// builds it: the multiple-feedback band-pass stage, the difference amplifier
// (boost) or the gain-2 stage (cut) with its four equal summing resistors,
// and the chosen op-amp's single-pole model A(s) = A0 / (1 + s A0 / (2 pi
// GBW)), A0 = 1e5 (ideal: infinite gain). The gains of both op-amp outputs
// over the section's input, and the noise each part puts on the section's
// output. Each section is driven by an op-amp output (or the source), so the
// sections do not load each other and the chain is a product.

#include "circuit_settings.h"
#include "section_parts.h"

#include <array>
#include <complex>

namespace tessera {

using ComplexD = std::complex<double>;

// Boltzmann's constant and the temperature SPICE assumes (27 degrees C).
inline constexpr double kBoltzmann = 1.380649e-23;
inline constexpr double kNoiseTemperatureK = 300.15;

// The noise sources of a section, in this order: the three page resistors
// (feedback, shunt, input: R(3s-2), R(3s-1), R(3s)), the four summing
// resistors in netlist order (R(13+4(s-1)) ...), the band-pass op-amp's
// voltage and current noise, the summing op-amp's voltage and current noise.
enum NoiseSource {
    kFeedbackResistor,
    kShuntResistor,
    kInputResistor,
    kFirstSummingResistor,
    kBandPassEn = kFirstSummingResistor + 4,
    kBandPassIn,
    kSummingEn,
    kSummingIn,
    kNoiseSourcesPerSection
};

struct SectionResponse {
    ComplexD bandPassGain; // band-pass op-amp output over the section's input
    ComplexD sectionGain;  // section output over its input
    // Noise power density of each source at the section's output, V^2/Hz.
    std::array<double, kNoiseSourcesPerSection> noise{};
};

// 1 / A(j omega) of the op-amp; 0 for the ideal one.
ComplexD inverseOpenLoopGain(const OpAmpModel& opAmp, double omega);

// The section's output over its input alone (sectionResponse's sectionGain).
ComplexD sectionGain(const SectionParts& parts, int section, const OpAmpModel& opAmp, double omega);

// `section` 1 ... 4 (1 and 2 boost, 3 and 4 cut); omega in rad/s.
SectionResponse sectionResponse(const SectionParts& parts, int section, double summingOhms, const OpAmpModel& opAmp,
                                double omega);

// The name of a section's noise source: "R13", "U1 en", "U1 in".
std::string noiseSourceName(int section, int source);

} // namespace tessera
