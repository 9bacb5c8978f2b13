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

// The magnitude of a line whose first comma is at `comma`: each line is
// searched for its first comma once, for the frequency and the magnitude.
double magnitudeAfter(std::string_view line, std::size_t comma) {
    if (comma == std::string_view::npos) return number(line);
    const std::string_view rest = line.substr(comma + 1);
    return number(rest.substr(0, rest.find(',')));
}

} // namespace

double getMLSTxtfreq(std::string_view line) { return number(line.substr(0, line.find(','))); }

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
        std::size_t comma = line.find(',');
        double frequency = number(line.substr(0, comma)), added = frequency;
        const double first = frequency;
        while (grid.wantsMore()) {
            grid.add(frequency, magnitudeAfter(line, comma), plainMean);
            added = frequency;
            if (!lines.next(line)) break;
            comma = line.find(',');
            frequency = number(line.substr(0, comma));
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
