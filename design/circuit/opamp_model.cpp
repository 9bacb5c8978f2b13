#include "opamp_model.h"

#include <algorithm>
#include <cctype>

namespace tessera {

const std::vector<OpAmpModel>& opAmpCatalogue() {
    static const std::vector<OpAmpModel> catalogue = {
        {"NE5532", 10e6, 9, 5, 0.7},      {"TL072", 3e6, 13, 18, 0.01},
        {"OPA2134", 8e6, 20, 8, 0.003},   {"OPA1612", 40e6, 27, 1.1, 1.7},
        {"LM4562", 55e6, 20, 2.7, 1.6},   {"MC33078", 16e6, 7, 4.5, 0.5},
        {"OPA1656", 53e6, 24, 2.9, 0.006}, idealOpAmp(),
    };
    return catalogue;
}

OpAmpModel idealOpAmp() { return OpAmpModel{std::string(kIdealOpAmpName), 0, 0, 0, 0}; }

std::optional<OpAmpModel> opAmpNamed(std::string_view name) {
    const auto sameLetters = [](std::string_view a, std::string_view b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
        });
    };
    for (const OpAmpModel& model : opAmpCatalogue())
        if (sameLetters(model.name, name)) return model;
    return std::nullopt;
}

std::string knownOpAmpNames() {
    std::string names;
    for (const OpAmpModel& model : opAmpCatalogue()) names += (names.empty() ? "" : ", ") + model.name;
    return names;
}

OpAmpModel customOpAmp(double gbw, double slewVPerUs, double enNv, double inPa) {
    return OpAmpModel{std::string(kCustomOpAmpName), gbw, slewVPerUs, enNv, inPa};
}

} // namespace tessera
