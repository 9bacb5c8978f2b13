#include "design_session.h"

#include "command_line.h"
#include "config_file.h"
#include "measurement_import.h"
#include "standard_series.h"

#include <filesystem>
#include <ostream>
#include <system_error>

namespace tessera::cli {

DesignSession::DesignSession() : state_(std::make_unique<FilterBankState>()), engine_(*state_, '.') {
    // The start-up sequence of the configuration dialog.
    E24Init(*state_);
    engine_.Reset(true);
    state_->Modified = 0;
}

FileOutcome DesignSession::open(const std::string& name) { return LoadTSN(engine_, name); }

FileOutcome DesignSession::import(const std::string& name) { return importMeasurement(engine_, name); }

FileOutcome DesignSession::saveAs(const std::string& name) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(name, error);
    return Speichern(engine_, error ? name : absolute.string(), '.');
}

int reportFileFailure(std::string_view command, const FileOutcome& outcome, const std::string& name,
                      const Wording& notExpected, Language language, std::ostream& err) {
    err << "tessera-design " << command << ": ";
    if (outcome.refused())
        err << outcome.message.text(language) << "\n";
    else
        err << render(notExpected, language, {name}) << "\n";
    return kFileError;
}


int openAndImport(DesignSession& session, std::string_view command, const std::optional<std::string>& configuration,
                  const std::string& measurement, Language language, std::ostream& err) {
    if (configuration) {
        const FileOutcome opened = session.open(*configuration);
        if (!opened.done()) return reportFileFailure(command, opened, *configuration, kNotConfigurationExpected, language, err);
    }
    const FileOutcome imported = session.import(measurement);
    if (!imported.done()) return reportFileFailure(command, imported, measurement, kNotMeasurementExpected, language, err);
    return kSuccess;
}

} // namespace tessera::cli
