#include "ScriptedSource.h"

#include "core/Random.h"
#include "practice/LetteredAnswer.h"
#include "practice/VarianceModel.h"

#include <gtest/gtest.h>

namespace zeltomir::practice {
namespace {

using testing::Sample;
using testing::ScriptedSource;

FactorLevels Levels(std::initializer_list<std::pair<const char*, float>> byLetter)
{
    FactorLevels levels{};
    for (const auto& [letter, level] : byLetter)
        levels[static_cast<std::size_t>(FactorIndex(QString::fromLatin1(letter)))] = level;
    return levels;
}

FactorEntries Entries(std::initializer_list<std::pair<const char*, float>> byLetter)
{
    FactorEntries entries{};
    for (const auto& [letter, level] : byLetter)
        entries[static_cast<std::size_t>(FactorIndex(QString::fromLatin1(letter)))] = level;
    return entries;
}

TEST(VarianceModelTest, SimpleQuestionReseedsThenDrawsInOrder)
{
    ScriptedSource source({
        0.9,       // r: ignored at the simple level
        0.5,       // Slope = 1.4 x 0.5 + 12.8
        0.5, 0.7,  // TargetFirst pass 1: 25.0, kept positive, too small
        0.8, 0.3,  // pass 2: 40.0, negated
        0.7, 0.9,  // TargetSecond: -35.0, kept
        0.01875,   // TargetThird = 0.75 - 45 = -44.25, halves to even
    });
    VarianceModel m;
    DrawVarianceModel(m, false, source, QLocale::c());
    EXPECT_EQ(source.drawn(), 9U);
    ASSERT_EQ(source.seeds().size(), 1U);
    EXPECT_EQ(source.seeds()[0], 0U);
    EXPECT_EQ(m.FirstFactor, "A");
    EXPECT_EQ(m.SecondFactor, "D");
    EXPECT_EQ(m.ThirdFactor, "E");
    EXPECT_FLOAT_EQ(m.Slope, 13.5F);
    EXPECT_FLOAT_EQ(m.TargetFirst, -40);
    EXPECT_FLOAT_EQ(m.TargetSecond, -35);
    EXPECT_FLOAT_EQ(m.TargetThird, -44.2F);
    // -35 - 40 - 44.2 x 13.5 = -671.7
    EXPECT_FLOAT_EQ(m.ResponseTarget, -671.7F);
    EXPECT_TRUE(m.ProblemText.startsWith("You are responsible for minimizing the variance"));
    EXPECT_TRUE(m.ProblemText.endsWith("The target for the response is -671.7."));
    EXPECT_EQ(VarianceAnswerText(m), "A-40D-35E-44.2H");
}

TEST(VarianceModelTest, TargetSecondStartsNegative)
{
    // Same sign draws for both targets: the first stays positive, the second negative.
    ScriptedSource source({0.1, 0.0, 0.7, 0.9, 0.7, 0.9, 0.5});
    VarianceModel m;
    DrawVarianceModel(m, false, source, QLocale::c());
    EXPECT_EQ(source.drawn(), 7U);
    EXPECT_FLOAT_EQ(m.TargetFirst, 35);
    EXPECT_FLOAT_EQ(m.TargetSecond, -35);
    EXPECT_FLOAT_EQ(m.TargetThird, -25);
    EXPECT_FLOAT_EQ(m.Slope, 12.8F);
    EXPECT_FLOAT_EQ(m.ResponseTarget, -320);
}

TEST(VarianceModelTest, AdvancedQuestionPicksTheLettersAndTheThirdFactor)
{
    struct Case {
        double r, u;
        const char *first, *second, *third;
    };
    const Case cases[] = {
        {0.1, 0.1, "A", "D", "B"}, {0.1, 0.3, "A", "D", "C"}, {0.5, 0.1, "B", "E", "A"}, {0.5, 0.3, "B", "E", "C"},
        {0.5, 0.5, "B", "E", "D"}, {0.5, 0.7, "B", "E", "F"}, {0.5, 0.9, "B", "E", "G"}, {0.9, 0.5, "C", "F", "D"},
        {0.9, 0.79, "C", "F", "E"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + c.second + c.third);
        ScriptedSource source({c.r, 0.5, 0.8, 0.7, 0.7, 0.9, 0.5, c.u});
        VarianceModel m;
        DrawVarianceModel(m, true, source, QLocale::c());
        EXPECT_EQ(source.drawn(), 8U);
        EXPECT_EQ(m.FirstFactor, c.first);
        EXPECT_EQ(m.SecondFactor, c.second);
        EXPECT_EQ(m.ThirdFactor, c.third);
        EXPECT_TRUE(m.ProblemText.contains("Seven independent factors; A, B, C, D, E, F and G"));
    }
}

TEST(VarianceModelTest, DrawnTargetsHaveMagnitudeThirtyToFifty)
{
    testing::SeededSource generator(31);
    int negativeFirst = 0;
    for (int i = 0; i < 2000; ++i) {
        VarianceModel m;
        DrawVarianceModel(m, true, generator, QLocale::c());
        for (const float target : {m.TargetFirst, m.TargetSecond}) {
            ASSERT_GE(std::fabs(target), 30);
            ASSERT_LE(std::fabs(target), 50);
        }
        ASSERT_GE(m.TargetThird, -45);
        ASSERT_LE(m.TargetThird, -5);
        ASSERT_NE(m.ThirdFactor, m.FirstFactor);
        ASSERT_NE(m.ThirdFactor, m.SecondFactor);
        negativeFirst += m.TargetFirst < 0 ? 1 : 0;
    }
    EXPECT_NEAR(negativeFirst / 2000.0, 0.5, 0.05);
}

VarianceModel KnownModel()
{
    VarianceModel m;
    m.TargetFirst = -35.5F;
    m.TargetSecond = 42.1F;
    m.TargetThird = -20.3F;
    m.Slope = 13;
    m.ThirdFactor = "G";
    return m;
}

TEST(VarianceModelTest, ResponseIsExactAtTheHiddenLevels)
{
    const VarianceModel m = KnownModel();
    const FactorLevels levels = Levels({{"A", -35.5F}, {"D", 42.1F}, {"G", 2}});
    ScriptedSource source({0.3, 0.4, 0.6, 0.7});
    const double response = SimulateVarianceResponse(m, levels, source);
    EXPECT_EQ(source.drawn(), 4U);
    EXPECT_FLOAT_EQ(static_cast<float>(response), 13 * 2 + 42.1F - 35.5F);
}

TEST(VarianceModelTest, ScatterGrowsWithTheDistanceFromTheHiddenLevel)
{
    const VarianceModel m = KnownModel();
    core::RandomGenerator generator(5);
    struct Case {
        float offset;
        double deviation;
    };
    for (const Case c : {Case{10, 3}, Case{-20, 8}, Case{0, 0}}) {
        SCOPED_TRACE(c.offset);
        const FactorLevels levels = Levels({{"A", -35.5F + c.offset}, {"D", 42.1F}, {"G", 1}});
        const testing::Spread s = Sample(50000, [&] { return SimulateVarianceResponse(m, levels, generator); });
        EXPECT_NEAR(s.deviation, c.deviation, 0.04 * c.deviation + 1e-3);
        EXPECT_NEAR(s.mean, 13 + 42.1 - 35.5 + c.offset, 0.1);
    }
}

TEST(VarianceModelTest, JudgementCountsThreeLettersWithinTheirTolerances)
{
    struct Case {
        const char* name;
        const char* answer;
        FactorEntries entries;
        bool correct;
    };
    const Case cases[] = {
        {"all three within", "A-35.5D42.1G-20.3H", Entries({{"A", -33}, {"D", 46}, {"G", -21}}), true},
        {"G within 1", "A-35.5D42.1G-20.3H", Entries({{"A", -35.5F}, {"D", 42.1F}, {"G", -21.0F}}), true},
        {"G within 30 per cent", "A-35.5D42.1G-20H", Entries({{"A", -35.5F}, {"D", 42.1F}, {"G", -24}}), true},
        {"G outside both", "A-35.5D42.1G-20H", Entries({{"A", -35.5F}, {"D", 42.1F}, {"G", -26.5F}}), false},
        {"A at 5 is outside", "A-35.5D42.1G-20.3H", Entries({{"A", -30.5F}, {"D", 42.1F}, {"G", -20.3F}}), false},
        {"E at simple level judged with 5", "A10D20E-10H", Entries({{"A", 10}, {"D", 20}, {"E", -14}}), true},
        {"E beyond 5", "A10D20E-10H", Entries({{"A", 10}, {"D", 20}, {"E", -15.5F}}), false},
        {"an empty box does not count", "A0.3D20E-10H", Entries({{"D", 20}, {"E", -10}}), false},
        {"other boxes are ignored", "A10D20E-10H", Entries({{"A", 10}, {"D", 20}, {"E", -10}, {"B", 999}, {"G", -999}}), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JudgeLetteredAnswer(c.answer, c.entries, ToleranceRule::ByLetter), c.correct);
    }
}

TEST(VarianceModelTest, TheOlderRuleAppliesThirtyPerCentOrOneToEveryLetter)
{
    const FactorEntries within = Entries({{"A", 10}, {"D", 20}, {"E", -12.9F}});
    EXPECT_TRUE(JudgeLetteredAnswer("A10D20E-10H", within, ToleranceRule::RelativeOrAbsolute));
    const FactorEntries fourAway = Entries({{"A", 10}, {"D", 20}, {"E", -14}});
    EXPECT_FALSE(JudgeLetteredAnswer("A10D20E-10H", fourAway, ToleranceRule::RelativeOrAbsolute));
    const FactorEntries nearZero = Entries({{"A", 7.1F}, {"D", 4.1F}, {"E", 0.9F}});
    EXPECT_TRUE(JudgeLetteredAnswer("A7.61D4.67E0.1H", nearZero, ToleranceRule::RelativeOrAbsolute));
}

TEST(VarianceModelTest, ViewAnswerListsTheLettersAlphabetically)
{
    struct Case {
        const char* answer;
        bool keep;
        const char* view;
    };
    const Case cases[] = {
        {"A-35.5D42.1G-20.3H", false, "A=-35.5, D=42.1, G=-20.3"},
        {"A-35.5D42.1G-20.3H", true, "A=-35.5, D=42.1, G=-20.3, "},
        {"C31F-40B-12.5H", false, "B=-12.5, C=31, F=-40"},
        {"A7.61D4.67E0.1H", true, "A=7.61, D=4.67, E=0.1, "},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        EXPECT_EQ(LetteredAnswerView(c.answer, c.keep, QLocale::c()), c.view);
    }
}

TEST(VarianceModelTest, HiddenLevelsEndAtTheNextLetter)
{
    const std::vector<LetteredLevel> levels = HiddenLevels("B-12.5E40G-5H");
    ASSERT_EQ(levels.size(), 3U);
    EXPECT_EQ(levels[0].letter, "B");
    EXPECT_FLOAT_EQ(levels[0].level, -12.5F);
    EXPECT_EQ(levels[1].letter, "E");
    EXPECT_FLOAT_EQ(levels[1].level, 40);
    EXPECT_EQ(levels[2].letter, "G");
    EXPECT_FLOAT_EQ(levels[2].level, -5);
}

} // namespace
} // namespace zeltomir::practice
