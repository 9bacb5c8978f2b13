#pragma once
// TControlImage: the plot control of the graph windows. Draws dB curves over
// a logarithmic frequency axis, shows a readout under the pointer, marks a
// band with two left clicks (a plain right click clears it) and zooms into
// it. The behaviour lives in PlotSurface; this widget forwards its size,
// mouse events and commands and shows the bitmap. Changes are drawn when the
// control paints (or when the picture is asked for), so a control that is
// not shown yet never draws, and one shown draws once per paint at most.

#include "plot_surface.h"

#include <QCursor>
#include <QWidget>

class TControlImage : public QWidget {
    Q_OBJECT
public:
    explicit TControlImage(QWidget* parent = nullptr);

    // Keeps copies of the block (full data and view) and redraws.
    void SetData(const tessera::PlotData& data);
    // Draws everything again at the control's current size (at the next
    // paint or look at the picture).
    void Redraw();
    // Draws in print colours and writes "temp.wmf" in the working directory.
    // The control then shows the print colours until the next Redraw. False
    // with a message when the file cannot be written.
    bool ExportMetafile(QString* error = nullptr);
    // The band between the two markers; refused without two markers, with a
    // view of fewer than five points, or with both markers on one grid point.
    void ZoomIn();
    // Back to the full data; the markers stay.
    void ZoomOut();

    void setTitle(const QString& title);
    void setXlabel(const QString& label);
    void setGrid(bool grid);
    QString title() const { return surface_.title(); }
    QString xlabel() const { return surface_.xlabel(); }
    bool grid() const { return surface_.grid(); }

    double YStep() { return surface_.yStep(); }
    const tessera::PlotData& FullData() const { return surface_.fullData(); }
    const tessera::PlotData& ViewData() const { return surface_.viewData(); }
    // The bitmap shown, and the drawing last recorded into it (both brought
    // up to date first).
    const QImage& Picture() { return surface_.picture(); }
    const tessera::plot::PlotRecording& recording() { return surface_.recording(); }
    const tessera::plot::MarkerState& markers() { return surface_.markers(); }
    // How many drawings the control has made, and how many of them drew the
    // static layer afresh.
    int drawingCount() const { return surface_.drawingCount(); }
    int staticLayerCount() const { return surface_.staticLayerCount(); }
    bool zoomed() const { return surface_.zoomed(); }
    const tessera::plot::ReadoutTexts& lastReadout() const { return surface_.lastReadout(); }

    QSize sizeHint() const override { return {500, 500}; }
    QSize minimumSizeHint() const override { return {40, 40}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Shows what a change of data, properties or zoom did to the picture.
    void showChanges();

    tessera::plot::PlotSurface surface_;
    bool painted_ = false;
    QCursor savedCursor_;
};
