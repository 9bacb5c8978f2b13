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

} // namespace tessera
