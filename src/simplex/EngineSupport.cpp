#include "simplex/EngineSupport.h"

#include "simplex/SimplexTerms.h"

#include "core/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zeltomir::simplex {

float SingleOf(double value)
{
    constexpr double largest = std::numeric_limits<float>::max();
    if (value > largest)
        return std::numeric_limits<float>::infinity();
    if (value < -largest)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

core::Factor FactorOf(const core::OptimizationProblem& problem, int slot)
{
    if (slot >= 0 && slot < static_cast<int>(problem.Factors.size()))
        return problem.Factors[static_cast<std::size_t>(slot)];
    core::Factor fresh;
    fresh.FactorName = core::DefaultFactorName(slot);
    return fresh;
}

double SlotOf(const std::vector<double>& table, int slot)
{
    if (slot < 0 || slot >= static_cast<int>(table.size()))
        return 0;
    return table[static_cast<std::size_t>(slot)];
}

std::optional<double> ReadDouble(const QString& text, const QLocale& locale)
{
    return core::ParseNumber(text, locale);
}

bool SimplexMatchesFactorCount(const core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    const core::Matrix& history = problem.VertexHistory;
    if (k < 1 || problem.NumVertices < k + 1 || problem.NumVertices > history.maxRow())
        return false;
    if (history.maxCol() == k + 4)
        return true;
    if (history.maxCol() != std::max(core::DefaultMaxFactors + 1, k + 4))
        return false;
    for (int c = k + 5; c <= history.maxCol(); ++c) {
        for (int v = 1; v <= problem.NumVertices; ++v) {
            if (history.value(c, v) != 0)
                return false;
        }
    }
    return true;
}

StepReadiness ReadinessOf(const core::OptimizationProblem& problem)
{
    if (problem.InitialSimplexDefined != QLatin1String("yes") || !SimplexMatchesFactorCount(problem))
        return StepReadiness::NoInitialSimplex;
    // Begin Optimization sets the type of the trial it proposes; the initial
    // simplex commit clears it, as the trial then belongs to a simplex that
    // is gone.
    const QString& type = problem.CurrentVertexType;
    const bool trialOnShow = type == VertexType::Reflection || type == VertexType::Extension
                             || type == VertexType::ForwardContraction || type == VertexType::ReverseContraction;
    return trialOnShow ? StepReadiness::Ready : StepReadiness::NotBegun;
}

core::Message DefineInitialSimplexFirst()
{
    return Critical(NoticeTitle, QStringLiteral("You must define the initial simplex before continuing."));
}

core::Message BeginOptimizationFirst()
{
    return Critical(NoticeTitle, QStringLiteral("You must click Begin Optimization before entering results."));
}

bool LimitsCoincide(const core::Factor& factor)
{
    return SingleOf(factor.LowerLimit) == SingleOf(factor.UpperLimit);
}

bool RangeOverflows(const core::Factor& factor)
{
    return !std::isfinite(factor.UpperLimit - factor.LowerLimit);
}

core::Message EqualLimitsMessage(const QString& factorName)
{
    return Critical(DataInputError, QStringLiteral("The lower and upper limits of factor %1 are equal.  "
                                                   "Define the factors again with limits that differ.")
                                        .arg(factorName));
}

} // namespace zeltomir::simplex
