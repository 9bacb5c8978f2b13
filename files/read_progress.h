#pragma once
// The hook through which a long read reports how far it is and learns that
// the user cancelled it. The line source calls it once per block read.

#include <cstdint>

namespace tessera {

class ReadProgress {
public:
    virtual ~ReadProgress() = default;
    // `done` bytes of `total` read so far. False cancels the read: the reader
    // then stops and changes nothing.
    virtual bool proceed(std::uint64_t done, std::uint64_t total) = 0;
};

} // namespace tessera
