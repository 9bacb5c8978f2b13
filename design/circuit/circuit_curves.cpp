#include "circuit_curves.h"

#include "frequency_grid.h"
#include "section_parts.h"
#include "stage_response.h"

#include <algorithm>
#include <vector>

namespace tessera {
namespace {

Curve realSectionCurve(const SectionParts& parts, int section, double gbw) {
    const auto& grid = gridFrequencies();
    Curve curve;
    for (std::size_t i = 0; i < kGridPoints; ++i) curve[i] = sectionDb(parts, isBoostSection(section), gbw, grid[i]);
    return curve;
}

// The block with `rows` appended; the dB range widened to show them.
PlotData appended(const PlotData& block, const std::vector<ExtraRow>& rows) {
    const std::int32_t count = block.count();
    const std::int32_t baseRows = block.rows();
    PlotData out = PlotData::forRows(baseRows + static_cast<std::int32_t>(rows.size()), count);
    out.setSampleRate(block.sampleRate());
    out.setAux(block.aux());
    out.setXRange(block.xMin(), block.xMax());
    const std::size_t stride = static_cast<std::size_t>(count);
    for (std::size_t k = 0; k < stride * static_cast<std::size_t>(baseRows); ++k) out.setValue(k, block.value(k));
    double lowest = block.yMin(), highest = block.yMax();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int row = baseRows + static_cast<int>(r);
        out.setRowKind(row, rows[r].kind);
        for (std::size_t i = 0; i < stride && i < kGridPoints; ++i) {
            const double v = rows[r].values[i];
            out.setValue(static_cast<std::size_t>(row) * stride + i, v);
            lowest = std::min(lowest, v);
            highest = std::max(highest, v);
        }
    }
    out.setYRange(lowest, highest);
    return out;
}

std::size_t slot(GraphWindow window) { return static_cast<std::size_t>(window); }

} // namespace

CircuitCurves::CircuitCurves(const FilterEngine& engine, PlotSink& windows) : engine_(engine), windows_(windows) {}

CircuitCurves::~CircuitCurves() = default;

std::vector<ExtraRow> CircuitCurves::extraRows(GraphWindow window, const PlotData& block) const {
    std::vector<ExtraRow> rows;
    // Only the engine's own grid blocks get extra rows; the parts are looked
    // at only when there is something to draw from them.
    const double gbw = this->gbw();
    if ((gbw <= 0 && !bounds_) || block.count() != kGridPoints || block.rows() < 2) return rows;
    const CircuitParts parts = circuitParts(engine_);
    const bool buildable = !unbuildableReason(parts);
    if (gbw > 0 && buildable) {
        if (window == GraphWindow::Result) {
            ExtraRow row{CurveKind::RealOpAmp, engine_.state().ImportedResponse};
            for (int s = 1; s <= kSectionCount; ++s) {
                const Curve section = realSectionCurve(parts[static_cast<std::size_t>(s - 1)], s, gbw);
                for (std::size_t i = 0; i < kGridPoints; ++i) row.values[i] += section[i];
            }
            rows.push_back(row);
        } else if (window != GraphWindow::Import) {
            const int s = static_cast<int>(window) + 1;
            rows.push_back({CurveKind::RealOpAmp, realSectionCurve(parts[static_cast<std::size_t>(s - 1)], s, gbw)});
        }
    }
    if (bounds_ && window == GraphWindow::Result) {
        ExtraRow low{CurveKind::ToleranceBound, engine_.state().ImportedResponse};
        ExtraRow high = low;
        for (std::size_t i = 0; i < kGridPoints; ++i) {
            low.values[i] += bounds_->lowest[i];
            high.values[i] += bounds_->highest[i];
        }
        rows.push_back(low);
        rows.push_back(high);
    }
    return rows;
}

void CircuitCurves::pass(GraphWindow window, const PlotData& block) {
    const std::vector<ExtraRow> rows = extraRows(window, block);
    if (rows.empty())
        windows_.setData(window, block);
    else
        windows_.setData(window, appended(block, rows));
}

void CircuitCurves::setData(GraphWindow window, const PlotData& block) {
    // Bounds of other parts would show a spread that this circuit does not have.
    if (bounds_ && window == GraphWindow::Result && !(circuitParts(engine_) == bounds_->parts)) bounds_.reset();
    last_[slot(window)] = block;
    pass(window, block);
    if (window != GraphWindow::Result) return;
    // A copy: a watcher may take itself or another away.
    const auto watchers = watchers_;
    for (const auto& [id, watcher] : watchers) watcher();
}

int CircuitCurves::watchDesign(std::function<void()> watcher) {
    watchers_.emplace(nextWatcher_, std::move(watcher));
    return nextWatcher_++;
}

void CircuitCurves::unwatchDesign(int id) { watchers_.erase(id); }

void CircuitCurves::setOpAmp(const OpAmpModel& model) {
    if (model == opAmp_) return;
    opAmp_ = model;
    if (bounds_ && !(bounds_->opAmp == opAmp_)) bounds_.reset();
    replot();
}

void CircuitCurves::setToleranceBounds(std::optional<ToleranceBounds> bounds) {
    bounds_ = std::move(bounds);
    replot();
}

void CircuitCurves::replot() {
    for (std::size_t w = 0; w < last_.size(); ++w)
        if (last_[w]) pass(static_cast<GraphWindow>(w), *last_[w]);
}

CircuitCurves* circuitCurvesOf(const FilterEngine& engine) { return dynamic_cast<CircuitCurves*>(engine.plotSink()); }

} // namespace tessera
