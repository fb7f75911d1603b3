#include "simplex/VertexStatus.h"

#include "simplex/Desirability.h"
#include "simplex/EngineSupport.h"
#include "simplex/SimplexTerms.h"
#include "simplex/VertexView.h"

namespace zeltomir::simplex {

namespace {

int StatusInteger(const core::OptimizationProblem& problem, int v)
{
    const auto& table = problem.ReservedVertexIntegers;
    return v >= 0 && static_cast<std::size_t>(v) < table.size() ? table[static_cast<std::size_t>(v)] : 0;
}

bool Known(int value)
{
    return value >= 0 && value < 2 * PendingAgainMark && value % PendingAgainMark <= 2;
}

std::int16_t& IntegerSlot(core::OptimizationProblem& problem, int v)
{
    core::EnsureCapacity(problem, problem.NumFactors, v);
    return problem.ReservedVertexIntegers[static_cast<std::size_t>(v)];
}

} // namespace

VertexStatus StatusOf(const core::OptimizationProblem& problem, int v)
{
    const int value = StatusInteger(problem, v);
    return Known(value) ? static_cast<VertexStatus>(value % PendingAgainMark) : VertexStatus::Measured;
}

void SetStatus(core::OptimizationProblem& problem, int v, VertexStatus status, double firstResult)
{
    IntegerSlot(problem, v) = static_cast<std::int16_t>(status);
    problem.ReservedVertexNumbers[static_cast<std::size_t>(v)] = status == VertexStatus::Corrected ? firstResult : 0;
}

std::optional<double> FirstResultOf(const core::OptimizationProblem& problem, int v)
{
    if (StatusOf(problem, v) != VertexStatus::Corrected)
        return std::nullopt;
    return SlotOf(problem.ReservedVertexNumbers, v);
}

double ScoreOf(const core::OptimizationProblem& problem, int v, double result)
{
    if (StatusOf(problem, v) == VertexStatus::Failed)
        return FailedObjective;
    return ResultObjective(problem, v, result);
}

double ResultObjective(const core::OptimizationProblem& problem, int v, double result)
{
    if (!problem.Responses.empty())
        return ResponsesObjective(problem.Responses, ResponseValuesOf(problem, v));
    return ObjectiveOf(problem.Goal, problem.TargetValue, result);
}

std::vector<double> ResponseValuesOf(const core::OptimizationProblem& problem, int v)
{
    std::vector<double> values;
    for (int i = 1; i <= static_cast<int>(problem.Responses.size()); ++i)
        values.push_back(problem.VertexResponses.value(i, v));
    return values;
}

int VertexNumberOfRow(const core::OptimizationProblem& problem, int row)
{
    // In Simplex the type column holds nothing a reader uses, and the
    // retained column the vertex number of the row.
    const double number = problem.Simplex.value(Vertex::ColumnOf(problem.NumFactors, Vertex::RetainedColumn), row);
    const bool named = number >= 1 && number <= problem.NumVertices && number == static_cast<int>(number);
    return named ? static_cast<int>(number) : 0;
}

std::optional<int> PendingAgain(const core::OptimizationProblem& problem)
{
    for (int r = 1; r <= problem.NumFactors + 1; ++r) {
        const int v = VertexNumberOfRow(problem, r);
        const int value = StatusInteger(problem, v);
        if (v != 0 && Known(value) && value >= PendingAgainMark)
            return v;
    }
    return std::nullopt;
}

void MarkPendingAgain(core::OptimizationProblem& problem, int v)
{
    ClearPendingAgain(problem);
    IntegerSlot(problem, v) = static_cast<std::int16_t>(static_cast<int>(StatusOf(problem, v)) + PendingAgainMark);
}

void ClearPendingAgain(core::OptimizationProblem& problem)
{
    while (const std::optional<int> v = PendingAgain(problem))
        IntegerSlot(problem, *v) = static_cast<std::int16_t>(StatusOf(problem, *v));
}

QString StatusWord(const core::OptimizationProblem& problem, int v)
{
    switch (StatusOf(problem, v)) {
    case VertexStatus::Failed:
        return QStringLiteral("failed");
    case VertexStatus::Corrected:
        return QStringLiteral("corrected");
    case VertexStatus::Measured:
        break;
    }
    if (problem.VertexHistory.value(problem.NumFactors + 2, v) == core::TypeCode(VertexType::Again))
        return QStringLiteral("again");
    return QStringLiteral("measured");
}

} // namespace zeltomir::simplex
