#include "ScriptedSource.h"

#include "practice/LetteredAnswer.h"
#include "practice/RobustModel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeltomir::practice {
namespace {

using testing::ScriptedSource;

TEST(RobustModelTest, QuestionDrawsLettersThenSevenCoefficients)
{
    struct Case {
        bool advanced;
        std::vector<double> letterNumbers;
        const char *first, *second, *third;
    };
    const Case cases[] = {
        {false, {0.9}, "A", "D", "E"},
        {true, {0.9, 0.5}, "C", "F", "D"},
        {true, {0.4, 0.95}, "B", "E", "G"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + c.second + c.third);
        std::vector<double> script = c.letterNumbers;
        script.insert(script.end(), {0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5});
        ScriptedSource source(script);
        RobustModel m;
        DrawRobustModel(m, c.advanced, source, QLocale::c());
        EXPECT_EQ(source.drawn(), script.size());
        ASSERT_EQ(source.seeds().size(), 1U);
        EXPECT_EQ(source.seeds()[0], 0U);
        EXPECT_EQ(m.FirstFactor, c.first);
        EXPECT_EQ(m.SecondFactor, c.second);
        EXPECT_EQ(m.ThirdFactor, c.third);
        EXPECT_FLOAT_EQ(m.Slope, 6);
        EXPECT_DOUBLE_EQ(m.ResponseTarget, 9.5);
        EXPECT_FLOAT_EQ(m.c1, 145);
        EXPECT_FLOAT_EQ(m.c2, 145);
        EXPECT_FLOAT_EQ(m.c12, 17.8F);
        EXPECT_FLOAT_EQ(m.c11, 15);
        EXPECT_FLOAT_EQ(m.c22, 30);
        EXPECT_TRUE(m.ProblemText.contains("Seven  independent factors; A, B, C, D, E, F and G"));
        EXPECT_TRUE(m.ProblemText.endsWith("The target for the response is 9.5."));
    }
}

RobustModel KnownModel()
{
    RobustModel m;
    m.Slope = 6;
    m.ResponseTarget = 9.5;
    m.c1 = 145;
    m.c2 = 145;
    m.c12 = 17.8F;
    m.c11 = 15;
    m.c22 = 30;
    return m;
}

TEST(RobustModelTest, HiddenLevelsAreTheFlatPointRoundedToTwoDecimals)
{
    RobustModel m = KnownModel();
    const RobustHiddenLevels hidden = SolveRobustHiddenLevels(m);
    EXPECT_EQ(hidden.singular, 0);
    EXPECT_FLOAT_EQ(hidden.first, 7.61F);  // 7.606057 by hand
    EXPECT_FLOAT_EQ(hidden.second, 4.67F); // 4.673130
    // (9.5 - g(7.61, 4.67) / 100) / 6 = 0.0979 -> 0.1
    EXPECT_FLOAT_EQ(hidden.third, 0.1F);
    ComputeRobustAnswer(m);
    EXPECT_EQ(m.AnswerText, "A7.61D4.67E0.1H");
}

TEST(RobustModelTest, ResponseIsPushedAwayByTheScriptedNumbers)
{
    const RobustModel m = KnownModel();
    FactorLevels levels{};
    levels[0] = 7.61F; // A
    levels[3] = 4.67F; // D
    levels[4] = 2;     // E
    // Sign draw 0.2 pushes A down by 0.5 ln 2; 0.7 pushes D up by 0.25 ln 2.
    ScriptedSource source({0.2, 0.5, 0.7, 0.25});
    EXPECT_NEAR(SimulateRobustResponse(m, levels, source), 20.875738, 1e-4);
    EXPECT_EQ(source.drawn(), 4U);
}

TEST(RobustModelTest, ViewAnswerKeepsTheFinalSeparator)
{
    RobustModel m = KnownModel();
    ComputeRobustAnswer(m);
    EXPECT_EQ(LetteredAnswerView(m.AnswerText, true, QLocale::c()), "A=7.61, D=4.67, E=0.1, ");
}

} // namespace
} // namespace zeltomir::practice
