// Import of large measurement files, each beside its floor (the same lines
// split and parsed by fast_float's from_chars alone), and a configuration
// load and save, each through a real file in the temporary folder.

#include "bit_copy.h"
#include "config_file.h"
#include "frd_import.h"
#include "frequency_grid.h"
#include "mlssa_import.h"
#include "standard_series.h"
#include "tds_import.h"

#include <benchmark/benchmark.h>
#include <fast_float/fast_float.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

namespace {

using namespace tessera;

struct Bench {
    FilterBankState state{};
    FilterEngine engine{state};
    Bench() {
        E24Init(state);
        engine.Reset(true);
    }
};

std::string scratch(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("tessera-bench-" + name)).string();
}

std::string writeFile(const std::string& name, const std::string& text) {
    const std::string file = scratch(name);
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

// A measurement file's text, and how much of it an import reads: the
// readers stop at the first point above the grid frequency whose value
// completes their grid (up to 24 kHz, a file holds more), and the floor reads
// the same lines.
struct MeasurementFile {
    std::string text;
    std::size_t importedBytes = 0;
    double lastImportedHz = 0; // the frequency of the last point imported
};

// The TEF and MLSSA readers leave the last grid point to the fill; the
// frequency-response reader reads on to it.
double lastButOneGridFrequency() { return gridFrequencies()[kGridPoints - 2]; }
double lastGridFrequency() { return gridFrequencies()[kGridPoints - 1]; }

// Marks the end of the text as the end of what is imported once the point
// at `frequency` is the first above `stopAbove`.
void noteImportedEnd(MeasurementFile& file, double frequency, double stopAbove) {
    if (file.importedBytes != 0 || frequency <= stopAbove) return;
    file.importedBytes = file.text.size();
    file.lastImportedHz = frequency;
}

// `lines` points from 1 Hz to 24 kHz with a phase column after `header`,
// their columns apart by `separator`.
MeasurementFile sweepText(std::string header, char separator, int lines, double stopAbove) {
    MeasurementFile file{std::move(header)};
    file.text.reserve(file.text.size() + 26u * static_cast<std::size_t>(lines));
    const std::string format = std::string("%.4f") + separator + "%.3f" + separator + "%.2f\r\n";
    char line[64];
    const double step = 24000.0 / lines;
    for (int k = 0; k < lines; ++k) {
        const double f = 1.0 + k * step;
        std::snprintf(line, sizeof line, format.c_str(), f, -3.0 + (k % 1000) * 0.006, (k % 3600) * 0.1 - 180);
        file.text += line;
        noteImportedEnd(file, f, stopAbove);
    }
    return file;
}

// As MLSSA exports them.
MeasurementFile mlssaText(int lines) {
    return sweepText("MLSSA: Frequency Domain\r\n\"Hz\",\"dB\",\"deg\"\r\n", ',', lines, lastButOneGridFrequency());
}

// The same points as blank-separated frequency-response text with comments.
MeasurementFile frdText(int lines) {
    return sweepText("* benchmark sweep\r\n* Freq(Hz) SPL(dB) Phase(degrees)\r\n", ' ', lines, lastGridFrequency());
}

// `points` complex points from 0 Hz to 24 kHz, their frequencies summed up
// step by step as the reader sums them.
MeasurementFile tdsText(int points) {
    MeasurementFile file;
    std::string& text = file.text;
    text = "\"TDS\"\r\n\"benchmark\"\r\n";
    for (int i = 3; i <= 31; ++i) {
        if (i == 8) text += "\"Number of points\" " + std::to_string(points) + "\r\n";
        else if (i == 9) text += "\"Start frequency\" 0\r\n";
        else if (i == 10) text += "\"Stop frequency\" 24000\r\n";
        else if (i == 21) text += "\"Reference\" 1.0E-3\r\n";
        else text += "\"unused\" 0\r\n";
    }
    text.reserve(32u * static_cast<std::size_t>(points));
    char line[64];
    const double step = 24000.0 / (points - 1);
    double frequency = 0;
    for (int k = 0; k < points; ++k, frequency = frequency + step) {
        std::snprintf(line, sizeof line, "%15.7E %.7E\r\n", 0.5 + (k % 977) * 1e-3, -0.25 + (k % 331) * 1e-3);
        text += line;
        noteImportedEnd(file, frequency, lastButOneGridFrequency());
    }
    return file;
}

// One measurement file, written once, imported again and again; the
// throughput counts the whole file, as the user waits for it.
void importRepeatedly(benchmark::State& st, const std::string& name, const MeasurementFile& measurement,
                      FileOutcome (*load)(FilterEngine&, const std::string&, ReadProgress*)) {
    Bench b;
    const std::string& text = measurement.text;
    const std::string file = writeFile(name, text);
    std::uint64_t checksum = 0;
    for (auto _ : st) {
        const FileOutcome outcome = load(b.engine, file, nullptr);
        if (!outcome.done()) st.SkipWithError(outcome.message.text(Language::English).c_str());
        if (std::fabs(outcome.importedHighHz - measurement.lastImportedHz) > 1e-3)
            st.SkipWithError("the import stopped at another line than its floor");
        checksum += bitCopy<std::uint64_t>(b.state.ImportedResponse[128]);
    }
    benchmark::DoNotOptimize(checksum);
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations() * text.size()));
    std::filesystem::remove(file);
}

