#pragma once
// The Import command's choice of reader by the file name's last three
// characters (any case): "tds" the TEF reader; "frd" and "csv" the reader of
// frequency-response text; "txt" the MLSSA reader, and for a ".txt" file that
// it passes over (no MLSSA column header) the frequency-response reader. Any
// other ending is Ignored without a message.

#include "file_outcome.h"
#include "filter_engine.h"
#include "read_progress.h"

#include <string>
#include <string_view>

namespace tessera {

// Whether the name's ending is one that importMeasurement reads.
bool isMeasurementName(std::string_view fileName);

FileOutcome importMeasurement(FilterEngine& engine, const std::string& fileName, ReadProgress* progress = nullptr);

// A ".txt" text: an MLSSA export exactly as the MLSSA reader reads it,
// anything that reader passes over as frequency-response text.
FileOutcome importTxtText(FilterEngine& engine, std::string_view text, const std::string& fileName);

} // namespace tessera
