#pragma once
// The self-sized block of curves handed to a plot control: a 72-byte header
// (little-endian) followed by rows of doubles. Row 0 holds frequencies, row 1
// the main curve, further rows further curves.
//
//   0 Size u32 | 4 Count i32 | 8 Rows i32 | 12 SampleRate i32 | 16 Aux f64
//  24 XMin | 32 XMax | 40 YMin | 48 YMax | 56, 64 reserved | 72 Values

#include <cstdint>
#include <cstring>
#include <vector>

namespace tessera {

// What a further curve (row 2 and up) shows; the plot gives each kind a
// colour of its own. Kept beside the bytes, not in them: a block built from
// bytes has plain further curves only.
enum class CurveKind : std::uint8_t { Further, RealOpAmp, ToleranceBound, Measurement, FitTarget };

class PlotData {
public:
    static constexpr std::size_t kHeaderSize = 72;

    // A zero-filled block for `rows` rows of `count` points, sized as every
    // writer sizes it: header, values and 8 spare bytes.
    static PlotData forRows(std::int32_t rows, std::int32_t count);
    // The block a plot control holds before its first data.
    static PlotData initialBlock();
    // A copy of a block given as bytes; the Size field decides the length.
    static PlotData fromBytes(const std::uint8_t* bytes, std::size_t available);

    std::uint32_t size() const { return get<std::uint32_t>(0); }
    std::int32_t count() const { return get<std::int32_t>(4); }
    std::int32_t rows() const { return get<std::int32_t>(8); }
    std::int32_t sampleRate() const { return get<std::int32_t>(12); }
    double aux() const { return get<double>(16); }
    double xMin() const { return get<double>(24); }
    double xMax() const { return get<double>(32); }
    double yMin() const { return get<double>(40); }
    double yMax() const { return get<double>(48); }

    void setCount(std::int32_t v) { put(4, v); }
    void setRows(std::int32_t v) { put(8, v); }
    void setSampleRate(std::int32_t v) { put(12, v); }
    void setAux(double v) { put(16, v); }
    void setXRange(double lo, double hi) { put(24, lo); put(32, hi); }
    void setYRange(double lo, double hi) { put(40, lo); put(48, hi); }

    // Value `index` counted from the start of the values area; value j of row
    // k lives at k * stride + j.
    double value(std::size_t index) const { return get<double>(kHeaderSize + 8 * index); }
    void setValue(std::size_t index, double v) { put(kHeaderSize + 8 * index, v); }
    std::size_t valueCapacity() const { return (bytes_.size() - kHeaderSize) / 8; }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    CurveKind rowKind(int row) const {
        return row >= 0 && static_cast<std::size_t>(row) < kinds_.size() ? kinds_[static_cast<std::size_t>(row)]
                                                                          : CurveKind::Further;
    }
    void setRowKind(int row, CurveKind kind) {
        if (row < 0) return;
        if (kinds_.size() <= static_cast<std::size_t>(row)) kinds_.resize(static_cast<std::size_t>(row) + 1);
        kinds_[static_cast<std::size_t>(row)] = kind;
    }

private:
    explicit PlotData(std::size_t size) : bytes_(size, 0) {}

    template <typename T> T get(std::size_t offset) const {
        T v;
        std::memcpy(&v, bytes_.data() + offset, sizeof v);
        return v;
    }
    template <typename T> void put(std::size_t offset, T v) {
        std::memcpy(bytes_.data() + offset, &v, sizeof v);
    }

    std::vector<std::uint8_t> bytes_;
    std::vector<CurveKind> kinds_;
};

} // namespace tessera
