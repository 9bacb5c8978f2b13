#pragma once
// The program's document without its windows: the filter bank in its
// start-up state (E24 table, every section reset, nothing imported), loaded,
// imported into and saved exactly as the File commands do it, with "." as
// the decimal separator of every number written.

#include "cli_messages.h"
#include "file_outcome.h"
#include "filter_bank_state.h"
#include "filter_engine.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace tessera::cli {

class DesignSession {
public:
    DesignSession();

    FilterEngine& engine() { return engine_; }
    FilterBankState& state() { return *state_; }

    // File → Open of `name` (a ".tsn" configuration).
    FileOutcome open(const std::string& name);
    // File → Import of `name` (any measurement format the Import command reads).
    FileOutcome import(const std::string& name);
    // File → Save as: `name` is made absolute first, as the Save dialog gives it.
    FileOutcome saveAs(const std::string& name);

private:
    std::unique_ptr<FilterBankState> state_;
    FilterEngine engine_;
};

// For an outcome that is not Done: the program's message for it (or, for a
// file passed over, one naming what was expected) on `err`, "tessera-design
// COMMAND: " before it. Returns kFileError.
int reportFileFailure(std::string_view command, const FileOutcome& outcome, const std::string& name,
                      const Wording& notExpected, Language language, std::ostream& err);


// How the commands that take a measurement start: File → Open of
// `configuration` when one is given, then File → Import of `measurement`.
// kSuccess, or the failure reported on `err`.
int openAndImport(DesignSession& session, std::string_view command, const std::optional<std::string>& configuration,
                  const std::string& measurement, Language language, std::ostream& err);

} // namespace tessera::cli
