#include "reader_drivers.h"

#include "config_file.h"
#include "frd_import.h"
#include "measurement_import.h"
#include "mlssa_import.h"
#include "standard_series.h"
#include "tds_import.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

namespace tessera::fuzzing {
namespace {

// Anything a reader lets through must be a finite curve and, for a refusal,
// a message; otherwise stop loudly so the fuzzer records the input.
void require(bool condition) {
    if (!condition) std::abort();
}

template <typename Reader>
void drive(const std::uint8_t* data, std::size_t size, const char* name, Reader reader) {
    static FilterBankState state{};
    static FilterEngine engine = [] {
        E24Init(state);
        FilterEngine e(state);
        e.Reset(true);
        return e;
    }();
    const Curve before = state.ImportedResponse;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const FileOutcome outcome = reader(engine, text, name);
    require(!outcome.refused() || !outcome.message.empty());
    if (!outcome.done()) require(state.ImportedResponse == before);
    for (double v : state.ImportedResponse) require(std::isfinite(v));
}

} // namespace

void driveConfigurationReader(const std::uint8_t* data, std::size_t size) {
    drive(data, size, "fuzz.tsn", loadConfigurationText);
}
void driveTdsReader(const std::uint8_t* data, std::size_t size) { drive(data, size, "fuzz.tds", importTdsText); }
void driveMlssaReader(const std::uint8_t* data, std::size_t size) { drive(data, size, "fuzz.txt", importMlssaText); }
void driveResponseReader(const std::uint8_t* data, std::size_t size) {
    drive(data, size, "fuzz.frd", importResponseText);
    drive(data, size, "fuzz.txt", importTxtText);
}

} // namespace tessera::fuzzing
