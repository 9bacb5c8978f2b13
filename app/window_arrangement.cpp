#include "window_arrangement.h"

#include <algorithm>
#include <cmath>

namespace tessera {

namespace {
// Start of part `i` when `total` is split into `parts` nearly equal parts.
int share(int total, int parts, int i) { return static_cast<int>(static_cast<long long>(total) * i / parts); }
} // namespace

std::vector<Box> tileHorizontally(int count, int areaWidth, int areaHeight) {
    std::vector<Box> boxes;
    if (count <= 0) return boxes;
    const int columns = std::max(1, static_cast<int>(std::sqrt(static_cast<double>(count))));
    const int perColumn = count / columns;
    const int longColumns = count % columns; // the last ones get one more
    for (int c = 0; c < columns; ++c) {
        const int rows = perColumn + (c >= columns - longColumns ? 1 : 0);
        const int left = share(areaWidth, columns, c);
        const int width = share(areaWidth, columns, c + 1) - left;
        for (int r = 0; r < rows; ++r) {
            const int top = share(areaHeight, rows, r);
            boxes.push_back({left, top, width, share(areaHeight, rows, r + 1) - top});
        }
    }
    return boxes;
}

std::vector<Box> iconRow(int count, int areaWidth, int areaHeight, int iconWidth, int iconHeight) {
    std::vector<Box> boxes;
    const int perRow = std::max(1, areaWidth / std::max(1, iconWidth));
    for (int i = 0; i < count; ++i) {
        const int row = i / perRow;
        const int column = i % perRow;
        boxes.push_back({column * iconWidth, areaHeight - (row + 1) * iconHeight, iconWidth, iconHeight});
    }
    return boxes;
}

std::optional<Box> clientFittingArea(const Box& available, const Box& outer, const Box& client) {
    const auto inside = [&available](const Box& box) {
        return box.left >= available.left && box.top >= available.top &&
               box.left + box.width <= available.left + available.width &&
               box.top + box.height <= available.top + available.height;
    };
    if (inside(outer)) return std::nullopt;
    // Decorations on each side; a frame reported smaller than its client has none.
    const int left = std::max(0, client.left - outer.left);
    const int top = std::max(0, client.top - outer.top);
    const int right = std::max(0, (outer.left + outer.width) - (client.left + client.width));
    const int bottom = std::max(0, (outer.top + outer.height) - (client.top + client.height));
    const Box fitted{available.left + left, available.top + top, std::max(1, available.width - left - right),
                     std::max(1, available.height - top - bottom)};
    if (fitted == client) return std::nullopt; // as close as the decorations allow
    return fitted;
}

} // namespace tessera
