#pragma once
// The figures of `noise` and `tolerance` as the commands print them, for the
// commands and for the web page, which shows the same texts.

#include "circuit_settings.h"
#include "section_parts.h"
#include "tolerance.h"

#include <string>

namespace tessera::cli {

// The noise and headroom figures of buildable parts: the command's tables,
// or with `json` its one JSON object (newline-terminated).
std::string noiseReport(const CircuitParts& parts, const CircuitSettings& settings, bool json);

// The run's settings line, its largest deviation and the parts' ranking.
std::string toleranceReport(const ToleranceResult& result);

} // namespace tessera::cli
