#pragma once
// Where the engine hands its curves: the plot controls of the six graph
// windows. The engine builds a fresh block for each pass; the receiver copies
// what it needs before returning.

#include "plot_data.h"

#include <array>
#include <optional>
#include <string_view>

namespace tessera {

enum class GraphWindow { Filter1, Filter2, Filter3, Filter4, Import, Result };

constexpr GraphWindow sectionWindow(int section) { return static_cast<GraphWindow>(section - 1); }

// The windows' fixed names, in GraphWindow order: "Filter1" .. "Filter4",
// "Import", "Result".
inline constexpr std::array<std::string_view, 6> kGraphWindowNames = {"Filter1", "Filter2", "Filter3",
                                                                      "Filter4", "Import",  "Result"};

constexpr std::string_view graphWindowText(GraphWindow window) {
    return kGraphWindowNames[static_cast<std::size_t>(window)];
}

// The window of that exact (case-sensitive) name.
constexpr std::optional<GraphWindow> graphWindowNamed(std::string_view name) {
    for (std::size_t i = 0; i < kGraphWindowNames.size(); ++i)
        if (kGraphWindowNames[i] == name) return static_cast<GraphWindow>(i);
    return std::nullopt;
}

class PlotSink {
public:
    virtual ~PlotSink() = default;
    virtual void setData(GraphWindow window, const PlotData& block) = 0;
};

} // namespace tessera
