#include "designators.h"

namespace tessera {

std::string resistorDesignator(int section, Slot slot) {
    // The user's order within a section is R2, R3, R1.
    int offset = 0;
    switch (slot) {
    case Slot::R2: offset = 0; break;
    case Slot::R3: offset = 1; break;
    case Slot::R1: offset = 2; break;
    }
    // Appended rather than prepended: GCC 12 warns falsely on "R" + string.
    std::string name = "R";
    name += std::to_string(3 * section - 2 + offset);
    return name;
}

std::string capacitorDesignator(int section, int which) {
    std::string name = "C";
    name += std::to_string(2 * section - 1 + which);
    return name;
}

std::string summingResistorDesignator(int section, int which) {
    std::string name = "R";
    name += std::to_string(13 + 4 * (section - 1) + which);
    return name;
}

std::string opAmpDesignator(int section, Stage stage) {
    std::string name = "U";
    name += std::to_string(2 * section - (stage == Stage::BandPass ? 1 : 0));
    return name;
}

} // namespace tessera
