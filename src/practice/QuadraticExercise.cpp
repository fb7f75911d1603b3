#include "practice/QuadraticExercise.h"

#include "practice/ProblemStatements.h"

namespace zeltomir::practice {

QuadraticExercise::QuadraticExercise(ExerciseWindow window, QuadraticProblem& problem)
    : Exercise(window, problem), m_problem(problem)
{
}

void QuadraticExercise::drawQuestion(core::UniformSource& source, const QLocale&)
{
    DrawQuadraticModel(m_problem.Model, advanced(), source);
}

void QuadraticExercise::computeAnswer()
{
    ComputeQuadraticAnswer(m_problem);
}

double QuadraticExercise::simulate(const FactorLevels& levels, core::UniformSource& source)
{
    return window() == ExerciseWindow::Scrap ? SimulateScrapRate(m_problem, levels, source)
                                             : SimulateTargetResponse(m_problem, levels, source);
}

bool QuadraticExercise::judge(const FactorEntries& entries) const
{
    return JudgeQuadratic(m_problem, LevelsOf(entries));
}

QString QuadraticExercise::answerView(const QLocale& locale) const
{
    return QuadraticAnswerView(m_problem, locale);
}

QStringList QuadraticExercise::shownFactors() const
{
    // At the simple level a new question's letters are A and D; an opened
    // exercise file may bring others, and those are the ones to show.
    if (advanced())
        return AllFactors(config().factorCount);
    return SortedLetters({m_problem.Model.FirstFactor, m_problem.Model.SecondFactor});
}

QString QuadraticExercise::problemText() const
{
    if (window() == ExerciseWindow::Scrap)
        return ScrapStatement(advanced());
    if (advanced())
        return TargetDesignTimeStatement();
    return TargetSimpleStatement(m_problem.Model.FirstFactor, m_problem.Model.SecondFactor);
}

} // namespace zeltomir::practice
