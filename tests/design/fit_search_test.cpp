// The ideal search finds the global minimum where the descents from the
// seeds end in poor local ones: measurements made exactly by a known design
// (so the best error is zero) of the kinds that trapped it, where two
// sections share one feature or a boost and a cut meet near one frequency.
#include "fit_continuous.h"

#include "frequency_grid.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tessera;

namespace {

// The problem whose measurement is the inverse of `truth` (boost, boost,
// cut, cut) over `low`..`high` on a level of 3 dB.
FitProblem problemMadeBy(const Designs& truth, double low, double high, double boostLimitDb) {
    FitProblem problem;
    problem.sections = {1, 2, 3, 4};
    problem.gainLimitDb = {boostLimitDb, boostLimitDb, kSectionGainLimitDb, kSectionGainLimitDb};
    const auto& grid = gridFrequencies();
    for (std::size_t i = 0; i < kGridPoints; ++i)
        if (grid[i] >= low && grid[i] <= high) {
            if (problem.frequencies.empty()) problem.first = static_cast<int>(i);
            problem.frequencies.push_back(grid[i]);
        }
    problem.base.assign(problem.frequencies.size(), 3.0);
    for (int k = 0; k < 4; ++k) {
        const SectionDesign& d = truth[static_cast<std::size_t>(k)];
        addSectionResponse(problem.frequencies, d.frequency(), d.q(), d.gainFactor(), k < 2, -1, problem.base.data());
    }
    return problem;
}

SectionDesign design(double f, double q, double gainDb) { return {std::log(f), std::log(q), gainDb}; }

double rmsOf(const FitProblem& problem, const Designs& designs) {
    return std::sqrt(designError(problem, designs) / problem.points());
}

} // namespace

