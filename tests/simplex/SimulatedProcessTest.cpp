#include "simplex/ProcessSearch.h"
#include "simplex/SimulatedProcess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zeltomir::simplex {
namespace {

const SimulatedProcess& Process(const char* name)
{
    const SimulatedProcess* process = FindSimulatedProcess(QString::fromLatin1(name));
    EXPECT_NE(process, nullptr) << name;
    return *process;
}

// The share of each factor's range within which a numerically found optimum
// must meet the stated one, and of the response's range for its value.
constexpr double LevelTolerance = 1e-4;
constexpr double ValueTolerance = 1e-6;

} // namespace

void PrintTo(const SimulatedProcess& process, std::ostream* out)
{
    *out << process.name.toStdString();
}

namespace {

class EveryProcess : public testing::TestWithParam<SimulatedProcess> {};

TEST_P(EveryProcess, StatedOptimumIsWhereTheSearchFindsIt)
{
    const SimulatedProcess& process = GetParam();
    const double valueTolerance = ValueTolerance * ResponseRange(process);
    const ProcessPoint found = SearchOptimum(process);
    EXPECT_NEAR(found.value, process.optimum.value, valueTolerance);
    EXPECT_NEAR(process.trueResponse(process.optimum.levels), process.optimum.value, valueTolerance);
    // A target is reached along a contour, so only its value is unique.
    if (process.goal != ProcessGoal::Target) {
        EXPECT_LT(ScaledDistance(process, found.levels, process.optimum.levels), LevelTolerance);
    }
}

TEST_P(EveryProcess, StatedWorstIsTheWorstOverTheLimits)
{
    const SimulatedProcess& process = GetParam();
    const double valueTolerance = ValueTolerance * ResponseRange(process);
    EXPECT_NEAR(SearchWorst(process).value, process.worst.value, valueTolerance);
    EXPECT_NEAR(process.trueResponse(process.worst.levels), process.worst.value, valueTolerance);
}

TEST_P(EveryProcess, FalseOptimaAreLocalOptima)
{
    const SimulatedProcess& process = GetParam();
    for (const ProcessPoint& local : process.falseOptima) {
        const ProcessPoint found = SearchLocalOptimum(process, local.levels);
        EXPECT_LT(ScaledDistance(process, found.levels, local.levels), LevelTolerance);
        EXPECT_NEAR(found.value, local.value, ValueTolerance * ResponseRange(process));
        EXPECT_TRUE(NearerFalseOptimum(process, local.levels));
    }
    EXPECT_FALSE(NearerFalseOptimum(process, process.optimum.levels));
}

INSTANTIATE_TEST_SUITE_P(Processes, EveryProcess, testing::ValuesIn(SimulatedProcesses()),
                         [](const testing::TestParamInfo<SimulatedProcess>& info) {
                             QString name = info.param.name;
                             return name.remove(QLatin1Char('-')).toStdString();
                         });

// The optima as the processes are published, to the digits given there.
struct PublishedOptimum {
    const char* process;
    std::vector<double> levels;
    double value;
    std::vector<double> levelHalfDigit; // half a unit of the last digit given
    double valueHalfDigit;
    bool falseOptimum = false;
};

TEST(SimulatedProcess, OptimaAgreeWithTheirPublishedFigures)
{
    const std::vector<PublishedOptimum> table = {
        // "about": to the nearest hundredth.
        {"hill", {3.00, 7.00}, 9.85, {0.01, 0.01}, 0.005},
        {"peak", {300, 10}, 94, {0.5, 0.5}, 0.5},
        {"two-peaks", {300.18, 9.972}, 94.33, {0.005, 0.0005}, 0.005},
        {"two-peaks", {339.4, 4.57}, 81.41, {0.05, 0.005}, 0.005, true},
        {"ridge", {1, 1}, 0, {0.5, 0.5}, 0.5},
    };
    for (const PublishedOptimum& row : table) {
        SCOPED_TRACE(row.process);
        const SimulatedProcess& process = Process(row.process);
        const ProcessPoint found =
            row.falseOptimum ? SearchLocalOptimum(process, row.levels) : SearchOptimum(process);
        for (std::size_t i = 0; i < row.levels.size(); ++i)
            EXPECT_NEAR(found.levels[i], row.levels[i], row.levelHalfDigit[i]) << "factor " << i + 1;
        EXPECT_NEAR(found.value, row.value, row.valueHalfDigit);
    }
}

TEST(SimulatedProcess, FoundByName)
{
    for (const SimulatedProcess& process : SimulatedProcesses())
        EXPECT_EQ(FindSimulatedProcess(process.name), &process) << "names are unique";
    EXPECT_EQ(FindSimulatedProcess(u"valley"), nullptr);
    EXPECT_EQ(FactorLabel(Process("peak").factors[0]), "T (K)");
    EXPECT_EQ(FactorLabel(Process("peak").factors[1]), "pH");
}

TEST(SimulatedProcess, PeakFactorsComeInTheOrderTThenPh)
{
    for (const char* name : {"peak", "two-peaks"}) {
        const SimulatedProcess& process = Process(name);
        ASSERT_EQ(process.factorCount(), 2);
        EXPECT_EQ(process.factors[0].name, "T");
        EXPECT_EQ(process.factors[0].lower, 278);
        EXPECT_EQ(process.factors[1].name, "pH");
        EXPECT_EQ(process.factors[1].upper, 14);
    }
}

struct WithinCase {
    const char* process;
    double trueValue;
    double p;
    bool within;
};

// ridge: worst 2509, optimum 0. viscosity: target 1500, farthest 3600.
TEST(SimulatedProcess, WithinPOfTheOptimum)
{
    const std::vector<WithinCase> table = {
        {"ridge", 125.45, 0.95, true},   {"ridge", 125.5, 0.95, false},    {"ridge", 25.09, 0.99, true},
        {"ridge", 25.1, 0.99, false},    {"ridge", 2509, 0, true},         {"viscosity", 1605, 0.95, true},
        {"viscosity", 1395, 0.95, true}, {"viscosity", 1606, 0.95, false}, {"viscosity", 1394, 0.95, false},
        {"viscosity", 1500, 1, true},    {"hill", 9.8518, 0.99, true},
    };
    for (const WithinCase& row : table) {
        SCOPED_TRACE(testing::Message() << row.process << " " << row.trueValue << " within " << row.p);
        EXPECT_EQ(WithinOfOptimum(Process(row.process), row.trueValue, row.p), row.within);
    }
}

TEST(SimulatedProcess, FirstTrialWithinCountsFromOne)
{
    const SimulatedProcess& ridge = Process("ridge");
    const std::vector<double> trueValues = {2000, 200, 100, 20, 10};
    EXPECT_EQ(FirstTrialWithin(ridge, trueValues, 0.95), 3);
    EXPECT_EQ(FirstTrialWithin(ridge, trueValues, 0.99), 4);
    EXPECT_EQ(FirstTrialWithin(ridge, trueValues, 0.999), std::nullopt);
}

// The nearest point of the 1500 mPa s contour. Where the contour runs into a
// limit beyond the vertex, that end of it: 6 % w/w at 68.76 degrees C, 20
// degrees C at 4.8325 % w/w. Otherwise the foot of the perpendicular (in range
// units) from the vertex, where the offset to the vertex runs along the
// gradient.
TEST(SimulatedProcess, NearestPointOfATargetContour)
{
    const SimulatedProcess& viscosity = Process("viscosity");
    const struct {
        std::vector<double> vertex;
        std::vector<double> endOfContour; // empty: the foot of the perpendicular
    } table[] = {
        {{6, 80}, {6, 68.76}}, {{1, 20}, {4.8325, 20}}, {{3.5, 50}, {}}, {{6, 20}, {}}, {{4.9, 21}, {}},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(testing::Message() << row.vertex[0] << ", " << row.vertex[1]);
        const ProcessPoint nearest = NearestOptimum(viscosity, row.vertex);
        EXPECT_NEAR(nearest.value, 1500, 1e-6);
        if (!row.endOfContour.empty()) {
            EXPECT_NEAR(nearest.levels[0], row.endOfContour[0], 5e-5);
            EXPECT_NEAR(nearest.levels[1], row.endOfContour[1], 5e-3);
            continue;
        }
        const double c = nearest.levels[0];
        const double t = nearest.levels[1];
        const double h = 1e-4;
        const double dc = (viscosity.trueResponse(std::vector<double>{c + h, t})
                           - viscosity.trueResponse(std::vector<double>{c - h, t})) * 5;
        const double dt = (viscosity.trueResponse(std::vector<double>{c, t + h})
                           - viscosity.trueResponse(std::vector<double>{c, t - h})) * 60;
        const double offC = (row.vertex[0] - c) / 5;
        const double offT = (row.vertex[1] - t) / 60;
        EXPECT_NEAR((offC * dt - offT * dc) / std::hypot(dc, dt), 0, 1e-6);
    }
}

} // namespace
} // namespace zeltomir::simplex
