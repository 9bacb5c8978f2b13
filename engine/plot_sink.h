#pragma once
// Where the engine hands its curves: the plot controls of the six graph
// windows. The engine builds a fresh block for each pass; the receiver copies
// what it needs before returning.

#include "plot_data.h"

namespace tessera {

enum class GraphWindow { Filter1, Filter2, Filter3, Filter4, Import, Result };

constexpr GraphWindow sectionWindow(int section) { return static_cast<GraphWindow>(section - 1); }

class PlotSink {
public:
    virtual ~PlotSink() = default;
    virtual void setData(GraphWindow window, const PlotData& block) = 0;
};

} // namespace tessera
