#pragma once
// Running a reader over the lines of a file. Only a regular file is read (a
// folder, a device or a named pipe is refused without blocking), never one
// above the reader's size limit, always in blocks; whatever goes wrong while
// reading, out of memory included, becomes a refusal, and a cancelled read an
// outcome of its own. The readers build their result aside and change the
// engine's state only once every line they need has been read, so a refused
// or cancelled read changes nothing.

#include "file_outcome.h"
#include "filter_engine.h"
#include "line_source.h"
#include "read_progress.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace tessera {

// A reader that works through a file's lines.
using LineReader = FileOutcome (*)(FilterEngine&, LineSource& lines, const std::string& fileName);

struct ReadOptions {
    std::uint64_t largestFile = std::numeric_limits<std::uint64_t>::max(); // bytes; larger files are refused
    ReadProgress* progress = nullptr; // told after each block; may cancel
};

// Opens `fileName` and hands its lines to `reader`. Refused with
// "Kann Datei %s nicht öffnen" when it cannot be opened, and with a message
// naming it when it is not a regular file, is too large, cannot be read to
// the end or holds a line longer than LineSource::kLongestLine.
FileOutcome readFileWith(FilterEngine& engine, const std::string& fileName, LineReader reader,
                         const ReadOptions& options = {});

// `reader` over lines already opened (a text in memory, for instance), with
// the same turning of every failure into an outcome.
FileOutcome readLinesWith(FilterEngine& engine, LineSource& lines, const std::string& fileName, LineReader reader);

// The first `most` bytes of a regular file (all of a shorter one), opened as
// readFileWith opens it; nullopt when it is no regular file or cannot be
// opened or read. Bounded reads of small files (the settings file).
std::optional<std::string> readFileStart(const std::string& fileName, std::size_t most);

// readLinesWith over a text in memory.
FileOutcome readTextWith(FilterEngine& engine, std::string_view text, const std::string& fileName, LineReader reader);

} // namespace tessera
