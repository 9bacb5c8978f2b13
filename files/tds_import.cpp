#include "tds_import.h"

#include "file_access.h"
#include "grid_resampler.h"
#include "real_conversion.h"
#include "text_lines.h"

#include <array>
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

FileOutcome importTdsText(FilterEngine& engine, std::string_view text, const std::string& fileName) {
    TextLines lines(text);
    std::array<std::string_view, kFirstDataLine> header;
    std::size_t headerLines = 0;
    while (headerLines < header.size() && lines.next(header[headerLines])) ++headerLines;

    if (headerLines == 0) return FileOutcome::refusal(messages::measurementIncomplete(fileName));
    if (!sameIgnoringCase(header[0], "\"TDS\"")) return FileOutcome::refusal(messages::notAsciiFile(fileName));
    if (headerLines <= kReferenceLine) return FileOutcome::refusal(messages::measurementIncomplete(fileName));

    try {
        // Truncated toward zero; kept as a double so that no count overflows.
        const double points = std::trunc(getTDSdouble(header[kPointCountLine]));
        const double first = getTDSdouble(header[kFirstFrequencyLine]);
        const double last = getTDSdouble(header[kLastFrequencyLine]);
        const double reference = getTDSdouble(header[kReferenceLine]);
        if (!(points >= 2)) return FileOutcome::refusal(messages::tooFewPoints(fileName));
        if (headerLines < header.size()) return FileOutcome::refusal(messages::measurementIncomplete(fileName));
        const double step = (last - first) / (points - 1);

        // The declared count only bounds the loop: the points are read one at
        // a time, and a file ending before a needed point is refused.
        GridResampler grid(GridResampler::Limit::Below20k);
        double frequency = first;
        std::string_view line;
        for (double k = 0; grid.wantsMore() && k <= points - 1; k += 1) {
            if (!lines.next(line))
                return FileOutcome::refusal(messages::measurementIncomplete(fileName));
            grid.add(frequency, getTDSbetrag(line), DecibelsAgainst{reference});
            frequency = frequency + step;
        }
        return finishImport(engine, grid, reference, fileName);
    } catch (const FloatOverflowError&) {
        return FileOutcome::refusal(messages::measurementNumberTooLarge(fileName));
    }
}

FileOutcome LoadTDS(FilterEngine& engine, const std::string& fileName) {
    return readFileWith(engine, fileName, importTdsText);
}

} // namespace tessera
