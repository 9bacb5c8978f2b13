#pragma once
// What a file operation did, for the main window to act on: the readers and
// the writer never show anything themselves.

#include <cstddef>
#include <string>

namespace tessera {

enum class FileStatus {
    Done,    // read or written; the state has the new values
    Ignored, // passed over without a message (wrong name ending, foreign file)
    Refused, // nothing changed; `message` goes into the error box "Fehler"
    Cancelled, // the user stopped a long read; nothing changed, nothing to show
};

struct FileOutcome {
    FileStatus status = FileStatus::Done;
    std::string message;       // set when Refused
    std::string importCaption; // when not empty: the import window's new caption
    // For a measurement read: the lowest and highest frequency of its data
    // points, Hz (the grid beyond them repeats the nearest value).
    double importedLowHz = 0, importedHighHz = 0;

    bool done() const { return status == FileStatus::Done; }
    bool ignored() const { return status == FileStatus::Ignored; }
    bool refused() const { return status == FileStatus::Refused; }
    bool wasCancelled() const { return status == FileStatus::Cancelled; }

    static FileOutcome success(std::string caption = {}) { return {FileStatus::Done, {}, std::move(caption), 0, 0}; }
    static FileOutcome passedOver() { return {FileStatus::Ignored, {}, {}, 0, 0}; }
    static FileOutcome refusal(std::string text) { return {FileStatus::Refused, std::move(text), {}, 0, 0}; }
    static FileOutcome cancelled() { return {FileStatus::Cancelled, {}, {}, 0, 0}; }
};

// The message texts, each naming the file.
namespace messages {
std::string cannotCreate(const std::string& name);
std::string cannotOpen(const std::string& name);
// Reading any file.
std::string cannotRead(const std::string& name);
std::string notRegularFile(const std::string& name);
std::string fileTooLarge(const std::string& name);
std::string lineTooLong(const std::string& name);
std::string outOfMemory(const std::string& name);
// The settings file.
std::string settingsNotSaved(const std::string& name);
std::string settingsFileInUse(const std::string& name);
// Configuration files.
std::string configurationIncomplete(const std::string& name);
std::string configurationNumberTooLarge(const std::string& name);
// Measurement files.
std::string notAsciiFile(const std::string& name);
std::string measurementIncomplete(const std::string& name);
std::string tooFewPoints(const std::string& name);
std::string nothingAbove20Hz(const std::string& name);
std::string measurementNumberTooLarge(const std::string& name);
// A text measurement refused at one of its lines: " File NAME, line N: REASON
// Can not import!"; `reason` ends with "!".
std::string measurementLineRefusal(const std::string& name, std::size_t line, const std::string& reason);
} // namespace messages

} // namespace tessera
