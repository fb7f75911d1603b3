#include "simplex/ResponseSetup.h"

#include "simplex/Desirability.h"
#include "simplex/EngineSupport.h"
#include "simplex/ProblemSetup.h"
#include "simplex/VertexStatus.h"

#include "core/NumberText.h"

#include <algorithm>

namespace zeltomir::simplex {

namespace {

Outcome Refused(const QString& text, int row = 0)
{
    return {{Critical(InputError, text)}, Focus::None, false, 0, row};
}

std::optional<Outcome> DefinitionRefusal(const std::vector<core::ResponseDefinition>& responses)
{
    if (responses.size() > static_cast<std::size_t>(core::MaxResponses))
        return Refused(QStringLiteral("No more than %1 responses can be defined.").arg(core::MaxResponses));
    for (std::size_t i = 0; i < responses.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const core::ResponseDefinition& response = responses[i];
        if (response.name.trimmed().isEmpty())
            return Refused(QStringLiteral("Response %1 needs a name.").arg(row), row);
        if (const std::optional<QString> fault = core::ResponseDefinitionFault(response))
            return Refused(QStringLiteral("Response %1 (%2): ").arg(row).arg(response.name) + *fault, row);
    }
    const bool anyRanked = std::any_of(responses.begin(), responses.end(), [](const core::ResponseDefinition& r) {
        return r.goal != core::ResponseGoal::TrackOnly;
    });
    if (!responses.empty() && !anyRanked)
        return Refused(QStringLiteral("At least one response must be maximized, minimized or brought to a target."));
    return std::nullopt;
}

// The goal of a problem that goes back to one response: that response's.
void TakeGoalOf(core::OptimizationProblem& problem, const core::ResponseDefinition& response)
{
    switch (response.goal) {
    case core::ResponseGoal::Minimize:
        problem.Goal = core::Goal::Min;
        return;
    case core::ResponseGoal::Target:
        problem.Goal = core::Goal::Target;
        problem.TargetValue = SingleOf(response.target);
        return;
    case core::ResponseGoal::Maximize:
    case core::ResponseGoal::TrackOnly:
        break;
    }
    problem.Goal = core::Goal::Max;
}

// Every stored vertex's result made anew from its values (a failed one
// keeps its 0), the simplex rows' results with them, and the last two
// results the step rules compare.
void ResultsAnew(core::OptimizationProblem& problem, bool fromFirstResponse)
{
    const int k = problem.NumFactors;
    const int n = problem.NumVertices;
    core::Matrix& history = problem.VertexHistory;
    for (int v = 1; v <= n; ++v) {
        if (StatusOf(problem, v) == VertexStatus::Failed)
            continue;
        history.at(k + 1, v) = fromFirstResponse ? problem.VertexResponses.value(1, v) : ResultOfResponses(problem, v);
    }
    const bool begun = ReadinessOf(problem) == StepReadiness::Ready;
    for (int r = 1; r <= k + 1; ++r) {
        // Before Begin Optimization row r is vertex r, as the commit wrote it.
        const int v = begun ? VertexNumberOfRow(problem, r) : r;
        if (v != 0)
            problem.Simplex.at(k + 1, r) = history.value(k + 1, v);
    }
    // Each step records one vertex: the last result is vertex n's, the one
    // before vertex n - 1's, where they were entered as steps.
    if (n > k + 1)
        problem.LastResult = history.value(k + 1, n);
    if (n - 1 > k + 1)
        problem.PreviousResult = history.value(k + 1, n - 1);
}

} // namespace

Outcome DefineResponses(core::OptimizationProblem& problem, const std::vector<core::ResponseDefinition>& responses,
                        const EngineHooks& hooks)
{
    if (std::optional<Outcome> refusal = DefinitionRefusal(responses))
        return *refusal;
    // Nothing to score anew and no step to undo.
    if (responses == problem.Responses)
        return {};
    if (hooks.storeUndoSnapshot)
        hooks.storeUndoSnapshot();

    const int n = problem.NumVertices;
    const int k = problem.NumFactors;
    const bool hadResponses = !problem.Responses.empty();
    const bool committed = ReadinessOf(problem) != StepReadiness::NoInitialSimplex;
    if (responses.empty()) {
        if (hadResponses)
            TakeGoalOf(problem, problem.Responses.front());
        problem.Responses.clear();
        if (committed && hadResponses)
            ResultsAnew(problem, true);
        problem.VertexResponses = core::Matrix();
    } else {
        const int m = static_cast<int>(responses.size());
        problem.VertexResponses.redimPreserve(m, std::max(n, problem.VertexResponses.maxRow()));
        if (!hadResponses) {
            for (int v = 1; v <= n; ++v)
                problem.VertexResponses.at(1, v) = problem.VertexHistory.value(k + 1, v);
        }
        problem.Responses = responses;
        problem.Goal = core::Goal::Max;
        if (committed)
            ResultsAnew(problem, false);
    }
    if (ReadinessOf(problem) == StepReadiness::Ready)
        RescoreObjectives(problem);
    return {};
}

std::optional<core::Message> ReadResponseValues(const core::OptimizationProblem& problem, const QStringList& texts,
                                                const QLocale& locale, std::vector<float>& values)
{
    values.clear();
    for (std::size_t i = 0; i < problem.Responses.size(); ++i) {
        const std::optional<float> value = core::ParseSingle(texts.value(static_cast<int>(i)), locale);
        if (!value)
            return Critical(DataInputError,
                            QStringLiteral("The result of %1 must be numeric.").arg(problem.Responses[i].name));
        values.push_back(*value);
    }
    return std::nullopt;
}

float StoreVertexResponses(core::OptimizationProblem& problem, int v, const std::vector<float>& values)
{
    const int m = static_cast<int>(problem.Responses.size());
    problem.VertexResponses.ensure(m, v);
    for (int i = 1; i <= m; ++i) {
        const auto index = static_cast<std::size_t>(i - 1);
        problem.VertexResponses.at(i, v) = index < values.size() ? values[index] : 0.0f;
    }
    return ResultOfResponses(problem, v);
}

float ResultOfResponses(const core::OptimizationProblem& problem, int v)
{
    return SingleOf(OverallDesirability(problem.Responses, ResponseValuesOf(problem, v)));
}

} // namespace zeltomir::simplex
