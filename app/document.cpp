#include "document.h"

#include "config_file.h"
#include "file_outcome.h"
#include "measurement_import.h"
#include "program_language.h"
#include "text_lines.h"

#include <filesystem>
#include <system_error>

namespace tessera {

namespace {
const std::string kImportCaption = "Import";

// The name a relative one stands for now, so that the caption, the report
// and a later Save keep naming the same file (the program may be started
// with a name relative to its working folder). "." parts are dropped; ".."
// stays, as a link in the path may make it mean another folder than the
// one written before it.
std::string absoluteName(const std::string& name) {
    if (name.empty()) return name;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(name, error);
    if (error) return name;
    std::filesystem::path cleaned;
    for (const std::filesystem::path& part : absolute)
        if (part != ".") cleaned /= part;
    return cleaned.string();
}
} // namespace

Document::Document(FilterEngine& engine, DocumentPrompts& prompts, DocumentWindows& windows)
    : engine_(engine), prompts_(prompts), windows_(windows), history_(engine) {}

bool Document::savePrompt() {
    if (!engine_.state().Modified || !prompts_.confirm(savePromptText(fileName_))) return true;
    return fileSave();
}

bool Document::accepted(const FileOutcome& outcome) {
    if (outcome.refused()) prompts_.reportError(inProgramLanguage(outcome.message));
    if (!outcome.done()) return false;
    if (!outcome.importCaption.empty()) windows_.setImportCaption(outcome.importCaption);
    return true;
}

void Document::rename(const std::string& name) {
    fileName_ = name;
    windows_.setCaption(documentCaption(fileName_));
}

bool Document::write(const std::string& name) {
    if (!accepted(Speichern(engine_, name, engine_.separator()))) return false;
    history_.markClean();
    return true;
}

void Document::fileNew() {
    if (!savePrompt()) return;
    engine_.Reset(true);
    rename({});
    windows_.setImportCaption(kImportCaption);
    engine_.state().Modified = 0;
    history_.restart();
}

void Document::fileOpen() {
    if (!savePrompt()) return;
    if (const auto name = prompts_.chooseFile(FileDialogKind::Open)) openFile(*name);
}

bool Document::openFile(const std::string& given) {
    const std::string name = absoluteName(given);
    const FileOutcome outcome = LoadTSN(engine_, name, prompts_.watchReading(name).get());
    // A file the reader passes over keeps the previous name, so that a later
    // Save cannot write onto a file the user never chose to save to.
    if (outcome.ignored()) prompts_.reportError(notLoadedText(name));
    if (!accepted(outcome)) return false;
    rename(name);
    history_.restart();
    return true;
}

bool Document::fileSave() { return fileName_.empty() ? fileSaveAs() : write(fileName_); }

std::optional<std::string> Document::chooseFileToWrite(FileDialogKind kind) {
    auto name = prompts_.chooseFile(kind);
    if (!name) return std::nullopt;
    std::error_code error;
    if (std::filesystem::exists(*name, error) && !prompts_.confirm(overwritePromptText(*name))) return std::nullopt;
    return name;
}

bool Document::fileSaveAs() {
    const auto name = chooseFileToWrite(FileDialogKind::SaveAs);
    if (!name || !write(*name)) return false;
    rename(*name);
    return true;
}

void Document::fileImport() {
    if (const auto name = prompts_.chooseFile(FileDialogKind::Import)) importFile(*name);
}

void Document::importFile(const std::string& name) {
    if (accepted(importMeasurement(engine_, name, prompts_.watchReading(name).get()))) history_.record(steps::kImport);
}

DropAction dropActionFor(std::string_view fileName) {
    if (endsWith3(fileName, "tsn")) return DropAction::Open;
    if (isMeasurementName(fileName)) return DropAction::Import;
    return DropAction::None;
}

void Document::fileDropped(const std::string& name) {
    switch (dropActionFor(name)) {
    case DropAction::Open:
        if (savePrompt()) openFile(name);
        break;
    case DropAction::Import: importFile(name); break;
    case DropAction::None: break;
    }
}

bool Document::beforeClose() { return savePrompt(); }

} // namespace tessera
