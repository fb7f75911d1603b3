#include "practice/Exercise.h"

#include "core/NumberText.h"
#include "practice/PracticeRecords.h"
#include "practice/PracticeRoutines.h"
#include "practice/PracticeScore.h"
#include "practice/QuadraticExercise.h"
#include "practice/RobustExercise.h"
#include "practice/VarianceExercise.h"

#include <algorithm>

namespace zeltomir::practice {

Exercise::Exercise(ExerciseWindow window, PracticeProblem& record) : m_window(window), m_record(record) {}

const ExerciseWindowConfig& Exercise::config() const
{
    return WindowConfig(m_window);
}

QuestionLayout Exercise::newQuestion(core::UniformSource& source, const QLocale& locale)
{
    m_record.Answered = 0;
    drawQuestion(source, locale);
    if (config().questionRunsResponse)
        computeResponse(QStringList(), source, locale);
    else
        computeAnswer();
    return layout();
}

QuestionLayout Exercise::layout() const
{
    QuestionLayout layout;
    layout.shownFactors = shownFactors();
    layout.gridHeaders = layout.shownFactors;
    layout.gridHeaders.append(QStringLiteral("Result"));
    layout.problemText = problemText();
    return layout;
}

ResponseOutcome Exercise::computeResponse(const QStringList& boxTexts, core::UniformSource& source,
                                          const QLocale& locale)
{
    ResponseOutcome outcome;
    const FactorLevels levels = LevelsOf(ReadEntries(boxTexts, locale));
    const ExerciseWindowConfig& c = config();
    outcome.limitFailure = CheckLimits(levels, c.factorCount, c.lowerLimit, c.upperLimit);
    if (outcome.limitFailure)
        return outcome;
    computeAnswer();
    outcome.response = formatResponse(simulate(levels, source), locale);
    outcome.rowCells = ResponseRowCells(shownFactors(), levels, outcome.response.text, locale);
    return outcome;
}

core::Message Exercise::checkAnswer(const QStringList& boxTexts, const QLocale& locale)
{
    return RecordAnswer(m_record, judge(ReadEntries(boxTexts, locale)));
}

core::Message Exercise::viewAnswer(const QLocale& locale) const
{
    return CorrectAnswerMessage(answerView(locale));
}

QString Exercise::scoreText(const QLocale& locale) const
{
    return ScoreText(m_record, locale);
}

SimulatedResponse Exercise::formatResponse(double raw, const QLocale& locale) const
{
    const ExerciseWindowConfig& c = config();
    SimulatedResponse response;
    response.raw = raw;
    // The picture text in "." form reads back exactly in any locale.
    const float pictured = ToSingle(core::LeadingNumber(core::FormatPicture(raw, c.responsePicture, QLocale::c())));
    response.value = pictured;
    response.text = c.responseReadBack ? core::GeneralForm(pictured, core::Precision::Single, locale)
                                       : core::FormatPicture(raw, c.responsePicture, locale);
    return response;
}

std::unique_ptr<Exercise> MakeExercise(ExerciseWindow window, PracticeRecords& records)
{
    switch (window) {
    case ExerciseWindow::Target:
        return std::make_unique<QuadraticExercise>(window, records.Target);
    case ExerciseWindow::Scrap:
        return std::make_unique<QuadraticExercise>(window, records.Scrap);
    case ExerciseWindow::Variance:
        return std::make_unique<VarianceExercise>(records.Variance);
    case ExerciseWindow::OlderVariance:
        return std::make_unique<RobustExercise>(records.Variance);
    }
    return nullptr;
}

QStringList AllFactors(int count)
{
    QStringList letters;
    for (int i = 0; i < count && i < MaxPracticeFactors; ++i)
        letters.append(FactorLetter(i));
    return letters;
}

QStringList SortedLetters(QStringList letters)
{
    std::sort(letters.begin(), letters.end());
    letters.erase(std::unique(letters.begin(), letters.end()), letters.end());
    return letters;
}

} // namespace zeltomir::practice
