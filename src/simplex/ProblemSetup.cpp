#include "simplex/ProblemSetup.h"

#include "simplex/EngineSupport.h"
#include "simplex/InitialSimplex.h"

#include "core/NumberText.h"

namespace zeltomir::simplex {

namespace {

Outcome Refused(const core::Message& message, Focus focus)
{
    return {{message}, focus, false};
}

} // namespace

Outcome CheckFactorCount(core::OptimizationProblem& problem, const QString& countText, const QLocale& locale)
{
    const core::Message notInteger = Critical(InputError, QStringLiteral("The number of factors must be an integer."));
    const std::optional<float> count = core::ParseSingle(countText, locale);
    if (!count)
        return Refused(notInteger, Focus::SetupCount);
    const std::optional<std::int16_t> whole = core::RoundToInt16(*count);
    // Beyond the 16-bit range: a huge count is above any maximum, and a huge
    // negative one cannot be held at all.
    if (!whole && *count < 0)
        return Refused(notInteger, Focus::SetupCount);
    if (!whole || *whole > problem.MaxFactors)
        return Refused(Critical(InputError, QStringLiteral("The maximum number of factors allowed is %1.")
                                                .arg(problem.MaxFactors)),
                       Focus::SetupCount);
    problem.NumFactors = *whole;
    return {};
}

int GoalOptionIndex(const QString& goal)
{
    if (goal == QLatin1String("max"))
        return 0;
    if (goal == QLatin1String("min"))
        return 1;
    return 2;
}

void ChooseGoalOption(core::OptimizationProblem& problem, int index, const QString& targetText, const QLocale& locale)
{
    if (index == 0) {
        problem.Goal = QStringLiteral("max");
    } else if (index == 1) {
        problem.Goal = QStringLiteral("min");
    } else if (index == 2) {
        problem.Goal = QStringLiteral("mid");
        if (const std::optional<float> target = core::ParseSingle(targetText, locale))
            problem.TargetValue = *target;
    }
}

void ChooseStepType(core::OptimizationProblem& problem, int index)
{
    problem.StepType = index == 1 ? QStringLiteral("Fixed") : QStringLiteral("Variable");
}

QString TargetText(const core::OptimizationProblem& problem, const QLocale& locale)
{
    return core::GeneralForm(problem.TargetValue, core::Precision::Double, locale);
}

DefineInitialSimplexResult DefineInitialSimplex(core::OptimizationProblem& problem, const QString& countText,
                                                const QString& targetText,
                                                const std::optional<GridText>& openGrid, const QLocale& locale)
{
    DefineInitialSimplexResult answer;
    if (problem.Goal == QLatin1String("mid")) {
        const std::optional<float> target = core::ParseSingle(targetText, locale);
        if (!target) {
            answer.outcome = Refused(Critical(DataInputError, QStringLiteral("The target response must be numeric.")),
                                     Focus::SetupTarget);
            return answer;
        }
        problem.TargetValue = *target;
    }
    answer.outcome = CheckFactorCount(problem, countText, locale);
    if (!answer.outcome.ok)
        return answer;
    if (problem.NumFactors < 2) {
        answer.outcome = Refused(Critical(InputError, QStringLiteral("There must be at least 2 factors.")),
                                 Focus::SetupCount);
        return answer;
    }
    answer.grid = FillInitialSimplexGrid(problem, openGrid ? *openGrid : LoadInitialSimplexGrid(problem, locale),
                                         locale);
    problem.Stage = QStringLiteral("SeqSimplexInitialize");
    return answer;
}

} // namespace zeltomir::simplex
