#include "measurement_import.h"

#include "mlssa_import.h"
#include "tds_import.h"
#include "text_lines.h"

namespace tessera {

bool isMeasurementName(std::string_view fileName) {
    return endsWith3(fileName, "tds") || endsWith3(fileName, "txt");
}

FileOutcome importMeasurement(FilterEngine& engine, const std::string& fileName) {
    if (endsWith3(fileName, "tds")) return LoadTDS(engine, fileName);
    if (endsWith3(fileName, "txt")) return LoadMLSTxt(engine, fileName);
    return FileOutcome::passedOver();
}

} // namespace tessera
