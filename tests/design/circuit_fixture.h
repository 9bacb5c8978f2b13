#pragma once
// An engine in its start-up state, random designs on it, and ngspice in batch
// mode run on a netlist file.

#include "filter_engine.h"
#include "standard_series.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace tessera::circuit_test {

// How the random design snaps its sections.
enum class Parts { E12, E24, Exact, Mixed };

struct Design {
    std::unique_ptr<FilterBankState> state = std::make_unique<FilterBankState>();
    std::unique_ptr<FilterEngine> engine = std::make_unique<FilterEngine>(*state);

    Design() {
        E24Init(*state);
        engine->Reset(true);
    }

    // Every section typed in (buildable: A < 2 Q^2) with a random capacitor,
    // then snapped as `parts` says.
    void randomise(unsigned seed, Parts parts) {
        std::mt19937 random(seed);
        const auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); };
        for (int s = 1; s <= kSectionCount; ++s) {
            engine->selectCapacitor(s, kCapacitorItems[random() % kCapacitorItems.size()]);
            const double q = uniform(0.4, 8);
            const double maxDb = 20 * std::log10(1 + std::min(10.0, 1.9 * q * q));
            engine->commitEntry(s, Entry::Frequency, std::to_string(std::exp(uniform(std::log(25.0), std::log(16000.0)))));
            engine->commitEntry(s, Entry::Q, std::to_string(q));
            engine->commitEntry(s, Entry::Gain, std::to_string(uniform(1, maxDb)));
            const Parts chosen = parts == Parts::Mixed ? static_cast<Parts>(random() % 3) : parts;
            if (chosen == Parts::E12) engine->selectSeries(s, Series::E12);
            if (chosen == Parts::E24) engine->selectSeries(s, Series::E24);
        }
    }
};

// One row of ngspice's printed table: the frequency and the printed values.
struct SpiceRow {
    double frequency = 0;
    std::vector<double> values;
};

// Runs `ngspice -b` on the file; the rows of its printed table. Fails the
// test (and returns nothing) when ngspice is not installed.
std::vector<SpiceRow> runNgspice(const std::string& netlistFile);

// A folder of scratch files unique to the running test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    std::string file(const std::string& name) const;

private:
    std::string folder_;
};

} // namespace tessera::circuit_test
