#include "simplex/ProblemSetup.h"

#include "simplex/EngineSupport.h"
#include "simplex/InitialSimplex.h"
#include "simplex/SimplexMoves.h"
#include "simplex/SimplexTerms.h"
#include "simplex/VertexStatus.h"

#include "core/NumberText.h"

namespace zeltomir::simplex {

namespace {

Outcome Refused(const core::Message& message, Focus focus)
{
    return {{message}, focus, false};
}

// The objectives of a run depend on the target only for the target goal.
bool ScoringChanges(const core::OptimizationProblem& problem, const core::Choice<core::Goal>& goal, double target)
{
    if (goal != problem.Goal)
        return true;
    return core::AimsAtTarget(goal) && target != problem.TargetValue;
}

// The one way goal and target change. Objectives recorded in the old sense
// would make the best vertex the one to reflect away from, so a run under
// way is scored anew, with the snapshot that lets Undo bring the old goal back.
bool SetGoal(core::OptimizationProblem& problem, const core::Choice<core::Goal>& goal, double target,
             const EngineHooks& hooks)
{
    const bool rescore =
        ReadinessOf(problem) == StepReadiness::Ready && ScoringChanges(problem, goal, target);
    if (rescore && hooks.storeUndoSnapshot)
        hooks.storeUndoSnapshot();
    problem.Goal = goal;
    problem.TargetValue = target;
    if (rescore)
        RescoreObjectives(problem);
    return rescore;
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

int GoalOptionIndex(const core::Choice<core::Goal>& goal)
{
    switch (goal.kind()) {
    case core::Goal::Max:
        return 0;
    case core::Goal::Min:
        return 1;
    case core::Goal::Target:
    case core::Goal::Other:
        break;
    }
    return 2;
}

bool ChooseGoalOption(core::OptimizationProblem& problem, int index, const QString& targetText,
                      const EngineHooks& hooks, const QLocale& locale)
{
    // With several responses the simplex maximises their desirability; the
    // goal options do not apply.
    if (!problem.Responses.empty())
        return false;
    double target = problem.TargetValue;
    if (index == 2) {
        if (const std::optional<float> typed = core::ParseSingle(targetText, locale))
            target = *typed;
    }
    switch (index) {
    case 0:
        return SetGoal(problem, core::Goal::Max, target, hooks);
    case 1:
        return SetGoal(problem, core::Goal::Min, target, hooks);
    case 2:
        return SetGoal(problem, core::Goal::Target, target, hooks);
    default:
        return false;
    }
}

void RescoreObjectives(core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    // A failed vertex stays the worst under any goal (ScoreOf).
    for (int v = 1; v <= problem.NumVertices; ++v)
        problem.VertexHistory.at(k + 4, v) = ScoreOf(problem, v, problem.VertexHistory.value(k + 1, v));
    for (int r = 1; r <= k + 1; ++r)
        problem.Simplex.at(k + 4, r) = ScoreOf(problem, VertexNumberOfRow(problem, r), problem.Simplex.value(k + 1, r));
    problem.LastObjective = ScoreOf(problem, problem.NumVertices, problem.LastResult);
    RankRetainedRows(problem);
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
                                                const std::optional<GridText>& openGrid,
                                                const EngineHooks& hooks, const QLocale& locale)
{
    DefineInitialSimplexResult answer;
    // The target goal exactly: a goal text a file holds, scored as a target,
    // asks for no target here.
    if (problem.Goal == core::Goal::Target) {
        const std::optional<float> target = core::ParseSingle(targetText, locale);
        if (!target) {
            answer.outcome = Refused(Critical(DataInputError, QStringLiteral("The target response must be numeric.")),
                                     Focus::SetupTarget);
            return answer;
        }
        SetGoal(problem, problem.Goal, *target, hooks);
    }
    answer.outcome = CheckFactorCount(problem, countText, locale);
    if (!answer.outcome.ok)
        return answer;
    if (problem.NumFactors < 2) {
        answer.outcome = Refused(Critical(InputError, QStringLiteral("There must be at least 2 factors.")),
                                 Focus::SetupCount);
        return answer;
    }
    // A count raised since the factors were committed names factors that
    // still hold the start-up markers for limits; proposing levels between
    // them would put -9999999 and 9999999 on screen as if they were limits.
    for (int i = 1; i <= problem.NumFactors; ++i) {
        const core::Factor factor = FactorOf(problem, i);
        if (factor.LowerLimit == core::UndefinedLowerLimit && factor.UpperLimit == core::UndefinedUpperLimit) {
            answer.outcome = Refused(
                Critical(NoticeTitle, QStringLiteral("You must define the factors before the initial simplex.")),
                Focus::SetupCount);
            return answer;
        }
    }
    answer.grid = FillInitialSimplexGrid(problem, openGrid ? *openGrid : LoadInitialSimplexGrid(problem, locale),
                                         locale);
    problem.Stage = core::Stage::SeqSimplexInitialize;
    return answer;
}

} // namespace zeltomir::simplex
