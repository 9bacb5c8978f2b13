#pragma once
// Resampling of measured points onto the 256-point frequency grid, shared by
// the TDS and MLSSA readers. Points come in rising frequency; a grid point
// receives the mean of every point read since the previous grid point got its
// value, the first point above it included. When one point passes several grid
// points they all receive the same mean.

#include "filter_bank_state.h"
#include "filter_engine.h"
#include "file_outcome.h"
#include "plot_data.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessera {

class GridResampler {
public:
    // Where the reading stops: TDS while the grid frequency is below 20 kHz,
    // MLSSA while it is not above (so both leave the last grid point, just
    // above 20 kHz, to the fill unless one point passes both of the last
    // two); the frequency-response reader only once all 256 have a value
    // (and its points above the last grid point but one reach the last).
    enum class Limit { Below20k, UpTo20k, WholeGrid };

    // What a point on a grid frequency does: the TEF and MLSSA readers only
    // add it to that grid point's mean, which the next point above completes;
    // the frequency-response reader lets it complete the grid point, so that
    // a curve written at the grid frequencies reads back point for point.
    // "On" allows for the 48-bit conversion's rounding of the frequency.
    enum class OnGrid { AddsToMean, Completes };

    explicit GridResampler(Limit limit, OnGrid onGrid = OnGrid::AddsToMean);

    // Whether the next data point is still wanted (asked at every point).
    bool wantsMore() const {
        switch (limit_) {
        case Limit::Below20k: return frequency_ < 20000.0;
        case Limit::UpTo20k: return frequency_ <= 20000.0;
        case Limit::WholeGrid: return next_ < kGridPoints;
        }
        return false;
    }

    // One data point. `gridValue(mean, lowestSoFar)` turns the pending mean
    // into the value of a grid point.
    template <typename GridValue>
    void add(double frequency, double value, GridValue&& gridValue) {
        sum_ += value;
        ++count_;
        if (!passes(frequency)) return;
        while (passes(frequency) && next_ < kGridPoints) {
            const double y = gridValue(sum_ / static_cast<double>(count_), lowest_);
            give(y);
        }
        sum_ = 0;
        count_ = 0;
        // The point that completes the last grid point but one from above
        // it is one of the points that reachLastPoint counts.
        if (onGrid_ == OnGrid::Completes && next_ == kGridPoints - 1 && frequency * kOnGridBelow > lastButOne())
            aboveLastButOne_ = value;
    }

    // The last grid point lies just above 20 kHz, where measurements end
    // (19999.5 Hz): with OnGrid::Completes, when the data end before it, the
    // points above the grid point before it give it their mean instead of
    // leaving it a copy of that one. A point on or beyond it completes it as
    // any other, so a curve with a point on every grid frequency reads back.
    template <typename GridValue>
    void reachLastPoint(GridValue&& gridValue) {
        const std::int64_t points = count_ + (aboveLastButOne_ ? 1 : 0);
        if (onGrid_ != OnGrid::Completes || next_ != kGridPoints - 1 || points == 0) return;
        give(gridValue((sum_ + aboveLastButOne_.value_or(0)) / static_cast<double>(points), lowest_));
    }

    // Grid points given so far; 0 leaves nothing to fill the rest from.
    int given() const { return next_; }

    // The rest of the grid repeats the last value given. Needs given() > 0.
    void fillRest();
    // Every value a finite number (after fillRest).
    bool allFinite() const;

    const Curve& values() const { return values_; }
    const Curve& frequencies() const { return frequencies_; }
    double lowest() const { return lowest_; }
    // The frequencies of the first and the last data point added, which the
    // reader tells once it is done (kept out of add(), which runs for every
    // point of a file).
    void setSpan(double first, double last) {
        firstFrequency_ = first;
        lastFrequency_ = last;
    }
    double firstFrequency() const { return firstFrequency_; }
    double lastFrequency() const { return lastFrequency_; }
    double highest() const { return highest_; }

    // The import plot's block: 2 rows of 256 points, sample rate 0, the given
    // Aux, 20 Hz to 20 kHz and the range of the computed (not filled) values.
    PlotData plotBlock(double aux) const;

private:
    void give(double y);
    double lastButOne() const { return frequencies_[kGridPoints - 2]; }
    bool passes(double frequency) const {
        return frequency > frequency_ || (onGrid_ == OnGrid::Completes && frequency >= frequency_ * kOnGridBelow);
    }
    // A frequency read through the 48-bit conversion lies within 2^-41 of
    // the double it was written from.
    static constexpr double kOnGridBelow = 1.0 - 0x1p-39;

    Limit limit_;
    OnGrid onGrid_;
    double frequency_ = 20.0; // the grid frequency waiting for a value
    int next_ = 0;            // its index
    double sum_ = 0;
    std::int64_t count_ = 0; // points in the pending mean
    double firstFrequency_ = 0, lastFrequency_ = 0;
    std::optional<double> aboveLastButOne_; // the value of the point that completed it from above
    double lowest_ = 0, highest_ = 0;
    Curve values_{};
    Curve frequencies_{};
};

// Finishes an import: refuses data that leave no grid value or hold a value
// that is not finite; otherwise stores the curve as the imported response,
// hands the block to the import plot, redraws the result (which sets the
// modified flag) and names the file in the import window's caption. Done
// carries the span of the data points read.
FileOutcome finishImport(FilterEngine& engine, GridResampler& resampled, double aux, const std::string& fileName);

} // namespace tessera
