// The broad benchmark of the fit (fit_broad_cases.h): measurements of nine
// kinds, each with every option variant, in two parts.
//   fixed: the fixed set against the references kept in
//          fit_broad_references.h (the best of a long search, made by
//          `fit_broad reference`);
//   fresh: cases drawn with a new seed at every run (printed, so a case can be
//          run again), each judged against a search of ten times the fit's
//          own effort on the same case, so the search cannot be tuned to them.
// Prints per kind the worst and median processor time of a fit (of all its
// threads) and the worst and median ratio of its RMS error to the reference,
// and the wall time of all; for the fixed set also how many cases end worse
// than the fit did before its searches were reworked (kBroadEarlierFitRms).
// The goals: every fit within 0.25 s of processor time, a median of at most
// 0.1 s, no ratio above 1.05.
// Usage: fit_broad [fixed [FIRST LAST]|fresh [COUNT [SEED]]|reference [FIRST [LAST [FACTOR]]]] [--threads N] [--seed N] [verbose]
#include "fit.h"
#include "fit_broad_cases.h"
#include "fit_broad_references.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace tessera;

namespace {

struct Run {
    std::string kind, name;
    double ratio, cpuSeconds, wallSeconds;
    double toEarlier = 0; // the RMS error over the earlier fit's; 0: not known
};

double at(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

int threadCount = 1;
// --seed N: the fit's random starts drawn with another seed, to see how much
// of a result is the luck of the default one.
std::optional<unsigned long long> fitSeed;

// The fit as a user runs it; its processor time (of all its threads) in
// `cpu`, its wall time in `wall`.
FitOutcome timedFit(const bench::FitCase& c, double& cpu, double& wall) {
    FitSettings settings = c.settings;
    settings.search.threads = threadCount;
    if (fitSeed) settings.search.seed = *fitSeed;
    const auto wallStart = std::chrono::steady_clock::now();
    const std::clock_t start = std::clock();
    FitOutcome outcome = fitSections(*c.measured, settings);
    cpu = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    return outcome;
}

// The lowest RMS error of searches `factor` times the fit's effort (the
// realisation of least error, not the quietest), with `seeds` seeds.
double searchedRms(const bench::FitCase& c, int factor, std::initializer_list<unsigned long long> seeds) {
    double best = std::numeric_limits<double>::infinity();
    for (unsigned long long seed : seeds) {
        FitSettings settings = c.settings;
        settings.search = settings.search.scaled(factor);
        settings.search.seed = seed;
        settings.search.quietest = false;
        settings.search.threads = threadCount;
        const FitOutcome outcome = fitSections(*c.measured, settings);
        if (outcome.done()) best = std::min(best, outcome.result.after.rms);
    }
    return best;
}

bool report(const char* title, const std::vector<Run>& runs, bool verbose) {
    std::printf("%s: %zu cases\n", title, runs.size());
    if (runs.empty()) return true;
    std::map<std::string, std::vector<const Run*>> byKind;
    for (const Run& r : runs) byKind[r.kind].push_back(&r);
    byKind["all"] = {};
    for (const Run& r : runs) byKind["all"].push_back(&r);
    std::printf("  %-12s %5s  %22s  %26s\n", "kind", "cases", "time s: median  worst", "ratio: median  worst");
    for (const auto& [kind, list] : byKind) {
        std::vector<double> times, ratios;
        const Run* worst = list.front();
        for (const Run* r : list) {
            times.push_back(r->cpuSeconds);
            ratios.push_back(r->ratio);
            if (r->ratio > worst->ratio) worst = r;
        }
        std::printf("  %-12s %5zu  %14.3f %6.3f  %14.3f %6.3f  (%s)\n", kind.c_str(), list.size(), at(times, 0.5),
                    at(times, 1), at(ratios, 0.5), at(ratios, 1), verbose ? worst->name.c_str() : "");
    }
    std::vector<double> times, ratios, walls;
    for (const Run& r : runs) times.push_back(r.cpuSeconds), ratios.push_back(r.ratio), walls.push_back(r.wallSeconds);
    std::printf("  wall time s (%d threads, stretched by a busy machine): median %.3f  worst %.3f\n", threadCount,
                at(walls, 0.5), at(walls, 1));
    const auto above = [&](double share) {
        return std::count_if(runs.begin(), runs.end(), [&](const Run& r) { return r.ratio > share; });
    };
    std::printf("  above 1.05 times the reference: %td cases\n", above(1.05));
    // The earlier fit took the quietest parts within 1 % of its best error too.
    std::vector<double> toEarlier;
    for (const Run& r : runs)
        if (r.toEarlier > 0) toEarlier.push_back(r.toEarlier);
    if (!toEarlier.empty())
        std::printf("  against the earlier fit: %td of %zu worse, %td by more than 1 %%, worst %.3f\n",
                    std::count_if(toEarlier.begin(), toEarlier.end(), [](double t) { return t > 1; }), toEarlier.size(),
                    std::count_if(toEarlier.begin(), toEarlier.end(), [](double t) { return t > 1.01; }), at(toEarlier, 1));
    const bool met = at(times, 1) <= 0.25 && at(times, 0.5) <= 0.1 && at(ratios, 1) <= 1.05;
    std::printf("  goals %s\n", met ? "met" : "NOT met");
    return met;
}

Run runCase(const bench::BroadCase& bc, double reference, bool verbose, double earlier = 0) {
    const bench::FitCase c = bench::broadCase(bc);
    double cpu = 0, wall = 0;
    const FitOutcome outcome = timedFit(c, cpu, wall);
    const double rms = outcome.done() ? outcome.result.after.rms : std::numeric_limits<double>::infinity();
    Run run{c.kind, bench::caseName(bc), reference > 0 ? rms / reference : 1, cpu, wall, earlier > 0 ? rms / earlier : 0};
    if (verbose)
        std::printf("%-44s rms %.4f  reference %.4f  ratio %.3f  %.3f s (wall %.3f s)%s\n", run.name.c_str(), rms,
                    reference, run.ratio, cpu, wall, outcome.done() ? "" : ("  " + outcome.message.text(Language::English)).c_str());
    return run;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    bool verbose = false;
    for (std::size_t i = 0; i < words.size();) {
        if (words[i] == "--threads" && i + 1 < words.size()) {
            threadCount = std::max(1, std::atoi(words[i + 1].c_str()));
            words.erase(words.begin() + static_cast<std::ptrdiff_t>(i), words.begin() + static_cast<std::ptrdiff_t>(i + 2));
        } else if (words[i] == "--seed" && i + 1 < words.size()) {
            fitSeed = std::strtoull(words[i + 1].c_str(), nullptr, 10);
            words.erase(words.begin() + static_cast<std::ptrdiff_t>(i), words.begin() + static_cast<std::ptrdiff_t>(i + 2));
        } else if (words[i] == "verbose") {
            verbose = true;
            words.erase(words.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    const std::string mode = words.empty() ? "all" : words[0];
    const std::vector<bench::BroadCase> fixed = bench::fixedBroadCases();

    if (mode == "reference") {
        // The best of the fit and of searches of FACTOR (default 40) times its
        // effort with seeds 21, 22 (and 23 at 40 times or more).
        const int first = words.size() > 1 ? std::atoi(words[1].c_str()) : 0;
        const int last = words.size() > 2 ? std::atoi(words[2].c_str()) : static_cast<int>(fixed.size()) - 1;
        const int factor = words.size() > 3 ? std::atoi(words[3].c_str()) : 40;
        for (int i = first; i <= last; ++i) {
            const bench::FitCase c = bench::broadCase(fixed[static_cast<std::size_t>(i)]);
            double cpu = 0, wall = 0;
            const FitOutcome own = timedFit(c, cpu, wall);
            const double searched = factor >= 40 ? searchedRms(c, factor, {21, 22, 23}) : searchedRms(c, factor, {21, 22});
            const double best = std::min(own.done() ? own.result.after.rms : 1e300, searched);
            std::printf("    %.17g, // %d %s\n", best, i, bench::caseName(fixed[static_cast<std::size_t>(i)]).c_str());
            std::fflush(stdout);
        }
        return 0;
    }

    bool met = true;
    if (mode == "all" || mode == "fixed") {
        static_assert(std::size(bench::kBroadReferenceRms) > 0);
        static_assert(std::size(bench::kBroadEarlierFitRms) == std::size(bench::kBroadReferenceRms));
        // fixed FIRST LAST: those cases alone.
        const std::size_t from = mode == "fixed" && words.size() > 1 ? std::strtoul(words[1].c_str(), nullptr, 10) : 0;
        const std::size_t to = mode == "fixed" && words.size() > 2 ? std::strtoul(words[2].c_str(), nullptr, 10) + 1 : fixed.size();
        std::vector<Run> runs;
        for (std::size_t i = from; i < std::min(to, fixed.size()); ++i)
            runs.push_back(i < std::size(bench::kBroadReferenceRms)
                               ? runCase(fixed[i], bench::kBroadReferenceRms[i], verbose, bench::kBroadEarlierFitRms[i])
                               : runCase(fixed[i], 0, verbose));
        met = report("fixed set, against the long search", runs, verbose) && met;
    }
    if (mode == "all" || mode == "fresh") {
        const int count = words.size() > 1 ? std::atoi(words[1].c_str()) : 40;
        const unsigned long long seed = words.size() > 2 ? std::strtoull(words[2].c_str(), nullptr, 10) : std::random_device{}();
        std::printf("fresh set: seed %llu\n", seed);
        std::vector<Run> runs;
        for (int i = 0; i < count; ++i) {
            const bench::BroadCase bc = bench::freshBroadCase(seed + static_cast<unsigned long long>(i));
            runs.push_back(runCase(bc, searchedRms(bench::broadCase(bc), 10, {seed + 7}), verbose));
        }
        met = report("fresh set, against ten times the fit's effort", runs, verbose) && met;
    }
    return met ? 0 : 1;
}
