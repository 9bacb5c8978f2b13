#pragma once
// The band-pass stage and the boost and cut sections around it, with an
// ideal op-amp or a single-pole one of open-loop gain A(s) = A0 / (1 + s A0 /
// (2 pi GBW)), A0 = 1e5, as the netlist builds it.
// Exact algebra in extended precision; what the stage realises (centre
// frequency, Q, peak gain) measured on its response as a simulator would:
// the peak, and the -3 dB points around it.

#include "opamp_model.h"
#include "section_parts.h"

#include <complex>
#include <optional>

namespace tessera {

using ComplexL = std::complex<long double>;

// The stage's output over its input at angular frequency omega: -A H(j omega)
// at the centre. `gbw` in Hz; 0 is the ideal op-amp.
ComplexL stageTransfer(const SectionParts& parts, double gbw, long double omega);

// The whole section: boost (1 + A H) through the difference amplifier, cut
// 1 / (1 + A H) through the gain-2 amplifier, each op-amp with `gbw`.
ComplexL sectionTransfer(const SectionParts& parts, bool boost, double gbw, long double omega);
double sectionDb(const SectionParts& parts, bool boost, double gbw, double frequency);

struct StageFigures {
    double frequency = 0; // Hz
    double q = 0;
    double peakGain = 0;  // the gain factor A at the centre
};

// The closed form of the ideal stage (the capacitors may differ).
StageFigures idealStage(const SectionParts& parts);

// Peak frequency, its frequency over the -3 dB bandwidth, and the peak
// gain of the stage with the op-amp; nullopt when the response has no
// clear peak with two -3 dB points.
std::optional<StageFigures> realisedStage(const SectionParts& parts, double gbw);

// The lowest gain-bandwidth (Hz) with which the stage's frequency and Q stay
// within `fraction` of ideal; nullopt when even 1e12 Hz does not.
std::optional<double> lowestAdequateGbw(const SectionParts& parts, double fraction = 0.01);

} // namespace tessera
