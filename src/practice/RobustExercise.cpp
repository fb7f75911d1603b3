#include "practice/RobustExercise.h"

#include "practice/LetteredAnswer.h"

namespace zeltomir::practice {

RobustExercise::RobustExercise(VarianceProblem& problem)
    : Exercise(ExerciseWindow::OlderVariance, problem), m_problem(problem)
{
}

void RobustExercise::drawQuestion(core::UniformSource& source, const QLocale& locale)
{
    DrawRobustModel(m_problem.Robust, advanced(), source, locale);
}

void RobustExercise::computeAnswer()
{
    ComputeRobustAnswer(m_problem.Robust);
}

double RobustExercise::simulate(const FactorLevels& levels, core::UniformSource& source)
{
    return SimulateRobustResponse(m_problem.Robust, levels, source);
}

bool RobustExercise::judge(const FactorEntries& entries) const
{
    return JudgeLetteredAnswer(m_problem.Robust.AnswerText, entries, ToleranceRule::RelativeOrAbsolute);
}

QString RobustExercise::answerView(const QLocale& locale) const
{
    // This window keeps the final ", " of the list.
    return LetteredAnswerView(m_problem.Robust.AnswerText, true, locale);
}

QStringList RobustExercise::shownFactors() const
{
    if (advanced())
        return AllFactors(config().factorCount);
    const RobustModel& m = m_problem.Robust;
    return SortedLetters({m.FirstFactor, m.SecondFactor, m.ThirdFactor});
}

QString RobustExercise::problemText() const
{
    return m_problem.Robust.ProblemText;
}

} // namespace zeltomir::practice
