// Tools > Op-amp: one dialog for the frame's life, so that the
// pre-compensation targets stay. The op-amp itself lives in the shared
// circuit settings.
#include "Main.h"

#include "opamp_dialog.h"

void TMainForm::OpAmpItemClick() {
    auto* dialog = findChild<TOpAmpDialog*>(QStringLiteral("OpAmpDialog"));
    if (dialog == nullptr) {
        dialog = new TOpAmpDialog(engine_, circuitSettings(), prompts_, this);
        recordStepAfter(dialog, "PrecompensateButton", tessera::steps::kPrecompensate);
    }
    dialog->refreshTable();
    dialog->open();
}
