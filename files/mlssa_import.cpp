#include "mlssa_import.h"

#include "file_reading.h"
#include "grid_resampler.h"
#include "real_conversion.h"
#include "text_lines.h"

namespace tessera {
namespace {

double number(std::string_view text) { return textToReal(text, "0"); }

// The dB values are already logarithmic: their plain mean is the grid value.
double plainMean(double mean, double /*lowestSoFar*/) { return mean; }

// The magnitude of a line whose first comma is at `comma`: the line's
// fields are read one after the other, each up to its comma.
double magnitudeAfter(std::string_view line, std::size_t comma) {
    if (comma == std::string_view::npos) return number(line);
    return textToRealBeforeComma(line.substr(comma + 1)).value;
}

} // namespace

double getMLSTxtfreq(std::string_view line) { return textToRealBeforeComma(line).value; }

double getMLSTxtbetrag(std::string_view line) { return magnitudeAfter(line, line.find(',')); }

bool isMlssaHeader(std::string_view line) {
    const std::size_t quote = line.find('"');
    return quote != std::string_view::npos && sameIgnoringCase(line.substr(quote + 1, 2), "Hz");
}

FileOutcome importMlssaLines(FilterEngine& engine, LineSource& lines, const std::string& fileName) {
    std::string_view line;
    if (!lines.next(line) || !lines.next(line)) return FileOutcome::refusal(messages::measurementIncomplete(fileName));
    if (!isMlssaHeader(line)) return FileOutcome::passedOver();
    if (!lines.next(line)) return FileOutcome::refusal(messages::measurementIncomplete(fileName));

    try {
        GridResampler grid(GridResampler::Limit::UpTo20k);
        FieldValue frequency = textToRealBeforeComma(line);
        double added = frequency.value;
        const double first = frequency.value;
        while (grid.wantsMore()) {
            grid.add(frequency.value, magnitudeAfter(line, frequency.end), plainMean);
            added = frequency.value;
            if (!lines.next(line)) break;
            frequency = textToRealBeforeComma(line);
        }
        grid.setSpan(first, added);
        return finishImport(engine, grid, 1.0, fileName);
    } catch (const FloatOverflowError&) {
        return FileOutcome::refusal(messages::measurementNumberTooLarge(fileName));
    }
}

FileOutcome importMlssaText(FilterEngine& engine, std::string_view text, const std::string& fileName) {
    return readTextWith(engine, text, fileName, importMlssaLines);
}

FileOutcome LoadMLSTxt(FilterEngine& engine, const std::string& fileName, ReadProgress* progress) {
    return readFileWith(engine, fileName, importMlssaLines, {.progress = progress});
}

} // namespace tessera
