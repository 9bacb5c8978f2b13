// Tools > Op-amp: one dialog for the frame's life, so that the typed
// gain-bandwidth and the pre-compensation targets stay.
#include "Main.h"

#include "circuit_curves.h"
#include "opamp_dialog.h"

void TMainForm::OpAmpItemClick() {
    tessera::CircuitCurves* curves = tessera::circuitCurvesOf(engine_);
    if (curves == nullptr) return;
    auto* dialog = findChild<TOpAmpDialog*>(QStringLiteral("OpAmpDialog"));
    if (dialog == nullptr) dialog = new TOpAmpDialog(engine_, *curves, prompts_, this);
    dialog->refreshTable();
    dialog->open();
}
