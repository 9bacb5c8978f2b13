// Tools > Tolerances: one dialog for the frame's life, so that its settings
// and last figures stay.
#include "Main.h"

#include "circuit_curves.h"
#include "tolerance_dialog.h"

void TMainForm::TolerancesItemClick() {
    tessera::CircuitCurves* curves = tessera::circuitCurvesOf(engine_);
    if (curves == nullptr) return;
    auto* dialog = findChild<TToleranceDialog*>(QStringLiteral("TolerancesDialog"));
    if (dialog == nullptr) dialog = new TToleranceDialog(engine_, *curves, prompts_, this);
    dialog->open();
}
