#pragma once
// One page of the configuration dialog: the controls of one filter section.
// Written once for all four sections; every event goes to the engine, and
// the page shows the texts the engine keeps for it.

#include "filter_engine.h"
#include "page_layout.h"

#include <QWidget>

#include <array>

class ArrowPair;
class QComboBox;
class QLabel;
class QPushButton;
class TSpinButton;
class TUpDown;
class Trealedit;

class FilterPage : public QWidget {
    Q_OBJECT
public:
    // `dpi` is the screen resolution the designed places are scaled to;
    // `font` the dialog's font, with which the captions are measured.
    FilterPage(tessera::FilterEngine& engine, int section, int dpi, const QFont& font, QWidget* parent = nullptr);

    int section() const { return section_; }

    // Rewrite the parts of the page named by `changes` (PageChange bits) from
    // the engine's texts; everything else, such as a typed text that was not
    // committed, stays as it is.
    void showTexts(unsigned changes);

signals:
    // A change of the design that is one step of the edit history, by the
    // name the Edit menu shows ("Filter2 Q").
    void stepMade(const QString& name);
    // A spin or stepper half held down, and let go: its repeats are one step.
    void holdStarted();
    void holdEnded();
    // Escape put the stored value's text back into a field: the page changed,
    // but that is no step.
    void entryReverted();

private:
    void build(int dpi, const QFont& font);
    void place(QWidget* widget, tessera::dialog::Control control, int dpi);
    QLabel* addCaption(tessera::dialog::Control control, int dpi, const QFont& font);

    void entryKeyDown(tessera::Entry entry, int key);
    void spinClick(tessera::Entry entry, bool up);
    void capacitorChosen(int index);
    void capacitorTyped();
    void showCapacitorInUse();
    void seriesClick(tessera::Series series);
    void stepperClick(tessera::Slot slot, bool up);
    // Runs an edit that converts typed text; a number too large for the
    // conversion shows an error box and leaves everything as it was.
    template <class Edit> void convertingEdit(Edit edit);
    void madeStep(const std::string& name);
    void watchHolds(ArrowPair* arrows);

    tessera::FilterEngine& engine_;
    const int section_;
    std::array<Trealedit*, 3> entries_{};    // by Entry
    std::array<TSpinButton*, 3> spins_{};    // by Entry
    std::array<QLabel*, 3> resistorLabels_{}; // by Slot
    std::array<TUpDown*, 3> steppers_{};     // by Slot
    QComboBox* capacitors_ = nullptr;
    QPushButton* e12_ = nullptr;
    QPushButton* e24_ = nullptr;
    QLabel* status_ = nullptr;
};
