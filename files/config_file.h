#pragma once
// The configuration file (".tsn"): 292 lines with CR LF, the four sections and
// the imported response. The writer replaces a file safely; the reader checks
// the whole file before it changes anything.

#include "file_outcome.h"
#include "filter_engine.h"
#include "line_source.h"
#include "read_progress.h"
#include "regional.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tessera {

inline constexpr int kConfigurationLines = 292;
// A configuration is about 5 KB; a file larger than this is refused unread.
inline constexpr std::uint64_t kLargestConfigurationFile = 1024 * 1024;

// One number line of a configuration file, by the numeric entry field's rule
// with fallback 0 ("." or one "," as decimal separator). Throws
// FloatOverflowError for a value too large for the conversion, and for
// "NaN", "INF" or "Infinity", which no save writes.
double converttsnstr(std::string_view text);

// The file's full text for the engine's current state and capacitor texts;
// `fileName` goes into line 2.
std::string configurationText(const FilterEngine& engine, std::string_view fileName, char separator);

// Writes the configuration under `fileName` and clears the modified flag.
// Refused ("Kann Datei %s nicht erstellen") when the file cannot be written;
// the old file and the modified flag are then left as they were.
FileOutcome Speichern(FilterEngine& engine, const std::string& fileName,
                      char separator = decimalSeparator());

// Reads a configuration into the state: the four sections, their capacitor
// texts and the imported response; then replots the import, refreshes the
// four pages and clears the modified flag. Done carries the import window's
// caption "Import". A name not ending in "tsn" (any case) is Ignored; an
// unreadable, short, out-of-range or too large file (above
// kLargestConfigurationFile) is Refused and changes nothing, as are the
// failures of readFileWith (file_reading.h); Cancelled when `progress` cancels.
FileOutcome LoadTSN(FilterEngine& engine, const std::string& fileName, ReadProgress* progress = nullptr);

// LoadTSN over lines already opened, and over a text in memory (after the name test).
FileOutcome loadConfigurationLines(FilterEngine& engine, LineSource& source, const std::string& fileName);
FileOutcome loadConfigurationText(FilterEngine& engine, std::string_view text, const std::string& fileName);

} // namespace tessera
