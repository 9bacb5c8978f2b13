#pragma once
// Tools > Tolerances: resistor and capacitor tolerance, trials, seed and
// band; Run draws the parts, shows the bounds on the Result window, the
// largest deviation and the parts ranked by their share of the spread. Long
// runs show progress and can be cancelled; a cancelled run changes nothing.

#include "tolerance.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tessera {
class CircuitCurves;
class DocumentPrompts;
}

class TToleranceDialog : public QDialog {
    Q_OBJECT
public:
    TToleranceDialog(tessera::FilterEngine& engine, tessera::CircuitCurves& curves, tessera::DocumentPrompts& prompts,
                     QWidget* parent);

public slots:
    // False when an entry is refused, the circuit cannot be built or the run is cancelled.
    bool RunButtonClick();
    // Takes the bounds off the Result window.
    void ClearButtonClick();

protected:
    // Figures of bounds that have gone (the design changed) are not shown again.
    void showEvent(QShowEvent* event) override;

private:
    void showResult(const tessera::ToleranceResult& result);

    tessera::FilterEngine& engine_;
    tessera::CircuitCurves& curves_;
    tessera::DocumentPrompts& prompts_;

    QComboBox* ResistorToleranceBox = nullptr;
    QComboBox* CapacitorToleranceBox = nullptr;
    QLineEdit* TrialsEdit = nullptr;
    QLineEdit* SeedEdit = nullptr;
    QLineEdit* BandLowEdit = nullptr;
    QLineEdit* BandHighEdit = nullptr;
    QLabel* DeviationLabel = nullptr;
    QTableWidget* PartsTable = nullptr;
};
