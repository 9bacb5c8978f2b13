#pragma once
// Looks up what a recorded drawing holds, for the plot tests.

#include "plot_recording.h"

#include <QFontMetrics>

#include <vector>

namespace plot_test {

template <typename Item>
std::vector<Item> itemsOf(const tessera::plot::PlotRecording& recording) {
    std::vector<Item> out;
    for (const auto& item : recording.items)
        if (const auto* i = std::get_if<Item>(&item)) out.push_back(*i);
    return out;
}

inline std::vector<tessera::plot::TextItem> textsAtRow(const tessera::plot::PlotRecording& r, int y) {
    std::vector<tessera::plot::TextItem> out;
    for (const auto& t : itemsOf<tessera::plot::TextItem>(r))
        if (t.at.y() == y) out.push_back(t);
    return out;
}

inline int textWidth(const tessera::plot::TextItem& t) {
    return tessera::plot::fontMetrics(t.font).horizontalAdvance(t.text);
}

} // namespace plot_test
