#include "ScriptedSource.h"

#include "practice/FactorLevels.h"
#include "practice/PracticeScore.h"

#include <gtest/gtest.h>

namespace zeltomir::practice {
namespace {

TEST(ScoreTextTest, PercentageRoundsToOneDecimalHalvesToEven)
{
    struct Case {
        int correct, incorrect;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, "0%"},     {1, 2, "33.3%"},  {2, 1, "66.7%"}, {1, 1, "50%"}, {3, 0, "100%"},
        {0, 4, "0%"},     {1, 7, "12.5%"},  // exactly 12.5
        {1, 1599, "0.1%"}, // 0.0625 -> 0.1
        {1, 3199, "0%"},   // 0.03125 -> 0
        {1, 15, "6.2%"},   // 6.25 -> 6.2, halves to even
        {3, 13, "18.8%"},  // 18.75 -> 18.8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ScoreText(c.correct, c.incorrect, QLocale::c()), c.text);
    }
}

TEST(ScoreTextTest, UsesTheLocaleDecimalMark)
{
    EXPECT_EQ(ScoreText(1, 2, QLocale(QLocale::German)), "33,3%");
}

TEST(RecordAnswerTest, OnlyTheFirstCheckOfAQuestionCounts)
{
    PracticeProblem p;
    const core::Message first = RecordAnswer(p, false);
    const core::Message second = RecordAnswer(p, true);
    EXPECT_EQ(p.IncorrectCount, 1);
    EXPECT_EQ(p.CorrectCount, 0);
    EXPECT_EQ(p.Answered, 1);
    EXPECT_EQ(first, (core::Message{"Question Response", "Your response is Incorrect.", core::MessageIcon::Information}));
    EXPECT_EQ(second, (core::Message{"Question Response", "Your response is Correct!", core::MessageIcon::Information}));

    p.Answered = 0; // a new question
    RecordAnswer(p, true);
    EXPECT_EQ(p.CorrectCount, 1);
    EXPECT_EQ(ScoreText(p, QLocale::c()), "50%");
}

TEST(RecordAnswerTest, ACounterAtItsTopStaysThere)
{
    PracticeProblem p;
    p.CorrectCount = 32767;
    RecordAnswer(p, true);
    EXPECT_EQ(p.CorrectCount, 32767);
}

TEST(ResetStatusTest, ClearsTheCountersButNotAnswered)
{
    PracticeProblem p;
    p.CorrectCount = 4;
    p.IncorrectCount = 2;
    p.Answered = 1;
    ResetStatus(p);
    EXPECT_EQ(p.CorrectCount, 0);
    EXPECT_EQ(p.IncorrectCount, 0);
    EXPECT_EQ(p.Answered, 1);
    EXPECT_EQ(ScoreText(p), "0%");
}

TEST(PracticeMessagesTest, TextsTitlesAndIcons)
{
    EXPECT_EQ(GenerateQuestionNotice(),
              (core::Message{"Notice",
                             "Another question has been generated.  The maximum factor levels that maximize the "
                             "response have been changed.",
                             core::MessageIcon::Information}));
    EXPECT_EQ(ResetStatusQuestion(),
              (core::Message{"Message", "Do you want to set the number of correct and incorrect responses to zero?",
                             core::MessageIcon::Exclamation}));
    EXPECT_EQ(ClearSpreadsheetQuestion(),
              (core::Message{"Warning", "Click Yes to delete all the data in the spreadsheet.  Click No to cancel.",
                             core::MessageIcon::Critical}));
    EXPECT_EQ(CorrectAnswerMessage("A=1, D=2"),
              (core::Message{"Correct Answer", "A=1, D=2", core::MessageIcon::Information}));
}

TEST(ReadEntriesTest, EmptyOrNonNumericBoxesGiveNoEntryAndLevelZero)
{
    const QStringList texts{"12.5", "", "abc", " -3 ", "1,000", "1e3", "3.4e39"};
    const FactorEntries entries = ReadEntries(texts, QLocale::c());
    const FactorLevels levels = LevelsOf(entries);
    const std::optional<float> expected[] = {12.5F, std::nullopt, std::nullopt, -3.0F, std::nullopt, 1000.0F, std::nullopt};
    for (int i = 0; i < MaxPracticeFactors; ++i) {
        SCOPED_TRACE(texts.at(i).toStdString());
        EXPECT_EQ(entries[static_cast<std::size_t>(i)], expected[i]);
        EXPECT_EQ(levels[static_cast<std::size_t>(i)], expected[i].value_or(0.0F));
    }
    EXPECT_EQ(ReadEntries({"1,5"}, QLocale(QLocale::German))[0], 1.5F);
    EXPECT_FALSE(ReadEntries({"1"})[6].has_value()); // a box the window does not have
}

TEST(CheckLimitsTest, FirstFailingFactorInOrderLowerBeforeUpper)
{
    struct Case {
        const char* name;
        FactorLevels levels;
        int factorCount;
        const char* lower;
        const char* upper;
        int failing; // -1: passes
        const char* text;
    };
    const Case cases[] = {
        {"all inside", {0, 0, 0, 0, 0, 0, 0}, 6, "-500", "500", -1, ""},
        {"equal to the limits passes", {500, -500, 0, 0, 0, 0, 0}, 6, "-500", "500", -1, ""},
        {"A above", {600, 0, 0, 0, 0, 0, 0}, 6, "-500", "500", 0, "The value of factor A is greater than the upper limit."},
        {"B below", {0, -501, 0, 0, 0, 0, 0}, 6, "-500", "500", 1, "The value of factor B is less than the lower limit."},
        {"first failure wins", {0, 0, 600, -600, 0, 0, 0}, 6, "-500", "500", 2, "The value of factor C is greater than the upper limit."},
        {"G in a seven-factor window", {0, 0, 0, 0, 0, 0, 51}, 7, "-50", "50", 6, "The value of factor G is greater than the upper limit."},
        {"G not in a six-factor window", {0, 0, 0, 0, 0, 0, 51}, 6, "-500", "500", -1, ""},
        {"older window limits", {0, 0, 0, 0, -25.5F, 0, 0}, 7, "-25", "25", 4, "The value of factor E is less than the lower limit."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<LimitFailure> failure = CheckLimits(c.levels, c.factorCount, c.lower, c.upper);
        if (c.failing < 0) {
            EXPECT_FALSE(failure.has_value());
            continue;
        }
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->factor, c.failing);
        EXPECT_EQ(failure->message, (core::Message{"Input Error", c.text, core::MessageIcon::None}));
    }
}

TEST(ResponseRowCellsTest, ShownFactorsThenResult)
{
    FactorLevels levels{};
    levels[0] = 12.5F;
    levels[3] = -0.1F;
    levels[1] = 99;
    EXPECT_EQ(ResponseRowCells({"A", "D"}, levels, "1234.57", QLocale::c()), (QStringList{"12.5", "-0.1", "1234.57"}));
    EXPECT_EQ(ResponseRowCells({"A", "D"}, levels, "1", QLocale(QLocale::German)), (QStringList{"12,5", "-0,1", "1"}));
}

} // namespace
} // namespace zeltomir::practice
