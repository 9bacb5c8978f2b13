#include "plot_data.h"

#include <algorithm>

namespace tessera {

PlotData PlotData::forRows(std::int32_t rows, std::int32_t count) {
    const std::size_t size =
        kHeaderSize + 8 * static_cast<std::size_t>(rows) * static_cast<std::size_t>(count) + 8;
    PlotData block(size);
    block.put(0, static_cast<std::uint32_t>(size));
    block.setCount(count);
    block.setRows(rows);
    return block;
}

PlotData PlotData::initialBlock() {
    PlotData block(80);
    block.put(0, std::uint32_t{80});
    block.setCount(1);
    block.setRows(1);
    block.setSampleRate(48000);
    block.setXRange(48000.0 / 8192.0, 23999.999755859375);
    block.setYRange(-200, 200);
    return block;
}

PlotData PlotData::fromBytes(const std::uint8_t* bytes, std::size_t available) {
    std::uint32_t size = 0;
    if (available >= 4) std::memcpy(&size, bytes, 4);
    // Never read past what was handed over, never keep less than a header.
    const std::size_t length = std::min<std::size_t>(size, available);
    PlotData block(std::max(length, kHeaderSize));
    std::memcpy(block.bytes_.data(), bytes, length);
    return block;
}

} // namespace tessera
