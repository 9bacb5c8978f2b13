// Tools > Schematic: one window for the frame's life, so that its zoom and
// place stay; Tools > Export parts list: the parts list as CSV.
#include "Main.h"

#include "circuit_curves.h"
#include "circuit_settings_holder.h"
#include "parts_list.h"
#include "program_language.h"
#include "schematic_window.h"

void TMainForm::SchematicItemClick() {
    tessera::CircuitCurves* curves = tessera::circuitCurvesOf(engine_);
    if (curves == nullptr) return;
    auto* window = findChild<TSchematicWindow*>(QStringLiteral("SchematicWindow"));
    if (window == nullptr) window = new TSchematicWindow(engine_, *curves, circuitSettings(), document_, prompts_, this);
    window->refresh();
    window->show();
    window->raise();
    window->activateWindow();
}

void TMainForm::ExportPartsListItemClick() {
    // A section that cannot be built cannot be ordered: said before a file is chosen.
    if (const auto refusal = tessera::partsListRefusal(engine_)) {
        prompts_.reportError(tessera::inProgramLanguage(*refusal));
        return;
    }
    const auto name = document_.chooseFileToWrite(tessera::FileDialogKind::ExportPartsList);
    if (!name) return;
    const tessera::FileOutcome outcome =
        tessera::writePartsList(engine_, circuitSettings().settings(), tessera::PartsListForm::PerPart, *name);
    if (outcome.refused()) prompts_.reportError(inProgramLanguage(outcome.message));
}
