#pragma once
// What a file operation did, for the main window to act on: the readers and
// the writer never show anything themselves.

#include "file_messages.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tessera {

enum class FileStatus {
    Done,    // read or written; the state has the new values
    Ignored, // passed over without a message (wrong name ending, foreign file)
    Refused, // nothing changed; `message` goes into the error box "Fehler"
    Cancelled, // the user stopped a long read; nothing changed, nothing to show
};

struct FileOutcome {
    FileStatus status = FileStatus::Done;
    Message message;           // set when Refused
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
    static FileOutcome refusal(Message message) { return {FileStatus::Refused, std::move(message), {}, 0, 0}; }
    static FileOutcome cancelled() { return {FileStatus::Cancelled, {}, {}, 0, 0}; }
};

// The messages, each naming the file.
namespace messages {
Message cannotCreate(const std::string& name);
Message cannotOpen(const std::string& name);
// Reading any file.
Message cannotRead(const std::string& name);
Message notRegularFile(const std::string& name);
Message fileTooLarge(const std::string& name);
Message lineTooLong(const std::string& name);
Message outOfMemory(const std::string& name);
// The settings file.
Message settingsNotSaved(const std::string& name);
Message settingsFileInUse(const std::string& name);
// Configuration files.
Message configurationIncomplete(const std::string& name);
Message configurationNumberTooLarge(const std::string& name);
// Measurement files.
Message notAsciiFile(const std::string& name);
Message measurementIncomplete(const std::string& name);
Message tooFewPoints(const std::string& name);
Message nothingAbove20Hz(const std::string& name);
Message measurementNumberTooLarge(const std::string& name);
// A text measurement refused at one of its lines (one of the kLine... wordings).
Message measurementLineRefusal(const Wording& reason, const std::string& name, std::size_t line);
// The same with %3, the line's column that failed (at most 40 bytes of it,
// "..." where it goes on).
Message measurementLineRefusal(const Wording& reason, const std::string& name, std::size_t line,
                               std::string_view column);
} // namespace messages

} // namespace tessera