// The floor: every line the import reads, split with memchr and its numbers
// read by from_chars, nothing else (no rounding, no resampling). Its
// throughput counts the whole file, as the import's does.
void fromCharsFloor(benchmark::State& st, const MeasurementFile& file, char separator) {
    const std::string& text = file.text;
    std::uint64_t checksum = 0;
    for (auto _ : st) {
        const char* p = text.data();
        const char* const end = p + file.importedBytes;
        while (p < end) {
            const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            if (!lineEnd) lineEnd = end;
            for (int field = 0; field < 2 && p < lineEnd; ++field) {
                while (p < lineEnd && *p == ' ') ++p;
                double value = 0;
                p = fast_float::from_chars(p, lineEnd, value).ptr;
                checksum += bitCopy<std::uint64_t>(value);
                if (p < lineEnd && *p == separator) ++p;
            }
            p = lineEnd + 1;
        }
    }
    benchmark::DoNotOptimize(checksum);
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations() * text.size()));
}

void BM_MlssaImport(benchmark::State& st) {
    importRepeatedly(st, "lines.txt", mlssaText(static_cast<int>(st.range(0))), LoadMLSTxt);
}
BENCHMARK(BM_MlssaImport)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
void BM_MlssaFromCharsFloor(benchmark::State& st) {
    fromCharsFloor(st, mlssaText(static_cast<int>(st.range(0))), ',');
}
BENCHMARK(BM_MlssaFromCharsFloor)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_FrdImport(benchmark::State& st) {
    importRepeatedly(st, "lines.frd", frdText(static_cast<int>(st.range(0))), LoadFrequencyResponse);
}
BENCHMARK(BM_FrdImport)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
void BM_FrdFromCharsFloor(benchmark::State& st) { fromCharsFloor(st, frdText(static_cast<int>(st.range(0))), ' '); }
BENCHMARK(BM_FrdFromCharsFloor)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_TdsImport(benchmark::State& st) {
    importRepeatedly(st, "points.tds", tdsText(static_cast<int>(st.range(0))), LoadTDS);
}
BENCHMARK(BM_TdsImport)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
void BM_TdsFromCharsFloor(benchmark::State& st) { fromCharsFloor(st, tdsText(static_cast<int>(st.range(0))), ' '); }
BENCHMARK(BM_TdsFromCharsFloor)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ConfigurationSave(benchmark::State& st) {
    Bench b;
    const std::string file = scratch("save.tsn");
    for (auto _ : st)
        if (!Speichern(b.engine, file, '.').done()) st.SkipWithError("save failed");
    std::filesystem::remove(file);
}
BENCHMARK(BM_ConfigurationSave)->Unit(benchmark::kMillisecond);

void BM_ConfigurationLoad(benchmark::State& st) {
    Bench b;
    const std::string file = scratch("load.tsn");
    Speichern(b.engine, file, '.');
    for (auto _ : st)
        if (!LoadTSN(b.engine, file).done()) st.SkipWithError("load failed");
    std::filesystem::remove(file);
}
BENCHMARK(BM_ConfigurationLoad)->Unit(benchmark::kMillisecond);

} // namespace
