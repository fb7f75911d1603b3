#include "practice/PracticeScore.h"

#include "core/NumberText.h"

#include <cstdint>
#include <limits>

namespace zeltomir::practice {
namespace {

// The counters are 16-bit; a counter at its top stays there rather than
// turning negative.
void CountOne(std::int16_t& counter)
{
    if (counter < std::numeric_limits<std::int16_t>::max())
        ++counter;
}

} // namespace

QString ScoreText(int correctCount, int incorrectCount, const QLocale& locale)
{
    const int answers = correctCount + incorrectCount;
    if (answers <= 0)
        return QStringLiteral("0%");
    const double percentage = core::RoundHalfEven(100.0 * correctCount / answers, 1);
    return core::GeneralForm(percentage, core::Precision::Double, locale) + QLatin1Char('%');
}

QString ScoreText(const PracticeProblem& problem, const QLocale& locale)
{
    return ScoreText(problem.CorrectCount, problem.IncorrectCount, locale);
}

core::Message RecordAnswer(PracticeProblem& problem, bool correct)
{
    if (problem.Answered == 0) {
        CountOne(correct ? problem.CorrectCount : problem.IncorrectCount);
        problem.Answered = 1;
    }
    return {QStringLiteral("Question Response"),
            QStringLiteral("Your response is ") + (correct ? QStringLiteral("Correct!") : QStringLiteral("Incorrect.")),
            core::MessageIcon::Information};
}

void ResetStatus(PracticeProblem& problem)
{
    problem.CorrectCount = 0;
    problem.IncorrectCount = 0;
}

core::Message GenerateQuestionNotice()
{
    return {QStringLiteral("Notice"),
            QStringLiteral("Another question has been generated.  The maximum factor levels that maximize the "
                           "response have been changed."),
            core::MessageIcon::Information};
}

core::Message ResetStatusQuestion()
{
    return {QStringLiteral("Message"),
            QStringLiteral("Do you want to set the number of correct and incorrect responses to zero?"),
            core::MessageIcon::Exclamation};
}

core::Message ClearSpreadsheetQuestion()
{
    return {QStringLiteral("Warning"),
            QStringLiteral("Click Yes to delete all the data in the spreadsheet.  Click No to cancel."),
            core::MessageIcon::Critical};
}

core::Message CorrectAnswerMessage(const QString& text)
{
    return {QStringLiteral("Correct Answer"), text, core::MessageIcon::Information};
}

} // namespace zeltomir::practice
