#include "section_formulas.h"

#include "number_text.h"
#include "real_conversion.h"

#include <cmath>

namespace tessera {
namespace {
constexpr long double kPi = 3.141592653589793238462643383279502884L;
}

void RBerechnen(FilterBankState& state, double C, double f, double Q, double A) {
    const double R2 = (f == 0 || C == 0)
                          ? kFallbackOhms
                          : static_cast<double>(static_cast<long double>(Q) / (kPi * C * f));
    const double R1 = (A == 0) ? kFallbackOhms
                               : static_cast<double>(static_cast<long double>(R2) / (2.0L * A));
    double R3 = kFallbackOhms;
    if (R1 != 0 && R2 != 0) {
        const long double omegaC = 2.0L * kPi * f * C;
        const double D = static_cast<double>(omegaC * omegaC - 1.0L / (static_cast<long double>(R1) * R2));
        if (D != 0) R3 = static_cast<double>(1.0L / (static_cast<long double>(R2) * D));
    }
    state.IdealR2 = R2;
    state.IdealR1 = R1;
    state.IdealR3 = R3;
}

double fBerechnen(double C, double R1, double R2, double R3) {
    if (C == 0 || R1 == 0 || R2 == 0 || R3 == 0) return kFallbackHertz;
    const long double r1 = R1, r2 = R2, r3 = R3;
    return static_cast<double>(std::sqrt((r1 + r3) / (r1 * r2 * r3)) / (2.0L * kPi * C));
}

double QBerechnen(double C, double f, double R2) {
    return static_cast<double>(kPi * R2 * C * f);
}

double ABerechnen(double R1, double R2) {
    if (R1 == 0) R1 = kFallbackOhms;
    return static_cast<double>(static_cast<long double>(R2) / (2.0L * R1));
}

void realiseFromSeries(FilterBankState& state, int section) {
    FilterSection& s = state.section(section);
    const auto ohms = [&](Slot slot) {
        return static_cast<double>(state.SeriesValues[static_cast<std::size_t>(
            s.SeriesIndex[static_cast<std::size_t>(slotIndex(slot))])]);
    };
    const double R1 = ohms(Slot::R1), R2 = ohms(Slot::R2), R3 = ohms(Slot::R3);
    s.Frequency = fBerechnen(s.Capacitance, R1, R2, R3);
    s.Q = QBerechnen(s.Capacitance, s.Frequency, R2);
    s.GainFactor = ABerechnen(R1, R2);
}

std::string idealResistorText(double ohms, char separator) {
    if (!(ohms >= 0)) return "err";
    if (ohms > 1000) return fixedText(ohms * 0.001, 7, 0, separator) + " K";
    return fixedText(ohms, 7, 0, separator);
}

double nanofaradsToFarads(double nanofarads) {
    return static_cast<double>(nanofarads * 1e-9L);
}

double capacitorTextFarads(std::string_view itemText) {
    const std::string_view number = itemText.substr(0, itemText.size() >= 3 ? itemText.size() - 3 : 0);
    return nanofaradsToFarads(textToReal(number));
}

double shownGainDb(int section, double gainFactor) {
    const double boost = 20 * std::log10(1 + gainFactor);
    return isBoostSection(section) ? boost : 20 * std::log10(1 / (1 + gainFactor));
}

} // namespace tessera
