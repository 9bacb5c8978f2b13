#pragma once
// The bytes a slot of the fit's work travels as between the parties of a
// shared fit (fit_parallel.h): every double as its own eight bytes, so a
// slot read back is the slot written, bit for bit.

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace tessera {

class SlotWriter {
public:
    void put(double v) { raw(&v, sizeof v); }
    void put(int v) { raw(&v, sizeof v); }
    void put(bool v) { bytes_.push_back(v ? 1 : 0); }
    std::vector<std::uint8_t> take() && { return std::move(bytes_); }

private:
    void raw(const void* v, std::size_t size) {
        const auto* b = static_cast<const std::uint8_t*>(v);
        bytes_.insert(bytes_.end(), b, b + size);
    }
    std::vector<std::uint8_t> bytes_;
};

// Reads what a SlotWriter wrote; past the end it reads zeros and is no longer good().
class SlotReader {
public:
    explicit SlotReader(const std::vector<std::uint8_t>& bytes) : at_(bytes.data()), end_(bytes.data() + bytes.size()) {}
    void get(double& v) { raw(&v, sizeof v); }
    void get(int& v) { raw(&v, sizeof v); }
    void get(bool& v) {
        std::uint8_t b = 0;
        raw(&b, 1);
        v = b != 0;
    }
    // Sizes come from the other party: one beyond what is left is refused.
    std::size_t size(std::size_t elementBytes) {
        int n = 0;
        get(n);
        if (n < 0 || static_cast<std::size_t>(n) * elementBytes > static_cast<std::size_t>(end_ - at_)) {
            good_ = false;
            return 0;
        }
        return static_cast<std::size_t>(n);
    }
    bool good() const { return good_; }
    bool finished() const { return good_ && at_ == end_; }

private:
    void raw(void* v, std::size_t size) {
        if (!good_ || static_cast<std::size_t>(end_ - at_) < size) {
            good_ = false;
            std::memset(v, 0, size);
            return;
        }
        std::memcpy(v, at_, size);
        at_ += size;
    }
    const std::uint8_t* at_;
    const std::uint8_t* end_;
    bool good_ = true;
};

inline void writeSlot(SlotWriter& w, double v) { w.put(v); }
inline void writeSlot(SlotWriter& w, int v) { w.put(v); }
inline void writeSlot(SlotWriter& w, bool v) { w.put(v); }
inline void readSlot(SlotReader& r, double& v) { r.get(v); }
inline void readSlot(SlotReader& r, int& v) { r.get(v); }
inline void readSlot(SlotReader& r, bool& v) { r.get(v); }

// Declared before any is defined, so that each finds the others whatever they hold.
template <class T, std::size_t N> void writeSlot(SlotWriter& w, const std::array<T, N>& a);
template <class T, std::size_t N> void readSlot(SlotReader& r, std::array<T, N>& a);
template <class A, class B> void writeSlot(SlotWriter& w, const std::pair<A, B>& p);
template <class A, class B> void readSlot(SlotReader& r, std::pair<A, B>& p);
template <class T> void writeSlot(SlotWriter& w, const std::optional<T>& o);
template <class T> void readSlot(SlotReader& r, std::optional<T>& o);
template <class T> void writeSlot(SlotWriter& w, const std::vector<T>& v);
template <class T> void readSlot(SlotReader& r, std::vector<T>& v);

template <class T, std::size_t N> void writeSlot(SlotWriter& w, const std::array<T, N>& a) {
    for (const T& v : a) writeSlot(w, v);
}
template <class T, std::size_t N> void readSlot(SlotReader& r, std::array<T, N>& a) {
    for (T& v : a) readSlot(r, v);
}
template <class A, class B> void writeSlot(SlotWriter& w, const std::pair<A, B>& p) {
    writeSlot(w, p.first);
    writeSlot(w, p.second);
}
template <class A, class B> void readSlot(SlotReader& r, std::pair<A, B>& p) {
    readSlot(r, p.first);
    readSlot(r, p.second);
}
template <class T> void writeSlot(SlotWriter& w, const std::optional<T>& o) {
    w.put(o.has_value());
    if (o) writeSlot(w, *o);
}
template <class T> void readSlot(SlotReader& r, std::optional<T>& o) {
    bool present = false;
    r.get(present);
    o.reset();
    if (present) readSlot(r, o.emplace());
}
template <class T> void writeSlot(SlotWriter& w, const std::vector<T>& v) {
    w.put(static_cast<int>(v.size()));
    for (const T& x : v) writeSlot(w, x);
}
template <class T> void readSlot(SlotReader& r, std::vector<T>& v) {
    v.assign(r.size(1), T{}); // every element takes at least a byte
    for (T& x : v) readSlot(r, x);
}

} // namespace tessera
