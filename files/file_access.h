#pragma once
// Whole-file reading of small files; the readers take their lines from a
// LineSource (line_source.h).

#include <optional>
#include <string>
#include <string_view>

namespace tessera {

// The file's bytes; nullopt when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& name);

} // namespace tessera
