// Tools > Export SPICE netlist: a Save dialog for ".cir" files, the overwrite
// question of Save as, then the netlist written with the safe save.
#include "Main.h"

#include "netlist.h"

#include <filesystem>
#include <system_error>

void TMainForm::ExportNetlistItemClick() {
    const auto name = prompts_.chooseFile(tessera::FileDialogKind::ExportNetlist);
    if (!name) return;
    std::error_code error;
    if (std::filesystem::exists(*name, error) && !prompts_.confirm(tessera::overwritePromptText(*name))) return;
    tessera::NetlistOptions options;
    options.configurationName = document_.fileName();
    const tessera::FileOutcome outcome = tessera::writeNetlist(engine_, options, *name);
    if (outcome.refused()) prompts_.reportError(outcome.message);
}
