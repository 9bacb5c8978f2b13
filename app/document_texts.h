#pragma once
// The texts of the document commands: window captions, the questions of the
// save prompts and other messages, the file dialogs' titles and filters.
// Plain functions, no widgets. The messages are in the windows' language;
// the file dialogs' titles and filters are the English source texts, shown
// through the translation context kFileDialogTextContext.

#include <string>
#include <string_view>
#include <vector>

namespace tessera {

inline constexpr std::string_view kProgramTitle = "TESSERA 1.0";
inline constexpr const char* kFileDialogTextContext = "FileDialog";

// "TESSERA 1.0" before any document command, then "TESSERA 1.0 " + name
// (the blank stays when the name is empty, as after New).
std::string startCaption();
std::string documentCaption(std::string_view fileName);

// " File " + name + " not saved! Save?"
std::string savePromptText(std::string_view fileName);
// " File " + name + " exists! Overwrite?"
std::string overwritePromptText(std::string_view fileName);
// Open of a file that the configuration reader passes over.
std::string notLoadedText(std::string_view fileName);
// Print with no printer to print on, and with a page the printer reports empty.
std::string noPrinterText();
std::string emptyPageText();
// Print while the printer is still busy with a job.
std::string printerBusyText();

enum class FileDialogKind {
    Open, SaveAs, Import, ExportNetlist, ExportFrd, TargetCurve,
    ExportSchematicSvg, ExportSchematicPdf, ExportPartsList,
};

struct FileDialogLayout {
    std::string title;
    std::string initialName;
    // "description|pattern|description|pattern..." as the commands word it.
    std::string filter;
    std::string defaultExtension; // empty: none
    bool mustExist = false;
    bool saves = false; // a Save dialog: any name, no question of its own about an existing file
};

const FileDialogLayout& fileDialogLayout(FileDialogKind kind);

struct NameFilter {
    std::string description;
    std::string patterns; // ";"-separated
};
// The "description|pattern|..." form split into its pairs; a trailing
// description without a pattern is dropped.
std::vector<NameFilter> splitFilter(std::string_view filter);

} // namespace tessera
