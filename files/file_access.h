#pragma once
// Whole-file reading.

#include "file_outcome.h"
#include "filter_engine.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessera {

// The file's bytes; nullopt when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& name);

// A reader that works on a file's text.
using TextReader = FileOutcome (*)(FilterEngine&, std::string_view text, const std::string& fileName);

// Reads the whole file and hands its text to `reader`; Refused with
// "Kann Datei %s nicht öffnen" when the file cannot be read.
FileOutcome readFileWith(FilterEngine& engine, const std::string& fileName, TextReader reader);

} // namespace tessera
