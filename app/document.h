#pragma once
// The document commands of the frame window, New, Open, Save, Save as,
// Import and the save prompt of closing, decided without widgets. A save
// the user asked for in the prompt but that did not happen (it failed, or
// Save as was cancelled) stops New, Open and closing, so no work is lost. The
// questions, errors and file choices go through DocumentPrompts; the window
// captions through DocumentWindows. The document keeps the edit history:
// New and Open start it afresh, Save marks its clean point, Import is a step.

#include "document_texts.h"
#include "edit_history.h"
#include "filter_engine.h"
#include "read_progress.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tessera {

struct FileOutcome;

class DocumentPrompts {
public:
    virtual ~DocumentPrompts() = default;
    // A warning box with Yes and No; true only for Yes.
    virtual bool confirm(const std::string& question) = 0;
    // An error box with "OK".
    virtual void reportError(const std::string& message) = 0;
    // An information box with "OK".
    virtual void inform(const std::string& message) = 0;
    // The file dialog of `kind`; nullopt when the user cancels.
    virtual std::optional<std::string> chooseFile(FileDialogKind kind) = 0;
    // The progress of reading `fileName`, for the length of one Open or
    // Import; the read is cancelled (and changes nothing) when it says so.
    // The program's shows a dialog with Cancel once the read takes longer
    // than half a second. Null: the read goes on unwatched.
    virtual std::unique_ptr<ReadProgress> watchReading(const std::string& /*fileName*/) { return nullptr; }
};

class DocumentWindows {
public:
    virtual ~DocumentWindows() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setImportCaption(const std::string& caption) = 0;
};

// What a file dropped on the frame does, by its name's ending: ".tsn" opens,
// a measurement the Import command reads imports, anything else nothing.
enum class DropAction { None, Open, Import };
DropAction dropActionFor(std::string_view fileName);

class Document {
public:
    Document(FilterEngine& engine, DocumentPrompts& prompts, DocumentWindows& windows);

    void fileNew();
    void fileOpen();
    // Opens `name` as if chosen in the Open dialog (a file given to the
    // program at start); a relative name is taken as absolute from the
    // working folder. True when it was loaded.
    bool openFile(const std::string& name);
    // True when the file was written.
    bool fileSave();
    bool fileSaveAs();
    void fileImport();
    // Import of `name` as if chosen in the Import dialog.
    void importFile(const std::string& name);
    // The Save dialog of `kind`, then for an existing file the question of
    // Save as; nullopt when the user cancels or answers No.
    std::optional<std::string> chooseFileToWrite(FileDialogKind kind);
    // A file dropped on the frame: Open (with the save prompt first) or
    // Import of `name` as if chosen in the command's dialog; see dropActionFor.
    void fileDropped(const std::string& name);
    // The save prompt of closing; false when the close must be refused.
    bool beforeClose();

    // The current file name: empty until Open or Save as, and after New.
    const std::string& fileName() const { return fileName_; }

    EditHistory& history() { return history_; }

private:
    // False when the user asked for a save that did not happen.
    bool savePrompt();
    bool write(const std::string& name);
    // Shows a refusal; true when the outcome is Done.
    bool accepted(const FileOutcome& outcome);
    void rename(const std::string& name);

    FilterEngine& engine_;
    DocumentPrompts& prompts_;
    DocumentWindows& windows_;
    std::string fileName_;
    EditHistory history_;
};

} // namespace tessera
