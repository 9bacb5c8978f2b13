#pragma once
// The op-amp the board is built with: its gain-bandwidth (single-pole model,
// open-loop gain 1e5), slew rate and input noise, by name from a table of
// common audio parts, ideal, or typed by the user. Every circuit tool (the
// op-amp curves, the netlist, noise and headroom, tolerances) takes it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessera {

struct OpAmpModel {
    std::string name;       // "NE5532" ..., "Ideal" or "Custom"
    double gbw = 0;         // gain-bandwidth in Hz; 0: ideal (infinite gain)
    double slewVPerUs = 0;  // slew rate in V/us; 0: unlimited
    double enNv = 0;        // input voltage noise density in nV/sqrt(Hz)
    double inPa = 0;        // input current noise density in pA/sqrt(Hz), at each input

    bool isIdeal() const { return gbw == 0; }
    bool operator==(const OpAmpModel&) const = default;
};

// The open-loop gain at DC of every real op-amp model; its single pole sits
// at GBW / kOpenLoopGain.
inline constexpr double kOpenLoopGain = 1e5;

inline constexpr std::string_view kIdealOpAmpName = "Ideal";
inline constexpr std::string_view kCustomOpAmpName = "Custom";

// The named op-amps with their typical datasheet figures (25 degrees C,
// 1 kHz), in the order the dialogs list them; "Ideal" last.
const std::vector<OpAmpModel>& opAmpCatalogue();

// No noise, infinite gain and slew rate.
OpAmpModel idealOpAmp();

// A catalogue entry by name, letter case ignored ("ne5532", "ideal");
// nullopt for any other name, "Custom" included.
std::optional<OpAmpModel> opAmpNamed(std::string_view name);

// "NE5532, TL072, ..., Ideal": what an unknown name is answered with.
std::string knownOpAmpNames();

// A user's own op-amp named "Custom"; the figures are taken as given.
OpAmpModel customOpAmp(double gbw, double slewVPerUs, double enNv, double inPa);

} // namespace tessera
