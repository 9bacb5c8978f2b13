#pragma once
// Tools > Schematic: the circuit diagram of the design as it is, redrawn
// whenever the sections or the circuit settings change, with zoom in and out,
// fit to the window, scrolling, and Export as SVG or PDF (the same files as
// `tessera-design schematic`). Thin: the drawing comes from design/.

#include "schematic_drawing.h"

#include <QDialog>
#include <QWidget>

class QLabel;
class QScrollArea;

namespace tessera {
class CircuitCurves;
class CircuitSettingsHolder;
class Document;
class DocumentPrompts;
class FilterEngine;
enum class DrawingFormat;
}

// The drawing at a zoom: one drawing unit (a point) is zoom / 72 inch on
// the screen.
class TSchematicView : public QWidget {
    Q_OBJECT
public:
    explicit TSchematicView(QWidget* parent = nullptr);
    void setDrawing(const tessera::drawing::Drawing* d);
    void setZoom(double zoom);
    double zoom() const { return zoom_; }
    // Screen pixels per drawing unit at zoom 1.
    double pixelsPerUnit() const;
    QSize sizeHint() const override;

signals:
    // Ctrl and the wheel: steps in (positive) or out.
    void zoomSteps(int steps);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    const tessera::drawing::Drawing* drawing_ = nullptr;
    double zoom_ = 1;
};

class TSchematicWindow : public QDialog {
    Q_OBJECT
public:
    TSchematicWindow(tessera::FilterEngine& engine, tessera::CircuitCurves& curves,
                     tessera::CircuitSettingsHolder& settings, tessera::Document& document,
                     tessera::DocumentPrompts& prompts, QWidget* parent);
    ~TSchematicWindow() override;

    const tessera::drawing::Drawing& drawing() const { return drawing_; }
    double zoom() const;
    // Draws the design as it is now.
    void refresh();

    static constexpr double kZoomStep = 1.25, kSmallestZoom = 0.1, kLargestZoom = 8;

public slots:
    void ZoomInButtonClick();
    void ZoomOutButtonClick();
    // The whole drawing in the window.
    void FitButtonClick();
    void ExportSvgButtonClick();
    void ExportPdfButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setZoom(double zoom);
    void exportAs(tessera::DrawingFormat format);

    tessera::FilterEngine& engine_;
    tessera::CircuitCurves& curves_;
    tessera::CircuitSettingsHolder& settings_;
    tessera::Document& document_;
    tessera::DocumentPrompts& prompts_;
    int watch_ = -1;
    bool fitted_ = false; // fitted once when first shown
    tessera::drawing::Drawing drawing_;

    QScrollArea* SchematicScroll = nullptr;
    TSchematicView* SchematicView = nullptr;
    QLabel* ZoomLabel = nullptr;
};
