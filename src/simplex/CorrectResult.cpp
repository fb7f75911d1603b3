#include "simplex/CorrectResult.h"

#include "simplex/EngineSupport.h"
#include "simplex/MeasureAgain.h"
#include "simplex/ResponseSetup.h"
#include "simplex/TrialDisplay.h"
#include "simplex/VertexStatus.h"

#include "core/NumberText.h"

namespace zeltomir::simplex {

namespace {

std::optional<core::Message> RunRefusal(const core::OptimizationProblem& problem)
{
    switch (ReadinessOf(problem)) {
    case StepReadiness::NoInitialSimplex:
        return NoFittingSimplexMessage(problem);
    case StepReadiness::NotBegun:
        return core::Message{NoticeTitle, CorrectionBeforeBegin, core::MessageIcon::Information};
    case StepReadiness::Ready:
        break;
    }
    return std::nullopt;
}

std::optional<core::Message> VertexRefusal(const core::OptimizationProblem& problem, int vertex)
{
    if (vertex < 1 || vertex > problem.NumVertices)
        return Critical(InputError, QStringLiteral("There is no vertex %1.").arg(vertex));
    return std::nullopt;
}

// A vertex of the simplex still being stepped from cannot change under the step.
std::optional<core::Message> StepRefusal(const core::OptimizationProblem& problem, int vertex)
{
    if (StepInProgress(problem) && (SimplexRowOf(problem, vertex) != 0 || vertex == problem.NumVertices))
        return core::Message{NoticeTitle, FinishStepBeforeCorrection, core::MessageIcon::Exclamation};
    return std::nullopt;
}

std::optional<core::Message> FailedRefusal(const core::OptimizationProblem& problem, int vertex)
{
    if (StatusOf(problem, vertex) == VertexStatus::Failed)
        return core::Message{NoticeTitle,
                             QStringLiteral("Vertex %1 failed, so it has no values to correct.").arg(vertex),
                             core::MessageIcon::Information};
    return std::nullopt;
}

std::optional<core::Message> ResultRefusal(const core::OptimizationProblem& problem, int vertex,
                                           const std::optional<float>& value)
{
    if (auto refusal = RunRefusal(problem))
        return refusal;
    // One value cannot stand for several responses: the result is their D.
    if (!problem.Responses.empty())
        return core::Message{NoticeTitle, CorrectionOfSeveralResponses, core::MessageIcon::Information};
    if (auto refusal = VertexRefusal(problem, vertex))
        return refusal;
    if (!value)
        return Critical(DataInputError, QStringLiteral("The result must be numeric."));
    return StepRefusal(problem, vertex);
}

std::optional<core::Message> ResponseRefusal(const core::OptimizationProblem& problem, int vertex, int response,
                                             const std::optional<float>& value)
{
    if (auto refusal = RunRefusal(problem))
        return refusal;
    if (response < 1 || response > static_cast<int>(problem.Responses.size()))
        return Critical(InputError, QStringLiteral("There is no response %1.").arg(response));
    if (auto refusal = VertexRefusal(problem, vertex))
        return refusal;
    if (auto refusal = FailedRefusal(problem, vertex))
        return refusal;
    const QString& name = problem.Responses[static_cast<std::size_t>(response - 1)].name;
    if (!value)
        return Critical(DataInputError, QStringLiteral("The result of %1 must be numeric.").arg(name));
    return StepRefusal(problem, vertex);
}

StepsOutcome Refused(const core::Message& refusal)
{
    StepsOutcome answer;
    answer.outcome.ok = false;
    answer.outcome.messages.push_back(refusal);
    return answer;
}

// Records the correction, then gives the vertex the result newResult
// answers (called once the first result is kept) and scores it anew.
template <typename NewResult>
StepsOutcome Correct(core::OptimizationProblem& problem, core::RunTimeState& runTime, int vertex,
                     const EngineHooks& hooks, const QLocale& locale, NewResult newResult)
{
    StepsOutcome answer;
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
    const float value = newResult();
    const double objective = ScoreOf(problem, vertex, value);
    history.at(k + 1, vertex) = value;
    history.at(k + 4, vertex) = objective;

    const int row = SimplexRowOf(problem, vertex);
    if (row == 0) {
        answer.outcome.messages.push_back({NoticeTitle, CorrectionRecorded, core::MessageIcon::Information});
        return answer;
    }
    problem.Simplex.at(k + 1, row) = value;
    problem.Simplex.at(k + 4, row) = objective;
    ProposeFromRescoredSimplex(problem);
    answer.outcome.focus = Focus::StepsResult;
    answer.steps = StepsContent{std::nullopt, ReopenedSteps(problem, locale).trial};
    return answer;
}

} // namespace

std::optional<core::Message> CorrectionRefusal(const core::OptimizationProblem& problem, int vertex)
{
    if (auto refusal = RunRefusal(problem))
        return refusal;
    if (auto refusal = VertexRefusal(problem, vertex))
        return refusal;
    if (!problem.Responses.empty()) {
        if (auto refusal = FailedRefusal(problem, vertex))
            return refusal;
    }
    return StepRefusal(problem, vertex);
}

StepsOutcome CorrectResult(core::OptimizationProblem& problem, core::RunTimeState& runTime, int vertex,
                           const QString& result, const EngineHooks& hooks, const QLocale& locale)
{
    const std::optional<float> value = core::ParseSingle(result, locale);
    if (const std::optional<core::Message> refusal = ResultRefusal(problem, vertex, value))
        return Refused(*refusal);
    return Correct(problem, runTime, vertex, hooks, locale, [&value] { return *value; });
}

StepsOutcome CorrectResponse(core::OptimizationProblem& problem, core::RunTimeState& runTime, int vertex,
                             int response, const QString& value, const EngineHooks& hooks, const QLocale& locale)
{
    const std::optional<float> typed = core::ParseSingle(value, locale);
    if (const std::optional<core::Message> refusal = ResponseRefusal(problem, vertex, response, typed))
        return Refused(*refusal);
    return Correct(problem, runTime, vertex, hooks, locale, [&] {
        problem.VertexResponses.at(response, vertex) = *typed;
        return ResultOfResponses(problem, vertex);
    });
}

} // namespace zeltomir::simplex
