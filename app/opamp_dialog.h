#pragma once
// Tools > Op-amp: the gain-bandwidth of the op-amp (empty for the ideal
// one), what it does to each section's stage, and Pre-compensate. Thin: the
// figures come from design/, the curves from the CircuitCurves sink.

#include "opamp_table.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tessera {
class CircuitCurves;
class DocumentPrompts;
}

class TOpAmpDialog : public QDialog {
    Q_OBJECT
public:
    TOpAmpDialog(tessera::FilterEngine& engine, tessera::CircuitCurves& curves, tessera::DocumentPrompts& prompts,
                 QWidget* parent);

    // Shows the table for the design as it is now.
    void refreshTable();

public slots:
    // The typed gain-bandwidth becomes the op-amp; a refused entry changes nothing.
    bool ApplyButtonClick();
    // The selected sections (all when none is selected) are pre-compensated.
    void PrecompensateButtonClick();

private:
    tessera::FilterEngine& engine_;
    tessera::CircuitCurves& curves_;
    tessera::DocumentPrompts& prompts_;
    tessera::Precompensation precompensation_;

    QLineEdit* GbwEdit = nullptr;
    QTableWidget* OpAmpTable = nullptr;
    QLabel* StatusLabel = nullptr;
    QPushButton* PrecompensateButton = nullptr;
};
