#pragma once
// The motif pictures as the build drew them (tessera_make_artwork), packed
// as runs of equal pixels, so that the start does not draw them again: the
// curve's wide round-joined stroke is costly to draw, the same every time,
// and the icon alone came to a good share of the start.

#include <QImage>

#include <cstdint>
#include <span>

namespace tessera {

// Premultiplied ARGB pixels row by row, as pairs: a count, then the pixel
// repeated that many times.
struct PackedImage {
    int width = 0;
    int height = 0;
    std::span<const std::uint32_t> runs;
};

// In the order of kProgramIconSizes.
std::span<const PackedImage> packedProgramIcons();
const PackedImage& packedSplashMotif();

// The picture; runs that fall short leave the rest transparent, runs that
// overflow are cut off.
QImage unpackImage(const PackedImage& packed);

} // namespace tessera
