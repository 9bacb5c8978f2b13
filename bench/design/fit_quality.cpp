// How well the fit meets its cases with real parts (fit_cases.h): 200
// generated measurements over the full band with the maximum boost raised to
// 12 dB, 40 headphone-like responses over 40 Hz - 10 kHz and 40 cuts-only
// corrections with E12 parts. Prints the distribution of the realised RMS
// error, its ratio to the reference (the best of a much longer search,
// fit_references.h, made by fit_reference) and the times. The goals: for
// the generated cases RMS <= 0.3 dB in at least 90 % and a median of at most
// 0.25 dB; no case above 1.05 times its reference; every fit within 0.25 s of
// processor time.
// The processor time is printed beside the wall time, which a busy machine
// stretches. Arguments: [CASES [verbose]] (the first CASES of each kind).
#include "fit.h"
#include "fit_cases.h"
#include "fit_references.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

using namespace tessera;

namespace {

struct Run {
    int index;
    std::string kind;
    double rms, ratio, seconds, cpuSeconds;
};

double at(std::vector<double> sorted, double share) {
    std::sort(sorted.begin(), sorted.end());
    return sorted[static_cast<std::size_t>(share * static_cast<double>(sorted.size() - 1))];
}

} // namespace

int main(int argc, char** argv) {
    const int perKind = argc > 1 ? std::atoi(argv[1]) : bench::kFitCases;
    const bool verbose = argc > 2;
    static_assert(sizeof bench::kFitReferenceRms / sizeof bench::kFitReferenceRms[0] == bench::kFitCases);
    std::vector<Run> runs;
    for (int c = 0; c < bench::kFitCases; ++c) {
        const int within = c < bench::kGeneratedCases                            ? c
                           : c < bench::kGeneratedCases + bench::kHeadphoneCases ? c - bench::kGeneratedCases
                                                                                  : c - bench::kGeneratedCases - bench::kHeadphoneCases;
        if (within >= perKind) continue;
        bench::FitCase fitCase = bench::fitCase(c);
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        const FitOutcome outcome = fitSections(*fitCase.measured, fitCase.settings);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        if (!outcome.done()) {
            std::printf("case %d refused: %s\n", c, outcome.message.text(Language::English).c_str());
            return 1;
        }
        const double rms = outcome.result.after.rms;
        const double reference = bench::kFitReferenceRms[c];
        runs.push_back({c, fitCase.kind, rms, reference > 0 ? rms / reference : 0, took.count(), cpu});
        if (verbose)
            std::printf("case %3d %-9s  rms %.3f dB  reference %.3f dB  ratio %.3f  %.3f s (processor %.3f s)\n", c,
                        fitCase.kind, rms, bench::kFitReferenceRms[c], runs.back().ratio, took.count(), cpu);
    }

    bool met = true;
    for (const char* kind : {"generated", "headphone", "cuts-only"}) {
        std::vector<double> errors, ratios;
        for (const Run& r : runs)
            if (r.kind == kind) {
                errors.push_back(r.rms);
                if (r.ratio > 0) ratios.push_back(r.ratio);
            }
        if (errors.empty()) continue;
        if (ratios.empty()) ratios.push_back(0);
        const auto worst = std::max_element(runs.begin(), runs.end(), [&](const Run& a, const Run& b) {
            return (a.kind == kind ? a.ratio : 0) < (b.kind == kind ? b.ratio : 0);
        });
        const auto above = std::count_if(ratios.begin(), ratios.end(), [](double r) { return r > 1.05; });
        std::printf("%s: %zu cases\n", kind, errors.size());
        std::printf("  realised RMS error (dB): min %.3f  p10 %.3f  median %.3f  p90 %.3f  max %.3f\n", at(errors, 0),
                    at(errors, 0.1), at(errors, 0.5), at(errors, 0.9), at(errors, 1));
        std::printf("  ratio to the reference (%zu with one): median %.3f  p90 %.3f  worst %.3f (case %d); above 1.05: %ld\n",
                    ratios.size(), at(ratios, 0.5), at(ratios, 0.9), worst->ratio, worst->index, static_cast<long>(above));
        met = met && above == 0;
        if (std::string(kind) == "generated") {
            const auto good = std::count_if(errors.begin(), errors.end(), [](double e) { return e <= 0.3; });
            std::printf("  RMS <= 0.3 dB: %ld of %zu (%.1f %%)\n", static_cast<long>(good), errors.size(),
                        100.0 * static_cast<double>(good) / static_cast<double>(errors.size()));
            met = met && good >= 0.9 * static_cast<double>(errors.size()) && at(errors, 0.5) <= 0.25;
        }
    }
    const auto slowest = std::max_element(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.seconds < b.seconds; });
    const auto slowestCpu =
        std::max_element(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.cpuSeconds < b.cpuSeconds; });
    double total = 0, cpuTotal = 0;
    for (const Run& r : runs) total += r.seconds, cpuTotal += r.cpuSeconds;
    const auto n = static_cast<double>(runs.size());
    std::printf("time per fit (s): mean %.3f  slowest %.3f (case %d); processor time: mean %.3f  slowest %.3f (case %d)\n",
                total / n, slowest->seconds, slowest->index, cpuTotal / n, slowestCpu->cpuSeconds, slowestCpu->index);
    met = met && slowestCpu->cpuSeconds <= 0.25;
    std::printf("goals %s\n", met ? "met" : "NOT met");
    return 0;
}
