#include "simplex/TrialDisplay.h"

#include "simplex/EngineSupport.h"
#include "simplex/MeasureAgain.h"
#include "simplex/SimplexTerms.h"
#include "simplex/VertexStatus.h"
#include "simplex/VertexView.h"

#include "core/NumberText.h"

#include <algorithm>

namespace zeltomir::simplex {

namespace {

double RoundedLevel(double natural, double decimals, const QLocale& locale)
{
    QString text = core::FormatByDigits(natural, decimals, locale);
    text.remove(locale.groupSeparator());
    return core::ParseNumber(text, locale).value_or(0);
}

} // namespace

QString LevelText(double natural, double decimals, bool rounded, const QLocale& locale)
{
    const double value = rounded ? RoundedLevel(natural, decimals, locale) : natural;
    return core::GeneralForm(value + 0.0, core::Precision::Double, locale);
}

Trial TrialOnShow(const core::OptimizationProblem& problem, bool rounded, const QLocale& locale)
{
    Trial trial;
    for (int i = 1; i <= problem.NumFactors; ++i) {
        const core::Factor factor = FactorOf(problem, i);
        const double natural = NaturalLevel(factor, SlotOf(problem.TrialPoint, i));
        double shown = rounded ? RoundedLevel(natural, factor.SignificantDigits, locale) : natural;
        // A trial on a limit whose rounding would carry it past the limit
        // (10.06 with one decimal) is shown at the limit: the steps window
        // refuses a level beyond the limits, and never one it proposed.
        if (BeyondLimits(factor, shown, locale) && !BeyondLimits(factor, natural, locale))
            shown = std::clamp(shown, std::min(factor.LowerLimit, factor.UpperLimit),
                               std::max(factor.LowerLimit, factor.UpperLimit));
        trial.levels.append(core::GeneralForm(shown + 0.0, core::Precision::Double, locale));
    }
    trial.instruction = problem.Instruction;
    trial.vertexType = problem.CurrentVertexType.text();
    trial.vertexNumber = problem.NumVertices + 1;
    return trial;
}

QStringList FactorNames(const core::OptimizationProblem& problem)
{
    QStringList names;
    for (int i = 1; i <= problem.NumFactors; ++i)
        names.append(FactorOf(problem, i).FactorName);
    return names;
}

bool ProposedRounded(const core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    const int n = problem.NumVertices;
    if (n <= k + 1)
        return false; // the first trial after Begin Optimization
    // The last step took in vertex n, or for an evaluated extension that
    // gave way, the reflection n - 1 before it.
    const bool extension = Vertex(problem, n).type() == VertexType::Extension;
    for (const std::optional<int>& vertex : SimplexVertices(problem)) {
        if (vertex == n || (extension && vertex == n - 1))
            return true;
    }
    return false;
}

StepsContent ReopenedSteps(const core::OptimizationProblem& problem, const QLocale& locale)
{
    if (const std::optional<int> again = PendingAgain(problem))
        return {FactorNames(problem), AgainTrial(problem, *again, locale)};
    return {FactorNames(problem), TrialOnShow(problem, ProposedRounded(problem), locale)};
}

} // namespace zeltomir::simplex
