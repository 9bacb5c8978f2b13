#pragma once
// The design the circuit benchmarks work on: all four sections at work
// (60 Hz, 1, 4 and 12 kHz, Q 3, 9 dB), E24 parts.

#include "filter_engine.h"
#include "section_parts.h"
#include "standard_series.h"

#include <memory>

namespace tessera {

inline CircuitParts benchDesign() {
    static auto state = std::make_unique<FilterBankState>();
    static FilterEngine engine(*state);
    E24Init(*state);
    engine.Reset(true);
    const char* frequencies[] = {"60", "1000", "4000", "12000"};
    for (int s = 1; s <= kSectionCount; ++s) {
        engine.selectCapacitor(s, kCapacitorItems[static_cast<std::size_t>(3 * s - 2)]);
        engine.commitEntry(s, Entry::Frequency, frequencies[s - 1]);
        engine.commitEntry(s, Entry::Q, "3");
        engine.commitEntry(s, Entry::Gain, "9");
        engine.selectSeries(s, Series::E24);
    }
    return circuitParts(engine);
}

} // namespace tessera
