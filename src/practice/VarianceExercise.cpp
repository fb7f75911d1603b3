#include "practice/VarianceExercise.h"

#include "practice/LetteredAnswer.h"

namespace zeltomir::practice {

VarianceExercise::VarianceExercise(VarianceProblem& problem)
    : Exercise(ExerciseWindow::Variance, problem), m_problem(problem)
{
}

void VarianceExercise::drawQuestion(core::UniformSource& source, const QLocale& locale)
{
    DrawVarianceModel(m_problem.Model, advanced(), source, locale);
}

void VarianceExercise::computeAnswer()
{
    m_problem.AnswerText = VarianceAnswerText(m_problem.Model);
}

double VarianceExercise::simulate(const FactorLevels& levels, core::UniformSource& source)
{
    return SimulateVarianceResponse(m_problem.Model, levels, source);
}

bool VarianceExercise::judge(const FactorEntries& entries) const
{
    return JudgeLetteredAnswer(m_problem.AnswerText, entries, ToleranceRule::ByLetter);
}

QString VarianceExercise::answerView(const QLocale& locale) const
{
    return LetteredAnswerView(m_problem.AnswerText, false, locale);
}

QStringList VarianceExercise::shownFactors() const
{
    if (advanced())
        return AllFactors(config().factorCount);
    const VarianceModel& m = m_problem.Model;
    return SortedLetters({m.FirstFactor, m.SecondFactor, m.ThirdFactor});
}

QString VarianceExercise::problemText() const
{
    return m_problem.Model.ProblemText;
}

} // namespace zeltomir::practice
