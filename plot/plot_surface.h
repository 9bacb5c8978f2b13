#pragma once
// Everything a plot control is, without the widget: its data copies, title,
// x label and grid flag, the bitmap it shows, the last drawing, the metafile
// export, and the pointer readout, markers and zoom. The widget forwards its
// size, mouse events and commands here and shows `picture()`.
//
// Changes of data, size, title, label, grid, zoom and markers only mark the
// drawing out of date; it is redrawn once, when it is next looked at (the
// picture, the recording, the dB step, the marker columns, a mouse event).
// So a window that gets its title, label and data before it is shown draws
// once, with all of them. On screen the static layer (background, frame,
// grid, labels, title) is kept as an image and reused while nothing it
// depends on changes; a curve change copies it and draws only the curves.
// The metafile export always draws everything as vector records.

#include "plot_data.h"
#include "plot_drawing.h"
#include "readout.h"

#include <QCoreApplication>
#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

namespace tessera::plot {

// The readout texts last drawn, as shown.
struct ReadoutTexts {
    QString frequency;   // "1.50 kHz", "1000.00   Hz"
    QString gain;        // "-3.25 dB"
    QString curveValue;  // "-3.25"
    QString gridLabel;   // "1.5 k"
    int gridIndex = 0;
    bool verticalCurveValue = false;
};

class PlotSurface {
public:
    static constexpr const char* kMetafileName = "temp.wmf";

    PlotSurface();

    void setSize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }

    void setTitle(const QString& title);
    void setXlabel(const QString& label);
    void setGrid(bool grid);
    const QString& title() const { return title_; }
    const QString& xlabel() const { return xlabel_; }
    bool grid() const { return grid_; }

    // Copies the block into both the full and the view copy; redraws when next looked at.
    void SetData(const PlotData& data);
    // Draws everything again into the bitmap now.
    void Redraw();
    // Marks the drawing out of date: it is redrawn when next looked at.
    void invalidate() { stale_ = true; }
    bool upToDate() const { return !stale_; }
    // Brings the drawing up to date and returns the pixels of the picture
    // that changed since the last call, as rectangles that may overlap.
    std::vector<QRect> takeChangedArea();
    // How many drawings the surface has made (screen and export), and how
    // many of them had to draw the screen's static layer afresh.
    int drawingCount() const { return drawings_; }
    int staticLayerCount() const { return layerDrawings_; }
    // Draws in print colours and writes "temp.wmf" in the working directory;
    // false with a message when the file cannot be written.
    bool ExportMetafile(QString* error = nullptr);
    void ZoomIn();
    void ZoomOut();

    // A mouse button went down with `buttons` held (the new one included).
    void press(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int X, int Y);
    // The pointer moved; true when it is over the plot area (cross cursor).
    bool move(int X, int Y);

    // These bring the drawing up to date first.
    const QImage& picture();
    const PlotRecording& recording();
    double yStep();
    const MarkerState& markers();
    bool crossHairShown();

    const PlotData& fullData() const { return full_; }
    const PlotData& viewData() const { return view_; }
    bool zoomed() const { return zoomed_; }
    const ReadoutTexts& lastReadout() const { return readout_; }

private:
    PlotLayout layout() const { return PlotLayout::of(width_, height_); }
    void settle() {
        if (stale_) Redraw();
    }
    PlotScene scene() const;
    void drawExport(const PlotScene& scene, char separator);
    void drawScreen(const PlotScene& scene, char separator);
    // A frame drawn for the first time (at start, after a resize) goes
    // straight into the picture; the layer is made when the same frame is
    // drawn again, as a curve change does.
    void drawWhole(const PlotScene& scene, const PlotFrame& frame, StaticLayerKey key);
    // Records the curves and markers over the static layer.
    void drawOverlay(const PlotScene& scene, const PlotFrame& frame);
    // Brings the layer to `key`; the area that changed, or none when all did.
    std::optional<std::vector<QRect>> updateLayer(StaticLayerKey key, const QRect& whole);
    void drawGainLayer(const QRect& whole);
    const std::vector<int>& columnsFor(const PlotScene& scene, const AxisScale& scale);
    void markChanged(const std::vector<QRect>& area);
    // The picture was drawn into outside the layer and overlay (readout,
    // marker band, export colours): the next drawing restores all of it.
    void scribble();
    void invert(int left, int top, int right, int bottom);
    void drawReadout(QPainter& painter, const PlotLayout& p, double f, double gain, double fi, double v, int xc,
                     int yc);
    void moveCrossHair(QPainter& painter, const PlotLayout& p, int X, int yc);

    int width_ = 500, height_ = 500;
    QString title_;
    QString xlabel_ = QCoreApplication::translate("Plot", "Frequency");
    bool grid_ = true;
    PlotData full_ = PlotData::initialBlock();
    PlotData view_ = PlotData::initialBlock();
    double yStep_ = 0;
    bool exportPending_ = false;
    QString exportError_;
    bool stale_ = true;
    int drawings_ = 0, layerDrawings_ = 0;
    QImage picture_;

    // The screen's static layer and what it was drawn for: the base without
    // the dB marks, the marks with the pixels they cover, and both together.
    std::optional<StaticLayerKey> layerKey_;
    std::optional<StaticLayerKey::Base> lastBase_;
    PlotRecording baseRecording_, gainRecording_;
    std::vector<QRect> gainArea_;
    QImage baseImage_, layerImage_;
    // The curves and markers drawn over the layer, and the pixels they cover.
    PlotRecording overlay_;
    std::vector<QRect> overlayArea_;
    bool scribbled_ = false;
    std::vector<QRect> changed_;

    // The curves' columns and what they were computed from.
    struct ColumnKey {
        int left = 0, right = 0;
        double xMin = 0, xMax = 0;
        std::vector<double> frequencies;
        bool operator==(const ColumnKey&) const = default;
    };
    std::optional<ColumnKey> columnKey_;
    std::vector<int> columns_;
    // The whole drawing, joined from layer and overlay when asked for.
    PlotRecording recording_;
    bool recordingJoined_ = false;

    MarkerState markers_;
    bool crossHair_ = false;
    int crossColumn_ = 0, crossRow_ = 0, crossIndex_ = 0;
    bool zoomed_ = false;
    ReadoutTexts readout_;
};

} // namespace tessera::plot
