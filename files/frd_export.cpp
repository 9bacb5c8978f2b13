#include "frd_export.h"

#include "frequency_grid.h"
#include "number_text.h"
#include "safe_save.h"

#include <ctime>

namespace tessera {
namespace {

// "%.17g" without the C library's locale: a program that set a regional
// locale must still write a decimal point.
void appendNumber(std::string& text, double value) {
    text += significantText(value, 17);
}

} // namespace

Curve windowCurve(const FilterBankState& state, GraphWindow window) {
    switch (window) {
    case GraphWindow::Import: return state.ImportedResponse;
    case GraphWindow::Result: {
        Curve result;
        for (std::size_t i = 0; i < kGridPoints; ++i) result[i] = state.CombinedCurve[i] + state.ImportedResponse[i];
        return result;
    }
    default: return state.sections[static_cast<std::size_t>(window)].SectionCurve;
    }
}

std::string todayIsoDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[16];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d", &local);
    return buffer;
}

std::string frdText(const Curve& magnitudes, GraphWindow window, std::string_view isoDate) {
    std::string text = "* TESSERA 1.0, window ";
    text.append(graphWindowText(window)).append(", ").append(isoDate).append("\r\n");
    const auto& frequencies = gridFrequencies();
    for (std::size_t i = 0; i < kGridPoints; ++i) {
        appendNumber(text, frequencies[i]);
        text += ' ';
        appendNumber(text, magnitudes[i]);
        text += "\r\n";
    }
    return text;
}

FileOutcome exportFrd(const FilterBankState& state, GraphWindow window, const std::string& fileName) {
    if (!replaceFile(fileName, frdText(windowCurve(state, window), window, todayIsoDate())))
        return FileOutcome::refusal(messages::cannotCreate(fileName));
    return FileOutcome::success();
}

} // namespace tessera
