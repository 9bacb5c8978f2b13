// The references of the fit's quality benchmark: each case fitted with a
// much longer search (many more ideal designs taken on to the parts, and
// hundreds of descents from random designs), the lowest realised RMS error
// of that search and of the program's own fit kept. Run once; its output is
// fit_references.h. Arguments: FIRST LAST (case indices, default all).
#include "fit.h"
#include "fit_cases.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace tessera;

int main(int argc, char** argv) {
    const int first = argc > 1 ? std::atoi(argv[1]) : 0;
    const int last = argc > 2 ? std::atoi(argv[2]) : bench::kFitCases - 1;
    for (int c = first; c <= last; ++c) {
        bench::FitCase fitCase = bench::fitCase(c);
        double best = fitSections(*fitCase.measured, fitCase.settings).result.after.rms;
        for (unsigned long long seed : {11ULL, 12ULL}) {
            FitSettings settings = fitCase.settings;
            settings.search = {16, 100, seed, false};
            const FitOutcome outcome = fitSections(*fitCase.measured, settings);
            if (outcome.done()) best = std::min(best, outcome.result.after.rms);
        }
        std::printf("    %.17g, // %d %s\n", best, c, fitCase.kind);
        std::fflush(stdout);
    }
    return 0;
}
