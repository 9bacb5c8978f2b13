#include "measurement_import.h"

#include "frd_import.h"
#include "mlssa_import.h"
#include "tds_import.h"
#include "text_lines.h"

namespace tessera {

bool isMeasurementName(std::string_view fileName) {
    for (const std::string_view ending : {"tds", "txt", "frd", "csv"})
        if (endsWith3(fileName, ending)) return true;
    return false;
}

FileOutcome importTxtText(FilterEngine& engine, std::string_view text, const std::string& fileName) {
    FileOutcome outcome = importMlssaText(engine, text, fileName);
    if (outcome.ignored()) return importResponseText(engine, text, fileName);
    return outcome;
}

FileOutcome importMeasurement(FilterEngine& engine, const std::string& fileName, ReadProgress* progress) {
    if (endsWith3(fileName, "tds")) return LoadTDS(engine, fileName, progress);
    if (endsWith3(fileName, "txt")) {
        // Read again from the start when it is no MLSSA export.
        FileOutcome outcome = LoadMLSTxt(engine, fileName, progress);
        if (outcome.ignored()) return LoadFrequencyResponse(engine, fileName, progress);
        return outcome;
    }
    if (endsWith3(fileName, "frd") || endsWith3(fileName, "csv")) return LoadFrequencyResponse(engine, fileName, progress);
    return FileOutcome::passedOver();
}

} // namespace tessera
