#pragma once
// The parts list of the board as CSV for a buyer: one line per part with the
// columns designator,kind,value,section,note, or grouped by value with a count
// (kind,value,count,designators). A header line, commas between the fields,
// CR LF line ends; a field holding a comma or a quote is quoted.

#include "board_parts.h"
#include "file_outcome.h"

#include <optional>
#include <string>
#include <vector>

namespace tessera {

enum class PartsListForm { PerPart, Grouped };

std::string partsListCsv(const std::vector<BoardPart>& parts, PartsListForm form);

// Why the parts cannot be ordered: a section that shows "err", named with
// its part; nullopt when every part can be.
std::optional<Message> partsListRefusal(const FilterEngine& engine);

// Writes the list with the safe save: Refused with partsListRefusal's reason,
// or with "Kann Datei %s nicht erstellen" when the file cannot be written; an
// old file is left as it was in both cases.
FileOutcome writePartsList(const FilterEngine& engine, const CircuitSettings& settings, PartsListForm form,
                           const std::string& fileName);

} // namespace tessera
