#pragma once
// Everything a plot control is, without the widget: its data copies, title,
// x label and grid flag, the bitmap it shows, the last drawing, the metafile
// export, and the pointer readout, markers and zoom. The widget forwards its
// size, mouse events and commands here and shows `picture()`.

#include "plot_data.h"
#include "plot_drawing.h"
#include "readout.h"

#include <QImage>
#include <QString>

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

    // Copies the block into both the full and the view copy and redraws.
    void SetData(const PlotData& data);
    // Draws everything again into the bitmap.
    void Redraw();
    // Draws in print colours and writes "temp.wmf" in the working directory;
    // false with a message when the file cannot be written.
    bool ExportMetafile(QString* error = nullptr);
    void ZoomIn();
    void ZoomOut();

    // A mouse button went down with `buttons` held (the new one included).
    void press(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int X, int Y);
    // The pointer moved; true when it is over the plot area (cross cursor).
    bool move(int X, int Y);

    const QImage& picture() const { return picture_; }
    const PlotRecording& recording() const { return recording_; }
    const PlotData& fullData() const { return full_; }
    const PlotData& viewData() const { return view_; }
    double yStep() const { return yStep_; }
    const MarkerState& markers() const { return markers_; }
    bool zoomed() const { return zoomed_; }
    bool crossHairShown() const { return crossHair_; }
    const ReadoutTexts& lastReadout() const { return readout_; }

private:
    PlotLayout layout() const { return PlotLayout::of(width_, height_); }
    void invert(int left, int top, int right, int bottom);
    void drawReadout(QPainter& painter, const PlotLayout& p, double f, double gain, double fi, double v, int xc,
                     int yc);
    void moveCrossHair(QPainter& painter, const PlotLayout& p, int X, int yc);

    int width_ = 500, height_ = 500;
    QString title_;
    QString xlabel_ = QStringLiteral("Frequency");
    bool grid_ = true;
    PlotData full_ = PlotData::initialBlock();
    PlotData view_ = PlotData::initialBlock();
    double yStep_ = 0;
    bool exportPending_ = false;
    QString exportError_;
    QImage picture_;
    PlotRecording recording_;

    MarkerState markers_;
    bool crossHair_ = false;
    int crossColumn_ = 0, crossRow_ = 0, crossIndex_ = 0;
    bool zoomed_ = false;
    ReadoutTexts readout_;
};

} // namespace tessera::plot
