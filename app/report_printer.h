#pragma once
// Prints the one-page report: the result plot and the sections overview,
// each drawn by the result window's plot control into "temp.wmf" and
// stretched into a third of the page, then the text block.

#include "filter_engine.h"

#include <string_view>

class QPrinter;
class QString;
class TControlImage;

namespace tessera {

enum class PrintOutcome {
    Printed,
    NoPrinter, // no printer and no PDF file to print to, or the job would not start
    EmptyPage, // the printer reports a page without pixels
    MetafileFailed, // "temp.wmf" could not be written or read: the job is cancelled
};

// Whether `printer` can take a job: a named, valid printer, or PDF output
// into a chosen file.
bool printerUsable(const QPrinter& printer);

// Prints the report on `printer`. Leaves `resultPlot` holding the overview
// and the title "Filters (dB)": the caller gives it its usual data back.
// `error` receives the file error of MetafileFailed.
PrintOutcome printReport(QPrinter& printer, TControlImage& resultPlot, const FilterEngine& engine,
                         std::string_view fileName, QString* error);

} // namespace tessera
