#pragma once
// Tools > Noise and Headroom: the op-amp, the input level, the output peak,
// the summing resistors and the resistor range; the eight op-amps with
// their largest gain, headroom and slew margin; the noise totals, the
// dynamic range and the parts that contribute most; a plot of the output
// noise density; the page resistors outside the resistor range. Every figure
// follows the sections and the shared circuit settings as they change.
// Thin: the analyses and their texts come from design/.

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class TControlImage;

namespace tessera {
class CircuitCurves;
class CircuitSettingsHolder;
class DocumentPrompts;
class FilterEngine;
struct CircuitSettings;
}

class TNoiseDialog : public QDialog {
    Q_OBJECT
public:
    TNoiseDialog(tessera::FilterEngine& engine, tessera::CircuitCurves& curves,
                 tessera::CircuitSettingsHolder& settings, tessera::DocumentPrompts& prompts, QWidget* parent);
    ~TNoiseDialog() override;

    // Shows the figures of the design and the settings as they are now.
    void refresh();

public slots:
    // The typed input level, output peak and resistor range become the
    // settings; a refused entry changes nothing and says why.
    bool ApplyButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showSettings(const tessera::CircuitSettings& settings);
    // A named op-amp or a summing resistor picked from its list.
    void opAmpPicked(int index);
    void summingPicked(int index);
    void clearFigures(const QString& why);

    tessera::FilterEngine& engine_;
    tessera::CircuitCurves& curves_;
    tessera::CircuitSettingsHolder& settings_;
    tessera::DocumentPrompts& prompts_;
    int watch_ = -1;

    QComboBox* OpAmpBox = nullptr;
    QLineEdit* InputLevelEdit = nullptr;
    QLineEdit* OutputPeakEdit = nullptr;
    QComboBox* SummingBox = nullptr;
    QLineEdit* ResistorLowEdit = nullptr;
    QLineEdit* ResistorHighEdit = nullptr;
    QTableWidget* StagesTable = nullptr;
    QLabel* TotalsLabel = nullptr;
    QTableWidget* ContributorsTable = nullptr;
    QLabel* RangeLabel = nullptr;
    TControlImage* NoisePlot = nullptr;
    QLabel* StatusLabel = nullptr;
};
