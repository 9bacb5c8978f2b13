// Tools → Export curve as FRD: the main curve of the active graph window into
// a file that measurement programs read, asked for like Save as.
#include "Main.h"

#include "frd_export.h"
#include "graph_window.h"
#include "program_language.h"

#include <QMdiArea>

void TMainForm::ExportFrdItemClick() {
    const auto* window = qobject_cast<const TGraphWindow*>(MdiArea->activeSubWindow());
    if (window == nullptr) return; // no graph window active: nothing to export
    const auto name = document_.chooseFileToWrite(tessera::FileDialogKind::ExportFrd);
    if (!name) return;
    const tessera::FileOutcome outcome = tessera::exportFrd(engine_.state(), window->graphWindow(), *name);
    if (outcome.refused()) prompts_.reportError(inProgramLanguage(outcome.message));
}