TEST(FitSearch, FindsTheDesignThatMadeTheMeasurement) {
    struct Case {
        const char* what;
        Designs truth;
        double low, high, boostLimitDb;
    };
    const Case cases[] = {
        {"a broad boost under a narrow cut near one frequency",
         {design(560, 0.5, 2.5), design(6600, 1.75, 9), design(2400, 1, 5), design(7200, 7.5, 8.5)}, 40, 10000, 9},
        {"two cuts on one peak",
         {design(1310, 3, 9.5), design(690, 1.15, 6.5), design(157, 2.1, 8.7), design(198, 1.2, 3.6)}, 20, 20000, 12},
        {"a boost beside two cuts",
         {design(695, 3.8, 4.5), design(4000, 3.2, 3.8), design(6300, 1, 6.9), design(188, 0.9, 1.2)}, 20, 20000, 12},
        {"two boosts and two cuts between 3 and 8 kHz",
         {design(3580, 1.2, 2.2), design(380, 1.1, 7.9), design(7140, 2.6, 5.6), design(5200, 1.5, 6.2)}, 20, 20000, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FitProblem problem = problemMadeBy(c.truth, c.low, c.high, c.boostLimitDb);
        ASSERT_NEAR(rmsOf(problem, c.truth), 0, 1e-9);
        const std::vector<Designs> found = fitIdealSections(problem, nullptr, {});
        ASSERT_FALSE(found.empty());
        EXPECT_LT(rmsOf(problem, found.front()), 0.02);
        // Distinct minima, the best first: no two whose curves differ by
        // less than a hundredth of the error (the parts would realise them alike).
        for (std::size_t n = 1; n < found.size(); ++n)
            EXPECT_LE(designError(problem, found[n - 1]), designError(problem, found[n]));
        for (std::size_t a = 0; a < found.size(); ++a)
            for (std::size_t b = a + 1; b < found.size(); ++b) {
                const std::vector<double> one = totalCurve(problem, found[a]), other = totalCurve(problem, found[b]);
                double apart = 0;
                for (std::size_t i = 0; i < one.size(); ++i) apart += (one[i] - other[i]) * (one[i] - other[i]);
                EXPECT_GT(apart, 1e-4 * designError(problem, found[a])) << a << " and " << b;
            }
    }
}

TEST(FitSearch, AnAbandonedDescentIsNeverWorseThanItsStart) {
    const Designs truth{design(560, 0.5, 2.5), design(6600, 1.75, 9), design(2400, 1, 5), design(7200, 7.5, 8.5)};
    const FitProblem problem = problemMadeBy(truth, 40, 10000, 9);
    const Designs start{design(300, 2, 3), design(3000, 1, 1), design(5000, 4, 2), design(15000, 0.5, 6)};
    const double before = designError(problem, start);
    // Abandoned at once (no error is below zero) and never.
    const Designs abandoned = refineDesigns(problem, start, kFullDescentIterations, 0);
    const Designs full = refineDesigns(problem, start);
    EXPECT_LE(designError(problem, abandoned), before);
    EXPECT_LE(designError(problem, full), designError(problem, abandoned));
    EXPECT_GT(designError(problem, abandoned), designError(problem, full)); // it did stop early
}

// Broad sections at nearly the most gain their Q allows (the shunt resistor
// near the top of its range), as a shelf or a tilt asks for: a descent
// started on that bound at a lower Q must move along it, raising gain and Q
// together, rather than stall where the gain alone cannot grow.
TEST(FitSearch, ADescentMovesAlongTheMostGainItsQAllows) {
    const auto nearBound = [](double f, double q) { return design(f, q, 20 * std::log10(1 + 0.98 * 2 * q * q)); };
    const auto onBound = [](double f, double q) { return design(f, q, 20 * std::log10(1 + 0.99 * 2 * q * q)); };
    struct Case {
        const char* what;
        Designs truth, start;
    };
    const Case cases[] = {
        {"two broad boosts and two broad cuts",
         {nearBound(19000, 0.51), nearBound(3700, 0.45), nearBound(25, 0.69), nearBound(70, 0.45)},
         {onBound(19000, 0.35), onBound(3700, 0.3), onBound(25, 0.4), onBound(70, 0.3)}},
        {"one broad boost, the others narrow",
         {nearBound(800, 0.6), design(5000, 3, 4), design(200, 2, 6), design(9000, 4, 3)},
         {onBound(800, 0.3), design(5000, 3, 4), design(200, 2, 6), design(9000, 4, 3)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FitProblem problem = problemMadeBy(c.truth, 20, 20000, 12);
        ASSERT_NEAR(rmsOf(problem, c.truth), 0, 1e-9);
        EXPECT_LT(rmsOf(problem, refineDesigns(problem, c.start)), 0.02);
    }
}

// Where the resistor range is narrow, the ideal search keeps to the Q its
// parts reach (R2 / R3 = 2 (2 Q^2 - A) within the ratio of the range's ends),
// so that the parts search is not left to realise what it cannot.
TEST(FitSearch, DesignsKeepToTheQTheResistorRangeReaches) {
    const Designs truth{design(560, 0.5, 2.5), design(6600, 1.75, 9), design(2400, 1, 5), design(7200, 7.5, 8.5)};
    for (const double ratio : {4.7, 33.0, 560.0}) {
        FitProblem problem = problemMadeBy(truth, 20, 20000, 12);
        problem.resistorRatio = ratio;
        for (const double q : {0.3, 1.0, 3.0, 8.0})
            for (const double gainDb : {0.0, 3.0, 10.0}) {
                SCOPED_TRACE(testing::Message() << "ratio " << ratio << " Q " << q << " gain " << gainDb);
                for (int k = 0; k < 4; ++k) {
                    const SectionDesign d = clampDesign(problem, k, design(1000, q, gainDb));
                    const double a = d.gainFactor();
                    EXPECT_LE(2 * (2 * d.q() * d.q() - a), ratio * (1 + 1e-9));
                    // A design the parts reach keeps its Q.
                    if (2 * (2 * q * q - a) <= ratio * 0.99) {
                        EXPECT_NEAR(d.q(), q, 1e-9 * q);
                    }
                }
            }
    }
}
