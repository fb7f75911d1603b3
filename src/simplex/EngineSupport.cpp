#include "simplex/EngineSupport.h"

#include "simplex/SimplexTerms.h"

#include "core/LevelScaling.h"
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
    switch (problem.CurrentVertexType.kind()) {
    case VertexType::Reflection:
    case VertexType::Extension:
    case VertexType::ForwardContraction:
    case VertexType::ReverseContraction:
        return StepReadiness::Ready;
    case VertexType::Initial:
    case VertexType::Again: // never the type of a trial on show
    case VertexType::Other:
        break;
    }
    return StepReadiness::NotBegun;
}

core::Message DefineInitialSimplexFirst()
{
    return Critical(NoticeTitle, QStringLiteral("You must define the initial simplex before continuing."));
}

std::optional<int> CommittedFactorCountChanged(const core::OptimizationProblem& problem)
{
    if (problem.InitialSimplexDefined != QLatin1String("yes") || SimplexMatchesFactorCount(problem))
        return std::nullopt;
    // The commit gives the history exactly k+4 columns, and nothing else
    // changes its width (a file read back keeps the width of its own k).
    const int committed = problem.VertexHistory.maxCol() - 4;
    if (committed < 2 || committed > core::DefaultMaxFactors || committed == problem.NumFactors
        || problem.NumVertices < committed + 1)
        return std::nullopt;
    return committed;
}

core::Message NoFittingSimplexMessage(const core::OptimizationProblem& problem)
{
    if (const std::optional<int> committed = CommittedFactorCountChanged(problem))
        return Critical(NoticeTitle, QStringLiteral("The number of factors has changed since the initial simplex was "
                                                    "defined.  Put it back to %1 to go on with this run, or define "
                                                    "the factors and the initial simplex again.")
                                         .arg(*committed));
    return DefineInitialSimplexFirst();
}

std::optional<QString> BeyondLimits(const core::Factor& factor, double level, const QLocale& locale)
{
    const auto limitText = [&locale](double limit) { return core::GeneralForm(limit, core::Precision::Double, locale); };
    if (SingleOf(level) < SingleOf(factor.LowerLimit))
        return QStringLiteral("is lower than the lower limit you specified.  The lower limit specified was %1.")
            .arg(limitText(factor.LowerLimit));
    if (SingleOf(factor.UpperLimit) < SingleOf(level))
        return QStringLiteral("is greater than the upper limit you specified.  The upper limit specified was %1.")
            .arg(limitText(factor.UpperLimit));
    return std::nullopt;
}

std::optional<QString> LevelRefusal(const core::Factor& factor, double level, const QLocale& locale)
{
    if (std::optional<QString> beyond = BeyondLimits(factor, level, locale))
        return beyond;
    // Equal limits have a refusal of their own.
    if (!LimitsCoincide(factor) && !std::isfinite(core::ToCoded(factor.LowerLimit, factor.UpperLimit, level)))
        return QStringLiteral("is too far from its limits to be recorded.");
    return std::nullopt;
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
