#pragma once
// The extra curves of the circuit tools, added to the engine's plot blocks on
// their way to the graph windows: while an op-amp is chosen, each section
// window and the Result window get a second curve, the response with that
// op-amp; while a tolerance run's bounds are valid, the Result window gets
// the lowest and the highest curve over its trials. The engine knows
// nothing of them: this sink sits between it and the windows.

#include "filter_engine.h"
#include "opamp_model.h"
#include "plot_sink.h"
#include "section_parts.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace tessera {

// The lowest and highest combined curve (without the imported response) of a
// tolerance run, valid while the circuit has these parts and this op-amp.
struct ToleranceBounds {
    CircuitParts parts;
    Curve lowest{}, highest{};
    OpAmpModel opAmp = idealOpAmp();
};

// A curve added to a block, drawn in the colour of its kind.
struct ExtraRow {
    CurveKind kind;
    Curve values;
};

class CircuitCurves : public PlotSink {
public:
    CircuitCurves(const FilterEngine& engine, PlotSink& windows);
    ~CircuitCurves() override;

    void setData(GraphWindow window, const PlotData& block) override;

    // The chosen op-amp; an ideal one draws no extra curve. Redraws the
    // windows that show it; tolerance bounds of another op-amp go away.
    void setOpAmp(const OpAmpModel& model);
    const OpAmpModel& opAmp() const { return opAmp_; }
    // Its gain-bandwidth in Hz; 0 for the ideal one.
    double gbw() const { return opAmp_.gbw > 0 ? opAmp_.gbw : 0; }

    // Bounds to draw on the Result window (nullopt: none). They go away by
    // themselves once the parts differ from theirs.
    void setToleranceBounds(std::optional<ToleranceBounds> bounds);
    bool hasToleranceBounds() const { return bounds_.has_value(); }

    // Hands the windows their last blocks again with the extra curves as they
    // are now.
    void replot();

    // `watcher` is called each time the Result window has been handed a new
    // block from the engine: the sections (or the import) have changed. The
    // circuit tools that show figures of the design follow it so. The number
    // returned takes the watcher away again.
    int watchDesign(std::function<void()> watcher);
    void unwatchDesign(int id);

private:
    // The rows this window gets beside the engine's own; none while no op-amp
    // is chosen and no tolerance bounds are kept.
    std::vector<ExtraRow> extraRows(GraphWindow window, const PlotData& block) const;
    // Hands `block` on, with its extra rows when it has any.
    void pass(GraphWindow window, const PlotData& block);

    const FilterEngine& engine_;
    PlotSink& windows_;
    OpAmpModel opAmp_ = idealOpAmp();
    std::optional<ToleranceBounds> bounds_;
    std::map<int, std::function<void()>> watchers_;
    int nextWatcher_ = 0;
    // The last block from the engine for each window, without extra rows.
    std::array<std::optional<PlotData>, 6> last_;
};

// The sink of the engine if it is a CircuitCurves, else nullptr.
CircuitCurves* circuitCurvesOf(const FilterEngine& engine);

} // namespace tessera
