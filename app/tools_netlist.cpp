// Tools > Export SPICE netlist: a Save dialog for ".cir" files, the overwrite
// question of Save as, then the netlist written with the safe save.
#include "Main.h"

#include "circuit_settings_holder.h"
#include "netlist.h"
#include "program_language.h"

void TMainForm::ExportNetlistItemClick() {
    const auto name = document_.chooseFileToWrite(tessera::FileDialogKind::ExportNetlist);
    if (!name) return;
    tessera::NetlistOptions options;
    options.configurationName = document_.fileName();
    // The chosen op-amp (Tools > Op-amp) is the netlist's op-amp.
    options.opAmp = circuitSettings().opAmp();
    options.summingOhms = circuitSettings().settings().summingOhms;
    const tessera::FileOutcome outcome = tessera::writeNetlist(engine_, options, *name);
    if (outcome.refused()) prompts_.reportError(inProgramLanguage(outcome.message));
}
