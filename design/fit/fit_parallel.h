#pragma once
// Work split by index for the fit: each index writes only its own slot and
// the caller merges the slots in index order, so the outcome is the same
// whatever the number of threads, and one thread (the default, and the only
// choice where the platform has none, as in WebAssembly without threads)
// runs everything in the caller's thread.

#include "fit_slot_bytes.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace tessera {

// The threads a fit may use here: the processor's cores (at most eight), or
// one where the platform has no threads.
int fitThreadCount();

// Calls work(i) for every i in [0, count) on up to `threads` threads and
// returns when all are done.
void forEachIndex(int count, int threads, const std::function<void(int)>& work);

// The other processes a fit shares its work with where they share no memory
// (the page's Web Workers): each party runs the same fit on the same input,
// works the indices i with i % parties() == party() itself, and takes the
// other slots as the bytes their parties send.
class FitPeers {
public:
    virtual ~FitPeers() = default;
    virtual int parties() const = 0;
    virtual int party() const = 0; // 0 .. parties() - 1
    // Sends this party's bytes and returns every party's, by party (its own
    // as sent); none where the exchange failed.
    virtual std::vector<std::vector<std::uint8_t>> exchange(std::vector<std::uint8_t> mine) = 0;
    // The exchange failed or a party's bytes did not read as its slots: the
    // fit must stop, as if cancelled.
    virtual void fail() = 0;
};

// work(i, cells[i]) for every index: on `threads` threads, or shared with
// the peers where there are any. Each slot is written only by its index's
// work, so the slots are the same either way.
template <class Slot, class Work>
void forEachSlot(std::vector<Slot>& cells, int threads, FitPeers* peers, const Work& work) {
    const int count = static_cast<int>(cells.size());
    if (peers == nullptr) {
        forEachIndex(count, threads, [&](int i) { work(i, cells[static_cast<std::size_t>(i)]); });
        return;
    }
    const int parties = peers->parties(), me = peers->party();
    SlotWriter mine;
    for (int i = me; i < count; i += parties) {
        work(i, cells[static_cast<std::size_t>(i)]);
        writeSlot(mine, cells[static_cast<std::size_t>(i)]);
    }
    const std::vector<std::vector<std::uint8_t>> all = peers->exchange(std::move(mine).take());
    if (all.size() != static_cast<std::size_t>(parties)) return peers->fail();
    for (int p = 0; p < parties; ++p) {
        if (p == me) continue;
        SlotReader reader(all[static_cast<std::size_t>(p)]);
        for (int i = p; i < count; i += parties) readSlot(reader, cells[static_cast<std::size_t>(i)]);
        if (!reader.finished()) return peers->fail();
    }
}

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
