#pragma once
// The hook through which a long read reports how far it is and learns that
// the user cancelled it. The line source calls it once per block read.

#include <chrono>
#include <cstdint>
#include <functional>

namespace tessera {

class ReadProgress {
public:
    virtual ~ReadProgress() = default;
    // `done` bytes of `total` read so far. False cancels the read: the reader
    // then stops and changes nothing.
    virtual bool proceed(std::uint64_t done, std::uint64_t total) = 0;
};

// Progress that shows itself only once a read has taken longer than a delay,
// so that a short read shows nothing; the showing is left to a subclass (a
// dialog with Cancel in the program).
class DelayedProgress : public ReadProgress {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds kDelay{500};

    explicit DelayedProgress(Clock clock = std::chrono::steady_clock::now)
        : clock_(std::move(clock)), start_(clock_()) {}

    bool proceed(std::uint64_t done, std::uint64_t total) final {
        if (!shown_ && clock_() - start_ < kDelay) return true;
        shown_ = true;
        return update(done, total);
    }
    bool shown() const { return shown_; }

protected:
    // Shows (the first time) or updates the progress; false when the user
    // cancelled.
    virtual bool update(std::uint64_t done, std::uint64_t total) = 0;

private:
    Clock clock_;
    std::chrono::steady_clock::time_point start_;
    bool shown_ = false;
};

} // namespace tessera
