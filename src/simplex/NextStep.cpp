#include "simplex/NextStep.h"

#include "simplex/EngineSupport.h"
#include "simplex/Desirability.h"
#include "simplex/MeasureAgain.h"
#include "simplex/ResponseSetup.h"
#include "simplex/StepRules.h"
#include "simplex/TrialDisplay.h"
#include "simplex/VertexStatus.h"

#include "core/NumberText.h"

#include <optional>
#include <vector>

namespace zeltomir::simplex {

namespace {

// Everything the step needs, checked before anything changes; the first
// failure as its message, with the levels read when all is well.
// A failed trial has no result to check, and a vertex measured again keeps
// the levels it was run at, whatever the cells hold.
std::optional<core::Message> CheckStepInput(const core::OptimizationProblem& problem, const StepInput& input,
                                            const QLocale& locale, std::vector<double>& levels,
                                            std::optional<float>& result, std::vector<float>& responses,
                                            Focus& focus, bool failed = false)
{
    focus = Focus::StepsResult;
    switch (ReadinessOf(problem)) {
    case StepReadiness::NoInitialSimplex:
        return NoFittingSimplexMessage(problem);
    case StepReadiness::NotBegun:
        return BeginOptimizationFirst();
    case StepReadiness::Ready:
        break;
    }
    if (!problem.Responses.empty() && !failed) {
        if (auto refusal = ReadResponseValues(problem, input.responses, locale, responses))
            return refusal;
        result = SingleOf(OverallDesirability(problem.Responses, {responses.begin(), responses.end()}));
    } else {
        result = failed ? std::optional<float>(0.0f) : core::ParseSingle(input.result, locale);
    }
    if (!result)
        return Critical(DataInputError, QStringLiteral("The result must be numeric."));
    if (problem.NumVertices >= MaxVertices)
        return Critical(NoticeTitle, QStringLiteral("The vertex history is full.  No more than %1 vertices can be "
                                                    "recorded for one problem.").arg(MaxVertices));
    if (PendingAgain(problem))
        return std::nullopt;
    focus = Focus::StepsLevels;
    for (int i = 1; i <= problem.NumFactors; ++i) {
        const core::Factor factor = FactorOf(problem, i);
        const std::optional<double> level = ReadDouble(input.levels.value(i - 1), locale);
        if (!level)
            return Critical(DataInputError,
                            QStringLiteral("The level of factor %1 is not numeric.").arg(factor.FactorName));
        if (LimitsCoincide(factor))
            return EqualLimitsMessage(factor.FactorName);
        if (const std::optional<QString> refusal = LevelRefusal(factor, *level, locale))
            return Critical(DataInputError, QStringLiteral("The level of factor %1 ").arg(factor.FactorName) + *refusal);
        levels.push_back(*level);
    }
    return std::nullopt;
}

// The record response keeps the lowest result when maximising and the
// highest when minimising; for a target it only ever takes a result that
// hits the target. Compared at single precision.
void UpdateRecordResponse(core::OptimizationProblem& problem, float result)
{
    const float record = SingleOf(problem.RecordResponse);
    if (core::AimsAtTarget(problem.Goal)) {
        if (result == SingleOf(problem.TargetValue))
            problem.RecordResponse = result;
    } else if (problem.Goal == core::Goal::Max) {
        if (record > result)
            problem.RecordResponse = result;
    } else if (record < result) {
        problem.RecordResponse = result;
    }
}

StepsOutcome RecordTrial(core::OptimizationProblem& problem, core::RunTimeState& runTime, const StepInput& input,
                         const EngineHooks& hooks, const QLocale& locale, bool failed)
{
    StepsOutcome answer;
    std::vector<double> levels;
    std::optional<float> result;
    std::vector<float> responses;
    // A refused step stores no snapshot: the snapshot on disk is the one that
    // undoes the last result entered, and it must survive a slip of the key.
    if (const auto refusal = CheckStepInput(problem, input, locale, levels, result, responses, answer.outcome.focus,
                                              failed)) {
        answer.outcome.ok = false;
        answer.outcome.messages.push_back(*refusal);
        return answer;
    }
    if (failed && hooks.confirm && !hooks.confirm(TrialFailedQuestion())) {
        answer.outcome.ok = false;
        return answer;
    }

    problem.FirstStepPending = QStringLiteral("no");
    problem.Stage = core::Stage::Steps;
    if (hooks.storeUndoSnapshot)
        hooks.storeUndoSnapshot();
    runTime.Modified = QStringLiteral("yes");
    // A failed trial has no result for the record to keep.
    if (!failed)
        UpdateRecordResponse(problem, *result);
    // The values of the vertex the step records (a failed trial has none);
    // its objective is scored from them.
    if (!problem.Responses.empty())
        StoreVertexResponses(problem, problem.NumVertices + 1, responses);
    Trial trial;
    if (PendingAgain(problem)) {
        RecordAgain(problem, *result, failed);
        trial = TrialOnShow(problem, true, locale);
    } else {
        trial = TrialOnShow(problem, AdvanceStep(problem, *result, levels, failed), locale);
    }
    problem.OutOfLimits = QStringLiteral("n");
    answer.outcome.focus = Focus::StepsResult;
    answer.steps = StepsContent{std::nullopt, std::move(trial)};
    return answer;
}

} // namespace

core::Message TrialFailedQuestion()
{
    return {QStringLiteral("Warning!"),
            QStringLiteral("Record the trial on show as failed?  The simplex will treat it as the worst result."),
            core::MessageIcon::Question};
}

StepsOutcome NextStep(core::OptimizationProblem& problem, core::RunTimeState& runTime, const StepInput& input,
                      const EngineHooks& hooks, const QLocale& locale)
{
    return RecordTrial(problem, runTime, input, hooks, locale, false);
}

StepsOutcome TrialFailed(core::OptimizationProblem& problem, core::RunTimeState& runTime, const StepInput& input,
                         const EngineHooks& hooks, const QLocale& locale)
{
    return RecordTrial(problem, runTime, input, hooks, locale, true);
}

} // namespace zeltomir::simplex
