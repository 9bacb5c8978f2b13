#include "tds_import.h"

#include "file_reading.h"
#include "grid_resampler.h"
#include "real_conversion.h"
#include "text_lines.h"

#include <cmath>

namespace tessera {
namespace {

// Line indices (from 0) of the header fields the reader uses.
constexpr std::size_t kPointCountLine = 7, kFirstFrequencyLine = 8, kLastFrequencyLine = 9,
                      kReferenceLine = 20, kFirstDataLine = 31;

double number(std::string_view text) { return textToReal(text, "0"); }

// The header's mean of linear magnitudes in dB; where there is no level to
// take the logarithm of, the lowest value given so far stands in.
struct DecibelsAgainst {
    double reference;
    double operator()(double mean, double lowestSoFar) const {
        return mean > 0 && reference > 0 ? 20.0 * std::log10(mean / reference) : lowestSoFar;
    }
};

} // namespace

double getTDSdouble(std::string_view line) {
    const std::size_t open = line.find('"');
    const std::size_t close = open == std::string_view::npos ? open : line.find('"', open + 1);
    if (close == std::string_view::npos || close + 2 > line.size()) return number({});
    return number(line.substr(close + 2));
}

double getTDSbetrag(std::string_view line) {
    const double re = number(line.substr(0, 15));
    const double im = line.size() > 16 ? number(line.substr(16)) : 0.0;
    return std::sqrt(re * re + im * im);
}

namespace {

// A keyed header number, with a value too large kept as a flag: a file too
// short is reported as such even when it also holds a number too large.
struct Keyed {
    double value = 0;
    bool tooLarge = false;
};
Keyed keyed(std::string_view line) {
    try {
        return {getTDSdouble(line), false};
    } catch (const FloatOverflowError&) {
        return {0, true};
    }
}

} // namespace

FileOutcome importTdsLines(FilterEngine& engine, LineSource& lines, const std::string& fileName) {
    // The header is read line by line: a line lasts only until the next one.
    std::size_t headerLines = 0;
    bool tdsHeading = false;
    Keyed pointCount, first, last, reference;
    std::string_view line;
    while (headerLines < kFirstDataLine && lines.next(line)) {
        switch (headerLines) {
        case 0: tdsHeading = sameIgnoringCase(line, "\"TDS\""); break;
        case kPointCountLine: pointCount = keyed(line); break;
        case kFirstFrequencyLine: first = keyed(line); break;
        case kLastFrequencyLine: last = keyed(line); break;
        case kReferenceLine: reference = keyed(line); break;
        default: break;
        }
        ++headerLines;
    }

    if (headerLines == 0) return FileOutcome::refusal(messages::measurementIncomplete(fileName));
    if (!tdsHeading) return FileOutcome::refusal(messages::notAsciiFile(fileName));
    if (headerLines <= kReferenceLine) return FileOutcome::refusal(messages::measurementIncomplete(fileName));
    if (pointCount.tooLarge || first.tooLarge || last.tooLarge || reference.tooLarge)
        return FileOutcome::refusal(messages::measurementNumberTooLarge(fileName));

    try {
        // Truncated toward zero; kept as a double so that no count overflows.
        const double points = std::trunc(pointCount.value);
        if (!(points >= 2)) return FileOutcome::refusal(messages::tooFewPoints(fileName));
        if (headerLines < kFirstDataLine) return FileOutcome::refusal(messages::measurementIncomplete(fileName));
        const double step = (last.value - first.value) / (points - 1);

        // The declared count only bounds the loop: the points are read one at
        // a time, and a file ending before a needed point is refused.
        GridResampler grid(GridResampler::Limit::Below20k);
        double frequency = first.value, added = frequency;
        for (double k = 0; grid.wantsMore() && k <= points - 1; k += 1) {
            if (!lines.next(line))
                return FileOutcome::refusal(messages::measurementIncomplete(fileName));
            grid.add(frequency, getTDSbetrag(line), DecibelsAgainst{reference.value});
            added = frequency;
            frequency = frequency + step;
        }
        grid.setSpan(first.value, added);
        return finishImport(engine, grid, reference.value, fileName);
    } catch (const FloatOverflowError&) {
        return FileOutcome::refusal(messages::measurementNumberTooLarge(fileName));
    }
}

FileOutcome importTdsText(FilterEngine& engine, std::string_view text, const std::string& fileName) {
    return readTextWith(engine, text, fileName, importTdsLines);
}

FileOutcome LoadTDS(FilterEngine& engine, const std::string& fileName, ReadProgress* progress) {
    return readFileWith(engine, fileName, importTdsLines, {.progress = progress});
}

} // namespace tessera
