#include "schematic_window.h"

#include "circuit_curves.h"
#include "circuit_settings_holder.h"
#include "document.h"
#include "drawing_painter.h"
#include "program_language.h"
#include "schematic.h"
#include "schematic_files.h"
#include "tool_widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {
using tessera::tools::named;
}

TSchematicView::TSchematicView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SchematicView"));
    setAutoFillBackground(false);
}

void TSchematicView::setDrawing(const tessera::drawing::Drawing* d) {
    drawing_ = d;
    resize(sizeHint());
    update();
}

void TSchematicView::setZoom(double zoom) {
    zoom_ = zoom;
    resize(sizeHint());
    update();
}

double TSchematicView::pixelsPerUnit() const { return logicalDpiX() / 72.0; }

QSize TSchematicView::sizeHint() const {
    if (drawing_ == nullptr) return {100, 100};
    const double scale = zoom_ * pixelsPerUnit();
    return {static_cast<int>(std::ceil(drawing_->width * scale)), static_cast<int>(std::ceil(drawing_->height * scale))};
}

void TSchematicView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (drawing_ == nullptr) return;
    const double scale = zoom_ * pixelsPerUnit();
    painter.scale(scale, scale);
    tessera::paintDrawing(painter, *drawing_);
}

void TSchematicView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore(); // the scroll area scrolls
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) emit zoomSteps(steps);
    event->accept();
}

TSchematicWindow::TSchematicWindow(tessera::FilterEngine& engine, tessera::CircuitCurves& curves,
                                   tessera::CircuitSettingsHolder& settings, tessera::Document& document,
                                   tessera::DocumentPrompts& prompts, QWidget* parent)
    : QDialog(parent), engine_(engine), curves_(curves), settings_(settings), document_(document), prompts_(prompts) {
    setObjectName(QStringLiteral("SchematicWindow"));
    setWindowTitle(tr("Schematic"));
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    SchematicView = new TSchematicView;
    SchematicScroll = named(new QScrollArea, "SchematicScroll");
    SchematicScroll->setWidget(SchematicView);
    SchematicScroll->setAlignment(Qt::AlignCenter);
    SchematicScroll->setBackgroundRole(QPalette::Dark);

    const auto button = [this](const char* text, const char* name, auto slot) {
        auto* b = named(new QPushButton(tr(text)), name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto* row = new QHBoxLayout;
    row->addWidget(button(QT_TR_NOOP("Zoom &in"), "ZoomInButton", &TSchematicWindow::ZoomInButtonClick));
    row->addWidget(button(QT_TR_NOOP("Zoom &out"), "ZoomOutButton", &TSchematicWindow::ZoomOutButtonClick));
    row->addWidget(button(QT_TR_NOOP("&Fit"), "FitButton", &TSchematicWindow::FitButtonClick));
    ZoomLabel = named(new QLabel, "ZoomLabel");
    ZoomLabel->setMinimumWidth(ZoomLabel->fontMetrics().horizontalAdvance(QStringLiteral("1000 %")));
    row->addWidget(ZoomLabel);
    row->addStretch();
    row->addWidget(button(QT_TR_NOOP("Export &SVG…"), "ExportSvgButton", &TSchematicWindow::ExportSvgButtonClick));
    row->addWidget(button(QT_TR_NOOP("Export P&DF…"), "ExportPdfButton", &TSchematicWindow::ExportPdfButtonClick));
    row->addWidget(button(QT_TR_NOOP("&Close"), "CloseButton", &QDialog::close));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(SchematicScroll, 1);

    for (const auto& [keys, slot] : {std::pair{QKeySequence::ZoomIn, &TSchematicWindow::ZoomInButtonClick},
                                     std::pair{QKeySequence::ZoomOut, &TSchematicWindow::ZoomOutButtonClick}})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, slot);
    connect(SchematicView, &TSchematicView::zoomSteps, this,
            [this](int steps) { setZoom(zoom() * std::pow(kZoomStep, steps)); });
    // The drawing follows the sections and the circuit settings.
    watch_ = curves_.watchDesign([this] {
        if (isVisible()) refresh();
    });
    connect(&settings_, &tessera::CircuitSettingsHolder::changed, this, [this] {
        if (isVisible()) refresh();
    });

    resize(1000, 760);
    refresh();
    setZoom(1);
}

TSchematicWindow::~TSchematicWindow() { curves_.unwatchDesign(watch_); }

double TSchematicWindow::zoom() const { return SchematicView->zoom(); }

void TSchematicWindow::refresh() {
    drawing_ = tessera::schematicDrawing(engine_, settings_.settings(), document_.fileName());
    SchematicView->setDrawing(&drawing_);
}

void TSchematicWindow::setZoom(double zoom) {
    zoom = std::clamp(zoom, kSmallestZoom, kLargestZoom);
    // Keep the point in the middle of the view where it is.
    QScrollBar* h = SchematicScroll->horizontalScrollBar();
    QScrollBar* v = SchematicScroll->verticalScrollBar();
    const QSize port = SchematicScroll->viewport()->size();
    const double ratio = zoom / SchematicView->zoom();
    const double centreX = (h->value() + port.width() / 2.0) * ratio, centreY = (v->value() + port.height() / 2.0) * ratio;
    SchematicView->setZoom(zoom);
    h->setValue(static_cast<int>(std::lround(centreX - port.width() / 2.0)));
    v->setValue(static_cast<int>(std::lround(centreY - port.height() / 2.0)));
    ZoomLabel->setText(QString::number(std::lround(zoom * 100)) + QStringLiteral(" %"));
}

void TSchematicWindow::ZoomInButtonClick() { setZoom(zoom() * kZoomStep); }

void TSchematicWindow::ZoomOutButtonClick() { setZoom(zoom() / kZoomStep); }

void TSchematicWindow::FitButtonClick() {
    const QSize port = SchematicScroll->maximumViewportSize();
    const double unit = SchematicView->pixelsPerUnit();
    setZoom(std::min(port.width() / (drawing_.width * unit), port.height() / (drawing_.height * unit)));
}

void TSchematicWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    refresh();
    if (!fitted_) {
        fitted_ = true;
        FitButtonClick();
    }
}

void TSchematicWindow::exportAs(tessera::DrawingFormat format) {
    const auto name = document_.chooseFileToWrite(format == tessera::DrawingFormat::Svg
                                                      ? tessera::FileDialogKind::ExportSchematicSvg
                                                      : tessera::FileDialogKind::ExportSchematicPdf);
    if (!name) return;
    refresh(); // the file name in the title is the document's as it is now
    const tessera::FileOutcome outcome = tessera::writeDrawing(drawing_, format, *name);
    if (outcome.refused()) prompts_.reportError(inProgramLanguage(outcome.message));
}

void TSchematicWindow::ExportSvgButtonClick() { exportAs(tessera::DrawingFormat::Svg); }

void TSchematicWindow::ExportPdfButtonClick() { exportAs(tessera::DrawingFormat::Pdf); }
