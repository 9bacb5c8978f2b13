// libFuzzer entry: any bytes as the text of a frequency-response file.
#include "reader_drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessera::fuzzing::driveResponseReader(data, size);
    return 0;
}
