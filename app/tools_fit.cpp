// Tools → Fit to Import: the fit dialog over the program's engine, with the
// band marked on the Import or Result window (the active one first).
#include "Main.h"

#include "circuit_settings_holder.h"

#include "contimage.h"
#include "fit_dialog.h"
#include "graph_window.h"

#include <QMdiArea>

namespace {

std::optional<std::pair<double, double>> markedBand(QMdiArea* area) {
    std::vector<TControlImage*> plots;
    if (TControlImage* active = activePlot(area)) plots.push_back(active);
    for (const char* name : {"Import", "Result"})
        if (TControlImage* plot = findPlotByWindowName(area, QString::fromLatin1(name))) plots.push_back(plot);
    for (TControlImage* plot : plots) {
        const bool importOrResult = plot == findPlotByWindowName(area, QStringLiteral("Import")) ||
                                    plot == findPlotByWindowName(area, QStringLiteral("Result"));
        if (importOrResult && plot->markers().bothSet())
            return std::make_pair(plot->markers().frequency1, plot->markers().frequency2);
    }
    return std::nullopt;
}

} // namespace

void TMainForm::FitItemClick() {
    auto* dialog = new TFitDialog(engine_, markedBand(MdiArea), this);
    dialog->setTargetFileChooser([this] { return prompts_.chooseFile(tessera::FileDialogKind::TargetCurve); });
    // The op-amp, summing resistors and resistor range the program holds.
    dialog->setCircuitSettings(circuitSettings().settings());
    connect(&circuitSettings(), &tessera::CircuitSettingsHolder::changed, dialog, &TFitDialog::setCircuitSettings);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    recordStepAfter(dialog, "ApplyButton", tessera::steps::kFit);
    // Modal to the whole program, the configuration dialog included: the
    // sections cannot change between Fit and Apply.
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
}
