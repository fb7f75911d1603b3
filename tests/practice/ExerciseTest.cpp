#include "ScriptedSource.h"

#include "practice/Exercise.h"
#include "practice/LetteredAnswer.h"
#include "practice/PracticeRecords.h"
#include "practice/ProblemStatements.h"

#include <gtest/gtest.h>

namespace zeltomir::practice {
namespace {

using testing::ScriptedSource;
using testing::SeededSource;

const std::vector<double> QuadraticScript{0.9, 0.2, 0.0625, 0.7, 0.375, 0.5, 0.25, 0.75, 0.5, 0.5, 0.25};

TEST(ExerciseTest, NewQuestionLayoutsByWindowAndLevel)
{
    struct Case {
        ExerciseWindow window;
        const char* level;
        QStringList headers;
    };
    const Case cases[] = {
        {ExerciseWindow::Target, "simple", {"A", "D", "Result"}},
        {ExerciseWindow::Target, "all", {"A", "B", "C", "D", "E", "F", "Result"}},
        {ExerciseWindow::Scrap, "simple", {"A", "D", "Result"}},
        {ExerciseWindow::Scrap, "advanced", {"A", "D", "Result"}}, // only "all" is advanced
        {ExerciseWindow::Variance, "simple", {"A", "D", "E", "Result"}},
        {ExerciseWindow::Variance, "all", {"A", "B", "C", "D", "E", "F", "G", "Result"}},
        {ExerciseWindow::OlderVariance, "", {"A", "D", "E", "Result"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(WindowConfig(c.window).objectName.toStdString() + " " + c.level);
        PracticeRecords records;
        auto exercise = MakeExercise(c.window, records);
        exercise->record().PracticeLevel = c.level;
        exercise->record().Answered = 1;
        SeededSource source(3);
        const QuestionLayout layout = exercise->newQuestion(source, QLocale::c());
        EXPECT_EQ(layout.gridHeaders, c.headers);
        EXPECT_EQ(exercise->record().Answered, 0);
        EXPECT_GT(exercise->viewAnswer(QLocale::c()).text.size(), 8);
        EXPECT_FALSE(layout.problemText.isEmpty());
    }
}

TEST(ExerciseTest, TargetQuestionComputesItsAnswerWithoutFurtherDraws)
{
    PracticeRecords records;
    auto target = MakeExercise(ExerciseWindow::Target, records);
    ScriptedSource source(QuadraticScript);
    const QuestionLayout layout = target->newQuestion(source, QLocale::c());
    EXPECT_EQ(source.drawn(), 11U);
    EXPECT_EQ(layout.problemText, TargetSimpleStatement());
    EXPECT_GT(records.Target.OptimalResponse, 5500);
    EXPECT_TRUE(records.Target.AnswerText.startsWith("A"));

    records.Target.PracticeLevel = "all";
    ScriptedSource advanced({0.5, 0.9, 0.2, 0.0625, 0.7, 0.375, 0.5, 0.25, 0.75, 0.5, 0.5, 0.25});
    EXPECT_EQ(target->newQuestion(advanced, QLocale::c()).problemText, TargetDesignTimeStatement());
    EXPECT_EQ(records.Target.Model.FirstFactor, "B");
    EXPECT_EQ(records.Target.Model.SecondFactor, "F");
}

TEST(ExerciseTest, VarianceQuestionRunsAWholeResponse)
{
    PracticeRecords records;
    auto variance = MakeExercise(ExerciseWindow::Variance, records);
    // Nine numbers for the question, four for the noise of the response at level 0.
    ScriptedSource source({0.9, 0.5, 0.5, 0.7, 0.8, 0.3, 0.7, 0.9, 0.5, 0.1, 0.5, 0.2, 0.5});
    variance->newQuestion(source, QLocale::c());
    EXPECT_EQ(source.drawn(), 13U);
    EXPECT_EQ(source.seeds().size(), 1U);
    EXPECT_EQ(records.Variance.AnswerText, "A-40D-35E-25H");
    EXPECT_TRUE(records.Variance.Robust.AnswerText.isEmpty()); // the older window's answer is its own
}

TEST(ExerciseTest, ComputeResponseChecksTheLimitsFirst)
{
    struct Case {
        ExerciseWindow window;
        QStringList boxes;
        int failing;
    };
    const Case cases[] = {
        {ExerciseWindow::Target, {"600"}, 0},
        {ExerciseWindow::Target, {"500", "-500"}, -1},
        {ExerciseWindow::Target, {"0", "", "x", "0", "0", "-500.5"}, 5}, // hidden factors take part
        {ExerciseWindow::Scrap, {"0", "501"}, 1},
        {ExerciseWindow::Variance, {"0", "0", "0", "0", "0", "0", "50.01"}, 6},
        {ExerciseWindow::OlderVariance, {"26"}, 0},
        {ExerciseWindow::OlderVariance, {"25", "-25"}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.boxes.join("|").toStdString());
        PracticeRecords records;
        auto exercise = MakeExercise(c.window, records);
        SeededSource source(11);
        exercise->newQuestion(source, QLocale::c());
        const ResponseOutcome outcome = exercise->computeResponse(c.boxes, source, QLocale::c());
        if (c.failing < 0) {
            EXPECT_FALSE(outcome.limitFailure.has_value());
            EXPECT_FALSE(outcome.rowCells.isEmpty());
        } else {
            ASSERT_TRUE(outcome.limitFailure.has_value());
            EXPECT_EQ(outcome.limitFailure->factor, c.failing);
            EXPECT_TRUE(outcome.rowCells.isEmpty());
        }
    }
}

TEST(ExerciseTest, RowCellsHoldTheShownLevelsAndThePicturedResponse)
{
    PracticeRecords records;
    auto target = MakeExercise(ExerciseWindow::Target, records);
    ScriptedSource question(QuadraticScript);
    target->newQuestion(question, QLocale::c());
    // An empty A box counts as 0; the hidden B box is ignored by the model.
    ScriptedSource noise({0.0, std::exp(-0.5)});
    const ResponseOutcome outcome = target->computeResponse({"", "400", "", "12.25"}, noise, QLocale::c());
    ASSERT_FALSE(outcome.limitFailure.has_value());
    ASSERT_EQ(outcome.rowCells.size(), 3);
    EXPECT_EQ(outcome.rowCells[0], "0");
    EXPECT_EQ(outcome.rowCells[1], "12.25");
    const double expected = QuadraticResponse(records.Target.Model, 0, 12.25F) + 7;
    EXPECT_NEAR(outcome.response.raw, expected, 1e-9);
    EXPECT_NEAR(outcome.response.value, expected, 0.005 + 1e-3);
    EXPECT_EQ(outcome.rowCells[2], outcome.response.text);
}

TEST(ExerciseTest, ResponsesFollowTheWindowPicture)
{
    struct Case {
        ExerciseWindow window;
        double raw;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {ExerciseWindow::Target, 1234.567, 1234.57F, "1234.57"},
        {ExerciseWindow::Target, 0.5, 0.5, "0.5"},
        {ExerciseWindow::Target, -0.001, 0, "0"},
        {ExerciseWindow::Scrap, 505.4, 505, "505"},
        {ExerciseWindow::Scrap, 505.5, 506, "506"},
        {ExerciseWindow::Variance, 12.34567, 12.346F, "12.346"},
        {ExerciseWindow::Variance, 0.5, 0.5, ".5"},
        {ExerciseWindow::Variance, 5, 5, "5."},
        {ExerciseWindow::OlderVariance, -3.2, -3.2F, "-3.2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PracticeRecords records;
        auto exercise = MakeExercise(c.window, records);
        const SimulatedResponse response = exercise->formatResponse(c.raw, QLocale::c());
        EXPECT_EQ(response.text, c.text);
        EXPECT_FLOAT_EQ(static_cast<float>(response.value), static_cast<float>(c.value));
    }
    PracticeRecords records;
    EXPECT_EQ(MakeExercise(ExerciseWindow::Variance, records)->formatResponse(2.25, QLocale(QLocale::German)).text,
              "2,25");
}

TEST(ExerciseTest, CheckAnswerJudgesAndCountsTheFirstCheckOnly)
{
    PracticeRecords records;
    auto target = MakeExercise(ExerciseWindow::Target, records);
    ScriptedSource question(QuadraticScript);
    target->newQuestion(question, QLocale::c());
    const QuadraticAnswerLevels answer = AnswerLevels(records.Target.Model, records.Target.AnswerText);
    const QString a = QString::number(answer.first, 'g', 9);
    const QString d = QString::number(answer.second, 'g', 9);

    EXPECT_EQ(target->checkAnswer({"-400", "", "", "300"}, QLocale::c()).text, "Your response is Incorrect.");
    EXPECT_EQ(target->checkAnswer({a, "", "", d}, QLocale::c()).text, "Your response is Correct!");
    EXPECT_EQ(records.Target.IncorrectCount, 1);
    EXPECT_EQ(records.Target.CorrectCount, 0);
    EXPECT_EQ(target->scoreText(QLocale::c()), "0%");
    // View Answer changes nothing.
    const core::Message view = target->viewAnswer(QLocale::c());
    EXPECT_EQ(view.title, "Correct Answer");
    EXPECT_EQ(view.icon, core::MessageIcon::Information);
    EXPECT_TRUE(view.text.startsWith("A="));
    EXPECT_EQ(records.Target.Answered, 1);
}

TEST(ExerciseTest, KindsKeepSeparateRecordsAndVarianceWindowsShareOne)
{
    PracticeRecords records;
    auto target = MakeExercise(ExerciseWindow::Target, records);
    auto scrap = MakeExercise(ExerciseWindow::Scrap, records);
    auto variance = MakeExercise(ExerciseWindow::Variance, records);
    auto older = MakeExercise(ExerciseWindow::OlderVariance, records);
    SeededSource source(17);
    target->newQuestion(source, QLocale::c());
    scrap->newQuestion(source, QLocale::c());
    EXPECT_NE(records.Target.Model, records.Scrap.Model);
    target->checkAnswer({}, QLocale::c());
    EXPECT_EQ(records.Scrap.CorrectCount + records.Scrap.IncorrectCount, 0);

    variance->newQuestion(source, QLocale::c());
    older->newQuestion(source, QLocale::c());
    variance->checkAnswer({}, QLocale::c());
    older->checkAnswer({}, QLocale::c()); // same question record: already answered
    EXPECT_EQ(records.Variance.IncorrectCount, 1);
    EXPECT_EQ(&older->record(), &variance->record());
    // Each variance window judges and shows its own answer.
    EXPECT_EQ(variance->viewAnswer(QLocale::c()).text, LetteredAnswerView(records.Variance.AnswerText, false, QLocale::c()));
    EXPECT_EQ(older->viewAnswer(QLocale::c()).text, LetteredAnswerView(records.Variance.Robust.AnswerText, true, QLocale::c()));
}

TEST(ExerciseTest, SimpleLevelShowsTheLettersOfAnOpenedQuestion)
{
    PracticeRecords records;
    auto target = MakeExercise(ExerciseWindow::Target, records);
    records.Target.Model.FirstFactor = "B";
    records.Target.Model.SecondFactor = "E";
    EXPECT_EQ(target->layout().gridHeaders, (QStringList{"B", "E", "Result"}));
}

} // namespace
} // namespace zeltomir::practice
