#include "graph_window.h"

#include "filter_bank_state.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace {

using tessera::GraphWindow;

constexpr std::array<GraphWindow, 6> kAllWindows = {GraphWindow::Filter1, GraphWindow::Filter2,
                                                    GraphWindow::Filter3, GraphWindow::Filter4,
                                                    GraphWindow::Import,  GraphWindow::Result};

// 1 .. 4 for a section's window, 0 for "Import" and "Result".
int sectionOf(GraphWindow window) {
    const int index = static_cast<int>(window);
    return index < 4 ? index + 1 : 0;
}

// A 32 x 32 picture of a section's response: a peak for the boost sections,
// a notch for the cut sections, in the plot's screen colours.
QIcon responseIcon(bool boost) {
    QPixmap pixmap(32, 32);
    pixmap.fill(QColor(192, 192, 192));
    QPainter p(&pixmap);
    p.fillRect(3, 3, 26, 26, Qt::black);
    p.setPen(QColor(192, 192, 192));
    p.drawLine(4, 16, 28, 16);
    QPainterPath curve;
    const double sign = boost ? -1 : 1;
    for (int x = 4; x <= 28; ++x) {
        const double u = (x - 16) / 4.0;
        const double y = 16 + sign * 10 / (1 + u * u);
        if (x == 4) curve.moveTo(x, y);
        else curve.lineTo(x, y);
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 255, 0), 2));
    p.drawPath(curve);
    return QIcon(pixmap);
}

// "Import" and "Result" carry no icon of their own.
QIcon noIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return QIcon(pixmap);
}

} // namespace

QString graphWindowName(GraphWindow window) {
    const std::string_view name = tessera::graphWindowText(window);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

TGraphWindow::TGraphWindow(GraphWindow window, const QIcon& icon, QWidget* parent)
    : QMdiSubWindow(parent), window_(window), plot_(new TControlImage) {
    const QString name = graphWindowName(window);
    setObjectName(name);
    // The title comes last (see GraphWindows): the frame fits it to its
    // width, in its font, on every change it goes through while it is made.
    QFont formFont(QStringLiteral("MS Sans Serif"));
    formFont.setPixelSize(13);
    setFont(formFont);
    setWindowIcon(icon);
    plot_->setObjectName(QStringLiteral("ControlImage1"));
    plot_->setTitle(tr("Title"));
    plot_->setXlabel(tr("xLabel"));
    plot_->setGrid(true);
    // The sub-window's layout keeps the plot the size of the client area;
    // every size change redraws it.
    setWidget(plot_);
    resize(420, 320);
}

int TGraphWindow::section() const { return sectionOf(window_); }

void TGraphWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    showMinimized();
}

GraphWindows::GraphWindows(QMdiArea* area)
    : QObject(area), ready_([] { return tessera::bankState().DialogReady != 0; }) {
    // The boost sections share one picture, the cut sections another.
    const QIcon boostIcon = responseIcon(true);
    const QIcon cutIcon = responseIcon(false);
    const QIcon plainIcon = noIcon();
    for (GraphWindow w : kAllWindows) {
        const int section = sectionOf(w);
        const QIcon& icon = section == 0 ? plainIcon : tessera::isBoostSection(section) ? boostIcon : cutIcon;
        // Made inside the area, as the area makes its own child windows: a
        // window made on its own and moved in afterwards has its frame, flags
        // and system menu set up a second time.
        auto* window = new TGraphWindow(w, icon, area->viewport());
        area->addSubWindow(window);
        window->show();
        // Each change of a child window while the area takes it in and shows
        // it lays its title out anew, several times over: with the title
        // given last, those layouts are of an empty text.
        window->setWindowTitle(window->objectName());
        windows_[static_cast<std::size_t>(w)] = window;
    }
    connect(area, &QMdiArea::subWindowActivated, this, &GraphWindows::activated);
}

void GraphWindows::activated(QMdiSubWindow* window) {
    const auto* graph = qobject_cast<TGraphWindow*>(window);
    if (!graph || graph->section() == 0 || !hook_ || !ready_ || !ready_()) return;
    hook_(graph->section());
}

void GraphPlotSink::setData(GraphWindow window, const tessera::PlotData& block) {
    windows_.plot(window)->SetData(block);
}

TControlImage* findPlotByWindowName(QMdiArea* area, const QString& name) {
    if (!area) return nullptr;
    for (GraphWindow w : kAllWindows) {
        if (name != graphWindowName(w)) continue;
        for (QMdiSubWindow* sub : area->subWindowList())
            if (auto* graph = qobject_cast<TGraphWindow*>(sub); graph && graph->objectName() == name)
                return graph->ControlImage1();
    }
    return nullptr;
}

TControlImage* activePlot(QMdiArea* area) {
    QMdiSubWindow* active = area ? area->activeSubWindow() : nullptr;
    return active ? findPlotByWindowName(area, active->objectName()) : nullptr;
}
