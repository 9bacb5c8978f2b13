#pragma once
// Tools > Op-amp: the op-amp by name from the catalogue, or "Custom" with
// its four figures typed; what it does to each section's stage, and
// Pre-compensate. The choice goes to the shared circuit settings, which
// every circuit tool follows. Thin: the figures come from design/.

#include "opamp_table.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tessera {
class CircuitSettingsHolder;
class DocumentPrompts;
struct OpAmpModel;
}

class TOpAmpDialog : public QDialog {
    Q_OBJECT
public:
    TOpAmpDialog(tessera::FilterEngine& engine, tessera::CircuitSettingsHolder& settings,
                 tessera::DocumentPrompts& prompts, QWidget* parent);

    // Shows the chosen op-amp and the table for the design as it is now.
    void refreshTable();

public slots:
    // The named op-amp, or for "Custom" the typed figures, becomes the
    // design's op-amp; a refused entry changes nothing and says why.
    bool ApplyButtonClick();
    // The selected sections (all when none is selected) are pre-compensated.
    void PrecompensateButtonClick();

private:
    // A name picked in the list: a named op-amp is taken at once, "Custom"
    // opens its figures for typing.
    void opAmpPicked(int index);
    // The fields show `model`; only a custom op-amp's can be typed into.
    void showFigures(const tessera::OpAmpModel& model, bool custom);
    double gbw() const;

    tessera::FilterEngine& engine_;
    tessera::CircuitSettingsHolder& settings_;
    tessera::DocumentPrompts& prompts_;
    tessera::Precompensation precompensation_;

    QComboBox* OpAmpBox = nullptr;
    QLineEdit* GbwEdit = nullptr;
    QLineEdit* SlewEdit = nullptr;
    QLineEdit* EnEdit = nullptr;
    QLineEdit* InEdit = nullptr;
    QTableWidget* OpAmpTable = nullptr;
    QLabel* StatusLabel = nullptr;
    QPushButton* PrecompensateButton = nullptr;
};
