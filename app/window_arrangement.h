#pragma once
// Where the frame's Tile and Arrange commands put the child windows, as plain
// rectangles in the frame's client area, and where the frame itself goes when
// the window manager leaves it larger than the screen.

#include <optional>
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

// The frame window as the window manager shows it: `outer` includes its
// decorations (title bar, borders), `client` is the part the program draws,
// both in screen coordinates. When the outer frame does not lie within
// `available` (the screen without panels), the client rectangle that puts
// the whole frame, decorations included, onto the available area; nothing
// when it fits already, as after a maximise by the window manager.
std::optional<Box> clientFittingArea(const Box& available, const Box& outer, const Box& client);

} // namespace tessera
