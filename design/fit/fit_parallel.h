#pragma once
// Work split by index for the fit: each index writes only its own slot and
// the caller merges the slots in index order, so the outcome is the same
// whatever the number of threads, and one thread (the default, and the only
// choice where the platform has none, as in WebAssembly without threads)
// runs everything in the caller's thread.

#include <cstdint>
#include <functional>

namespace tessera {

// The threads a fit may use here: the processor's cores (at most eight), or
// one where the platform has no threads.
int fitThreadCount();

// Calls work(i) for every i in [0, count) on up to `threads` threads and
// returns when all are done.
void forEachIndex(int count, int threads, const std::function<void(int)>& work);

// The generator of the fit's random starts (SplitMix64): a few integer
// operations whose numbers are the same on every platform and library, so
// that start i can be drawn from its own index.
class IndexRandom {
public:
    IndexRandom(std::uint64_t seed, std::uint64_t index) : state_(seed * 0x9e3779b97f4a7c15ULL + index * 0xbf58476d1ce4e5b9ULL) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; } // [0, 1)
    int below(int n) { return static_cast<int>(unit() * n); }

private:
    std::uint64_t state_;
};

} // namespace tessera
