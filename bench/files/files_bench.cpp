// Import of large measurement files and a configuration load and save, each
// through a real file in the temporary folder.

#include "config_file.h"
#include "frd_import.h"
#include "mlssa_import.h"
#include "standard_series.h"
#include "tds_import.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace tessera;
constexpr int kMillion = 1000000;

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

// 1,000,000 points from 1 Hz to 24 kHz with a phase column, as MLSSA exports them.
std::string mlssaText() {
    std::string text = "MLSSA: Frequency Domain\r\n\"Hz\",\"dB\",\"deg\"\r\n";
    text.reserve(40u * kMillion);
    char line[64];
    for (int k = 0; k < kMillion; ++k) {
        const double f = 1.0 + k * 0.024;
        std::snprintf(line, sizeof line, "%.4f,%.3f,%.2f\r\n", f, -3.0 + (k % 1000) * 0.006, (k % 3600) * 0.1 - 180);
        text += line;
    }
    return text;
}

// The same points as blank-separated frequency-response text with comments.
std::string frdText() {
    std::string text = "* benchmark sweep\r\n* Freq(Hz) SPL(dB) Phase(degrees)\r\n";
    text.reserve(40u * kMillion);
    char line[64];
    for (int k = 0; k < kMillion; ++k) {
        const double f = 1.0 + k * 0.024;
        std::snprintf(line, sizeof line, "%.4f %.3f %.2f\r\n", f, -3.0 + (k % 1000) * 0.006, (k % 3600) * 0.1 - 180);
        text += line;
    }
    return text;
}

// 1,000,000 complex points from 0 Hz to 24 kHz.
std::string tdsText() {
    std::string text = "\"TDS\"\r\n\"benchmark\"\r\n";
    for (int i = 3; i <= 31; ++i) {
        if (i == 8) text += "\"Number of points\" 1000000\r\n";
        else if (i == 9) text += "\"Start frequency\" 0\r\n";
        else if (i == 10) text += "\"Stop frequency\" 24000\r\n";
        else if (i == 21) text += "\"Reference\" 1.0E-3\r\n";
        else text += "\"unused\" 0\r\n";
    }
    text.reserve(40u * kMillion);
    char line[64];
    for (int k = 0; k < kMillion; ++k) {
        std::snprintf(line, sizeof line, "%15.7E %.7E\r\n", 0.5 + (k % 977) * 1e-3, -0.25 + (k % 331) * 1e-3);
        text += line;
    }
    return text;
}

// One measurement file, written once, imported again and again.
void importRepeatedly(benchmark::State& st, const std::string& name, const std::string& text,
                      FileOutcome (*load)(FilterEngine&, const std::string&)) {
    Bench b;
    const std::string file = writeFile(name, text);
    for (auto _ : st) {
        const FileOutcome outcome = load(b.engine, file);
        if (!outcome.done()) st.SkipWithError(outcome.message.c_str());
        benchmark::DoNotOptimize(b.state.ImportedResponse);
    }
    std::filesystem::remove(file);
}

void BM_MlssaImportMillionLines(benchmark::State& st) { importRepeatedly(st, "million.txt", mlssaText(), LoadMLSTxt); }
BENCHMARK(BM_MlssaImportMillionLines)->Unit(benchmark::kMillisecond);

void BM_FrdImportMillionLines(benchmark::State& st) {
    importRepeatedly(st, "million.frd", frdText(), LoadFrequencyResponse);
}
BENCHMARK(BM_FrdImportMillionLines)->Unit(benchmark::kMillisecond);

void BM_TdsImportMillionPoints(benchmark::State& st) { importRepeatedly(st, "million.tds", tdsText(), LoadTDS); }
BENCHMARK(BM_TdsImportMillionPoints)->Unit(benchmark::kMillisecond);

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
