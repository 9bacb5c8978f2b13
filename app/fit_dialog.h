#pragma once
// The fit dialog of Tools → Fit to Import: the band, the target, the limits
// and the sections to fit; Fit shows the error before and after and a
// preview, Apply gives the sections the fitted parts, Close leaves them as
// they are. The fit and every text it shows are decided in design/.

#include "fit_form.h"
#include "fit_types.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TControlImage;

class TFitDialog : public QDialog {
    Q_OBJECT
public:
    // `markedBand`: the band between the markers of the Import or Result window.
    TFitDialog(tessera::FilterEngine& engine, std::optional<std::pair<double, double>> markedBand,
               QWidget* parent = nullptr);

    // The outcome of the last Fit; no result until one has been done.
    const std::optional<tessera::FitResult>& result() const { return result_; }
    // The fields as they read now.
    tessera::FitForm form() const;

    // Asks for the target curve's file when "curve from file…" is clicked;
    // nullopt when the user cancels.
    using FileChooser = std::function<std::optional<std::string>()>;
    void setTargetFileChooser(FileChooser chooser) { chooseTargetFile_ = std::move(chooser); }
    // The op-amp, summing resistors and resistor range the fit works with.
    void setCircuitSettings(const tessera::CircuitSettings& settings);
    const tessera::CircuitSettings& circuitSettings() const { return circuit_; }

public slots:
    void FitButtonClick();
    void ApplyButtonClick();
    // Ignored while a fit runs: its progress display lets events through.
    void reject() override;

private:
    void buildFields(const tessera::FitForm& form);
    void buildTargetRows(class QFormLayout* fields);
    void showMessage(const QString& message);
    // "curve from file…" clicked: the chooser, then the file read as Import reads it.
    void chooseTarget();
    // The preview before a fit, with the target and smoothing as chosen now.
    void refreshPreview();

    FileChooser chooseTargetFile_;
    tessera::CircuitSettings circuit_;
    std::optional<tessera::TargetCurve> target_;
    tessera::FilterEngine& engine_;
    std::optional<tessera::FitResult> result_;
    bool fitting_ = false;

    QRadioButton* targetLine_ = nullptr;
    QRadioButton* targetCurve_ = nullptr;
    QLabel* targetFile_ = nullptr;
    QComboBox* smoothing_ = nullptr;
    QLineEdit* bandLow_ = nullptr;
    QLineEdit* bandHigh_ = nullptr;
    QCheckBox* automaticLevel_ = nullptr;
    QLineEdit* level_ = nullptr;
    QLineEdit* tilt_ = nullptr;
    QLineEdit* maxBoost_ = nullptr;
    QRadioButton* e24_ = nullptr;
    QRadioButton* e12_ = nullptr;
    QCheckBox* chooseCapacitors_ = nullptr;
    std::array<QCheckBox*, tessera::kSectionCount> sections_{};
    QPushButton* fit_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* close_ = nullptr;
    QLabel* errorBefore_ = nullptr;
    QLabel* errorAfter_ = nullptr;
    QLabel* noiseBefore_ = nullptr;
    QLabel* noiseAfter_ = nullptr;
    QLabel* circuitLabel_ = nullptr;
    QLabel* parts_ = nullptr;
    QLabel* message_ = nullptr;
    TControlImage* preview_ = nullptr;
    QLabel* legend_ = nullptr;
};
