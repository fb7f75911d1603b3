#include "simplex/Desirability.h"

#include <gtest/gtest.h>

namespace zeltomir::simplex {
namespace {

const ResponseDefinition Yield{"Yield", ResponseGoal::Maximize, 120, 170};
const ResponseDefinition Impurity{"Impurity", ResponseGoal::Minimize, 0.5, 2.5};
const ResponseDefinition Hardness{"Hardness", ResponseGoal::Target, 60, 75, 67.5};

ResponseDefinition Shaped(ResponseDefinition response, double s, double t = 1)
{
    response.shape = s;
    response.shapeAbove = t;
    return response;
}

TEST(Desirability, EachGoalAtAndBeyondItsLimits)
{
    const struct {
        const char* name;
        ResponseDefinition response;
        double y;
        double d;
    } cases[] = {
        {"maximise below L", Yield, 100, 0},
        {"maximise at L", Yield, 120, 0},
        {"maximise half way", Yield, 145, 0.5},
        {"maximise at U", Yield, 170, 1},
        {"maximise beyond U", Yield, 500, 1},
        {"maximise with s = 2", Shaped(Yield, 2), 145, 0.25},
        {"minimise below L", Impurity, 0, 1},
        {"minimise at L", Impurity, 0.5, 1},
        {"minimise a quarter way", Impurity, 1, 0.75},
        {"minimise at U", Impurity, 2.5, 0},
        {"minimise beyond U", Impurity, 9, 0},
        {"minimise with s = 0.5", Shaped(Impurity, 0.5), 2, 0.5},
        {"target below L", Hardness, 59, 0},
        {"target at L", Hardness, 60, 0},
        {"target on it", Hardness, 67.5, 1},
        {"target above it", Hardness, 70, 5.0 / 7.5},
        {"target at U", Hardness, 75, 0},
        {"target beyond U", Hardness, 80, 0},
        {"target below with s = 2", Shaped(Hardness, 2, 0.5), 63.75, 0.25},
        {"target above with t = 0.5", Shaped(Hardness, 2, 0.5), 73.125, 0.5},
        {"only tracked", {"Colour", ResponseGoal::TrackOnly, 0, 1}, -7, 1},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(Desirability(c.response, c.y), c.d, 1e-12) << c.name;
}

// The tyre-tread compound: two responses to maximise, two to bring to a
// target; a response only tracked changes nothing.
TEST(Desirability, OverallOfTheTreadCompound)
{
    std::vector<ResponseDefinition> tread{{"Abrasion", ResponseGoal::Maximize, 120, 170},
                                          {"Modulus", ResponseGoal::Maximize, 1000, 1300},
                                          {"Elongation", ResponseGoal::Target, 400, 600, 500},
                                          {"Hardness", ResponseGoal::Target, 60, 75, 67.5}};
    const std::vector<double> y{145, 1150, 450, 70};
    EXPECT_NEAR(OverallDesirability(tread, y), 0.5373, 5e-5);
    EXPECT_NEAR(ResponsesObjective(tread, y), 0.5373, 5e-5);
    tread[1].importance = 2;
    EXPECT_NEAR(OverallDesirability(tread, y), 0.5296, 5e-5);
    tread.push_back({"Colour", ResponseGoal::TrackOnly, 0, 1});
    EXPECT_NEAR(OverallDesirability(tread, {145, 1150, 450, 70, 99}), 0.5296, 5e-5);
}

// Where D is 0, the objective measures how far from acceptable the vertex
// lies, so that vertices there can still be ranked, all below any D > 0.
TEST(Desirability, ObjectiveWhereDIsZero)
{
    const std::vector<ResponseDefinition> two{Yield, Hardness};
    const struct {
        const char* name;
        std::vector<double> y;
        double objective;
    } cases[] = {
        {"yield 10 short", {110, 67.5}, -10.0 / 50},
        {"yield at L: acceptable but no better", {120, 67.5}, 0},
        {"hardness 3 above U", {145, 78}, -3.0 / 15},
        {"hardness 3 below L and yield 25 short", {95, 57}, -25.0 / 50 - 3.0 / 15},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OverallDesirability(two, c.y), 0) << c.name;
        EXPECT_NEAR(ResponsesObjective(two, c.y), c.objective, 1e-12) << c.name;
    }
    EXPECT_GT(ResponsesObjective(two, {120.001, 67.5}), 0);
}

} // namespace
} // namespace zeltomir::simplex
