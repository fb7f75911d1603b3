#include "simplex/CorrectResult.h"

#include "simplex/EngineSupport.h"
#include "simplex/MeasureAgain.h"
#include "simplex/TrialDisplay.h"
#include "simplex/VertexStatus.h"

#include "core/NumberText.h"

namespace zeltomir::simplex {

namespace {

std::optional<core::Message> Refusal(const core::OptimizationProblem& problem, int vertex,
                                     const std::optional<float>& value)
{
    switch (ReadinessOf(problem)) {
    case StepReadiness::NoInitialSimplex:
        return NoFittingSimplexMessage(problem);
    case StepReadiness::NotBegun:
        return core::Message{NoticeTitle, CorrectionBeforeBegin, core::MessageIcon::Information};
    case StepReadiness::Ready:
        break;
    }
    // One value cannot stand for several responses: the result is their D.
    if (!problem.Responses.empty())
        return core::Message{NoticeTitle, CorrectionOfSeveralResponses, core::MessageIcon::Information};
    if (vertex < 1 || vertex > problem.NumVertices)
        return Critical(InputError, QStringLiteral("There is no vertex %1.").arg(vertex));
    if (!value)
        return Critical(DataInputError, QStringLiteral("The result must be numeric."));
    if (StepInProgress(problem) && (SimplexRowOf(problem, vertex) != 0 || vertex == problem.NumVertices))
        return core::Message{NoticeTitle, FinishStepBeforeCorrection, core::MessageIcon::Exclamation};
    return std::nullopt;
}

} // namespace

StepsOutcome CorrectResult(core::OptimizationProblem& problem, core::RunTimeState& runTime, int vertex,
                           const QString& result, const EngineHooks& hooks, const QLocale& locale)
{
    StepsOutcome answer;
    const std::optional<float> value = core::ParseSingle(result, locale);
    if (const std::optional<core::Message> refusal = Refusal(problem, vertex, value)) {
        answer.outcome.ok = false;
        answer.outcome.messages.push_back(*refusal);
        return answer;
    }
    if (hooks.storeUndoSnapshot)
        hooks.storeUndoSnapshot();
    runTime.Modified = QStringLiteral("yes");

    const int k = problem.NumFactors;
    core::Matrix& history = problem.VertexHistory;
    const std::optional<int> pending = PendingAgain(problem);
    switch (StatusOf(problem, vertex)) {
    case VertexStatus::Failed:
        SetStatus(problem, vertex, VertexStatus::Measured);
        break;
    case VertexStatus::Measured:
        SetStatus(problem, vertex, VertexStatus::Corrected, history.value(k + 1, vertex));
        break;
    case VertexStatus::Corrected:
        break;
    }
    if (pending)
        MarkPendingAgain(problem, *pending); // a status set anew drops the mark
    const double objective = ScoreOf(problem, vertex, *value);
    history.at(k + 1, vertex) = *value;
    history.at(k + 4, vertex) = objective;

    const int row = SimplexRowOf(problem, vertex);
    if (row == 0) {
        answer.outcome.messages.push_back({NoticeTitle, CorrectionRecorded, core::MessageIcon::Information});
        return answer;
    }
    problem.Simplex.at(k + 1, row) = *value;
    problem.Simplex.at(k + 4, row) = objective;
    ProposeFromRescoredSimplex(problem);
    answer.outcome.focus = Focus::StepsResult;
    answer.steps = StepsContent{std::nullopt, ReopenedSteps(problem, locale).trial};
    return answer;
}

} // namespace zeltomir::simplex
