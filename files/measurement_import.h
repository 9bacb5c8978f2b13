#pragma once
// The Import command's choice of reader by the file name's last three
// characters (any case): "tds" the TEF reader, "txt" the MLSSA reader; any
// other ending is Ignored without a message.

#include "file_outcome.h"
#include "filter_engine.h"

#include <string>
#include <string_view>

namespace tessera {

// Whether the name's ending is one that importMeasurement reads.
bool isMeasurementName(std::string_view fileName);

FileOutcome importMeasurement(FilterEngine& engine, const std::string& fileName);

} // namespace tessera
