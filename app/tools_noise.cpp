// Tools > Noise and Headroom: one dialog for the frame's life, shown beside
// the frame (not modal) so that its figures can be watched while the
// sections are set.
#include "Main.h"

#include "circuit_curves.h"
#include "noise_dialog.h"

void TMainForm::NoiseItemClick() {
    tessera::CircuitCurves* curves = tessera::circuitCurvesOf(engine_);
    if (curves == nullptr) return;
    auto* dialog = findChild<TNoiseDialog*>(QStringLiteral("NoiseDialog"));
    if (dialog == nullptr) dialog = new TNoiseDialog(engine_, *curves, circuitSettings(), prompts_, this);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
