#pragma once
// The six graph windows of the frame: child windows named "Filter1" ..
// "Filter4", "Import" and "Result", each filled by its plot control
// ControlImage1. Closing one only minimises it; activating a section's window
// tells the configuration dialog (through a hook) to show that section's page.

#include "contimage.h"
#include "plot_sink.h"

#include <QMdiSubWindow>

#include <array>
#include <functional>

class QMdiArea;

// The window name of a graph window: "Filter1" .. "Filter4", "Import", "Result".
QString graphWindowName(tessera::GraphWindow window);

class TGraphWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    TGraphWindow(tessera::GraphWindow window, const QIcon& icon, QWidget* parent = nullptr);

    TControlImage* ControlImage1() const { return plot_; }
    tessera::GraphWindow graphWindow() const { return window_; }
    // 1 .. 4 for a section's window, 0 for "Import" and "Result".
    int section() const;

protected:
    // The windows live as long as the program: closing only minimises.
    void closeEvent(QCloseEvent* event) override;

private:
    tessera::GraphWindow window_;
    TControlImage* plot_;
};

// The six windows of a frame, in GraphWindow order, and the activation hook.
class GraphWindows : public QObject {
    Q_OBJECT
public:
    using SectionHook = std::function<void(int section)>;
    using Readiness = std::function<bool()>;

    // Creates the six windows in `area` (owned by it) and shows them.
    explicit GraphWindows(QMdiArea* area);

    TGraphWindow* window(tessera::GraphWindow w) const { return windows_[static_cast<std::size_t>(w)]; }
    TControlImage* plot(tessera::GraphWindow w) const { return window(w)->ControlImage1(); }
    const std::array<TGraphWindow*, 6>& windows() const { return windows_; }

    // Called with the section when "Filter1" .. "Filter4" becomes active while
    // `ready` holds (by default the filter bank's DialogReady flag).
    void setSectionActivatedHook(SectionHook hook) { hook_ = std::move(hook); }
    void setReadiness(Readiness ready) { ready_ = std::move(ready); }

private:
    void activated(QMdiSubWindow* window);

    std::array<TGraphWindow*, 6> windows_{};
    SectionHook hook_;
    Readiness ready_;
};

// Routes the engine's curves to the plot of each window.
class GraphPlotSink : public tessera::PlotSink {
public:
    explicit GraphPlotSink(const GraphWindows& windows) : windows_(windows) {}
    void setData(tessera::GraphWindow window, const tessera::PlotData& block) override;

private:
    const GraphWindows& windows_;
};

// The plot of the area's child window named exactly `name` (one of the six
// window names; the caption does not matter), or nullptr.
TControlImage* findPlotByWindowName(QMdiArea* area, const QString& name);
// The plot of the active child window, or nullptr when there is none.
TControlImage* activePlot(QMdiArea* area);
