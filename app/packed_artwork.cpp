#include "packed_artwork.h"

#include <algorithm>

namespace tessera {

QImage unpackImage(const PackedImage& packed) {
    QImage image(packed.width, packed.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // 32-bit rows are never padded: the pixels lie one after the other.
    auto* pixel = reinterpret_cast<std::uint32_t*>(image.bits());
    std::size_t left = static_cast<std::size_t>(packed.width) * static_cast<std::size_t>(packed.height);
    for (std::size_t k = 0; k + 1 < packed.runs.size() && left > 0; k += 2) {
        const std::size_t count = std::min<std::size_t>(packed.runs[k], left);
        pixel = std::fill_n(pixel, count, packed.runs[k + 1]);
        left -= count;
    }
    return image;
}

} // namespace tessera
