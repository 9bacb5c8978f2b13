#pragma once
// The floating "Filter - Configuration" window: a notebook with one page per
// filter section. Its creation brings the engine to life (standard value
// table, reset of all sections, every curve plotted, graph titles set). It
// stays on top, is never modal, and its close box only hides it.

#include "filter_engine.h"
#include "page_model.h"
#include "plot_sink.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

class FilterPage;
class QTabWidget;
class Trealedit;

// Sets a graph window's title and x-axis label.
using GraphTitleSetter = std::function<void(tessera::GraphWindow, const QString& title, const QString& xLabel)>;

class TDialog : public QDialog, public tessera::PageView {
    Q_OBJECT
public:
    // Lays out the window, fills the standard value table, resets every
    // section (plotting through the engine's plot sink, which the caller sets
    // beforehand), sets the six graph titles, clears the modified flag, sets
    // DialogReady and shows the window centred on the screen.
    TDialog(tessera::FilterEngine& engine, GraphTitleSetter setTitles, QWidget* parent = nullptr);
    // Clears DialogReady and detaches from the engine.
    ~TDialog() override;

    // Bring the page of section 1..4 to the front (a graph window of that
    // section became active). Does nothing unless DialogReady is set.
    void selectPage(int section);

    FilterPage* page(int section) const { return pages_[static_cast<std::size_t>(section - 1)]; }
    QTabWidget* notebook() const { return notebook_; }
    // The hidden text-to-number converter of the dialog.
    Trealedit* converter() const { return converter_; }

    void pageChanged(int section, unsigned changes) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void layOut(int dpi);
    void setGraphTitles(const GraphTitleSetter& setTitles);
    void centreOnScreen();

    tessera::FilterEngine& engine_;
    QTabWidget* notebook_ = nullptr;
    std::array<FilterPage*, tessera::kSectionCount> pages_{};
    Trealedit* converter_ = nullptr;
};
