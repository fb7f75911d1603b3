#include "simplex/VertexView.h"

#include "simplex/EngineSupport.h"
#include "simplex/SimplexTerms.h"

#include <algorithm>
#include <cmath>

namespace zeltomir::simplex {

Vertex::Vertex(const core::OptimizationProblem& problem, int number) : m_problem(&problem), m_number(number) {}

double Vertex::level(int factor) const
{
    return m_problem->VertexHistory.value(factor, m_number);
}

double Vertex::naturalLevel(int factor) const
{
    return NaturalLevel(FactorOf(*m_problem, factor), level(factor));
}

std::vector<double> Vertex::naturalLevels() const
{
    std::vector<double> levels;
    for (int i = 1; i <= m_problem->NumFactors; ++i)
        levels.push_back(naturalLevel(i));
    return levels;
}

double Vertex::result() const
{
    return m_problem->VertexHistory.value(ColumnOf(m_problem->NumFactors, ResultColumn), m_number);
}

double Vertex::typeCode() const
{
    return m_problem->VertexHistory.value(ColumnOf(m_problem->NumFactors, TypeColumn), m_number);
}

std::optional<core::VertexType> Vertex::type() const
{
    return core::TypeOfCode(typeCode());
}

double Vertex::timesRetained() const
{
    return m_problem->VertexHistory.value(ColumnOf(m_problem->NumFactors, RetainedColumn), m_number);
}

double Vertex::objective() const
{
    return m_problem->VertexHistory.value(ColumnOf(m_problem->NumFactors, ObjectiveColumn), m_number);
}

std::vector<std::optional<int>> SimplexVertices(const core::OptimizationProblem& problem)
{
    std::vector<std::optional<int>> vertices;
    for (int r = 1; r <= problem.NumFactors + 1; ++r) {
        const int number = VertexNumberOfRow(problem, r);
        vertices.push_back(number != 0 ? std::optional<int>(number) : std::nullopt);
    }
    return vertices;
}

double SimplexLevel(const core::OptimizationProblem& problem, int row, int factor)
{
    return problem.Simplex.value(factor, row);
}

namespace {

// A vertex measured again: the latest vertex before an "A" vertex at the very
// same coded levels (the re-measurement copies them).
std::vector<bool> ReplacedVertices(const core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    const int n = problem.NumVertices;
    std::vector<bool> replaced(static_cast<std::size_t>(std::max(n, 0)) + 1, false);
    const double again = core::TypeCode(core::VertexType::Again);
    for (int a = 1; a <= n; ++a) {
        if (Vertex(problem, a).typeCode() != again)
            continue;
        for (int v = a - 1; v >= 1; --v) {
            bool same = true;
            for (int i = 1; i <= k && same; ++i)
                same = problem.VertexHistory.value(i, v) == problem.VertexHistory.value(i, a);
            if (same) {
                replaced[static_cast<std::size_t>(v)] = true;
                break;
            }
        }
    }
    return replaced;
}

} // namespace

BestSoFar::BestSoFar(const core::OptimizationProblem& problem)
    : m_problem(&problem), m_replaced(ReplacedVertices(problem))
{
}

bool BestSoFar::add(int vertex, double result)
{
    if (StatusOf(*m_problem, vertex) == VertexStatus::Failed)
        return false;
    const auto slot = static_cast<std::size_t>(vertex);
    if (vertex >= 1 && slot < m_replaced.size() && m_replaced[slot])
        return false;
    const double objective = ResultObjective(*m_problem, vertex, result);
    if (any() && !(objective > m_objective))
        return false;
    m_vertex = vertex;
    m_result = result;
    m_objective = objective;
    return true;
}

} // namespace zeltomir::simplex
