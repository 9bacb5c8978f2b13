#pragma once
// Where the frame's Tile and Arrange commands put the child windows, as plain
// rectangles in the frame's client area.

#include <vector>

namespace tessera {

struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Box&) const = default;
};

// Horizontal tiling: the windows are split into floor(sqrt(n)) columns (the
// later columns take one more when n does not divide evenly); within a column
// they are stacked top to bottom, each as wide as the column. Sizes are
// spread so that the boxes fill the area exactly.
std::vector<Box> tileHorizontally(int count, int areaWidth, int areaHeight);

// Icons of minimised windows lined up along the bottom edge, left to right,
// starting a new row above when a row is full.
std::vector<Box> iconRow(int count, int areaWidth, int areaHeight, int iconWidth, int iconHeight);

} // namespace tessera
