#include "simplex/SimulationReveal.h"

#include "simplex/VertexView.h"

#include "core/NumberText.h"

#include <algorithm>

namespace zeltomir::simplex {

namespace {

double Along(double lower, double upper, int index, int count)
{
    return count > 1 ? lower + (upper - lower) * index / (count - 1) : (lower + upper) / 2;
}

ProcessLevels MiddleOfLimits(const SimulatedProcess& process)
{
    ProcessLevels middle;
    for (const ProcessFactor& factor : process.factors)
        middle.push_back((factor.lower + factor.upper) / 2);
    return middle;
}

QString Shown(double value, const QLocale& locale)
{
    return core::GeneralForm(value, core::Precision::Single, locale);
}

QString SignedShown(double value, const QLocale& locale)
{
    return (value > 0 ? QStringLiteral("+") : QString()) + Shown(value, locale);
}

QString TrialOrNone(const std::optional<int>& trial)
{
    return trial ? QStringLiteral("trial %1").arg(*trial) : QStringLiteral("not yet");
}

} // namespace

TrueSurface TrueSurfaceSlice(const SimulatedProcess& process, ProcessLevels through, int xFactor, int yFactor,
                             int cells)
{
    TrueSurface surface;
    surface.xFactor = xFactor;
    surface.yFactor = yFactor;
    const ProcessFactor& x = process.factors.at(static_cast<std::size_t>(xFactor - 1));
    const ProcessFactor& y = process.factors.at(static_cast<std::size_t>(yFactor - 1));
    surface.xRange = {x.lower, x.upper};
    surface.yRange = {y.lower, y.upper};
    surface.columns = std::max(cells, 2);
    surface.rows = std::max(cells, 2);
    through.resize(process.factors.size());
    ProcessLevels levels = through;
    surface.values.reserve(static_cast<std::size_t>(surface.columns * surface.rows));
    for (int row = 0; row < surface.rows; ++row) {
        levels[static_cast<std::size_t>(yFactor - 1)] = Along(y.lower, y.upper, row, surface.rows);
        for (int column = 0; column < surface.columns; ++column) {
            levels[static_cast<std::size_t>(xFactor - 1)] = Along(x.lower, x.upper, column, surface.columns);
            surface.values.push_back(process.trueResponse(levels));
        }
    }
    const ProcessPoint optimum = NearestOptimum(process, through);
    surface.optimum = {optimum.levels.at(static_cast<std::size_t>(xFactor - 1)),
                       optimum.levels.at(static_cast<std::size_t>(yFactor - 1))};
    surface.through = std::move(through);
    return surface;
}

RevealSummary SummariseSimulatedRun(const core::OptimizationProblem& problem, const SimulatedProcess& process)
{
    RevealSummary summary;
    std::vector<double> trueValues;
    BestSoFar best(problem);
    for (int v = 1; v <= problem.NumVertices; ++v) {
        const Vertex vertex(problem, v);
        const std::vector<double> levels = vertex.naturalLevels();
        trueValues.push_back(process.trueResponse(levels));
        best.add(v, vertex.result());
    }
    summary.trials = problem.NumVertices;
    summary.within95 = FirstTrialWithin(process, trueValues, 0.95);
    summary.within99 = FirstTrialWithin(process, trueValues, 0.99);
    summary.bestLevels = MiddleOfLimits(process);
    if (best.any()) {
        summary.bestVertex = best.vertex();
        summary.bestMeasured = best.result();
        summary.bestLevels = Vertex(problem, best.vertex()).naturalLevels();
        summary.trueAtBest = trueValues[static_cast<std::size_t>(best.vertex() - 1)];
    }
    summary.optimum = NearestOptimum(process, summary.bestLevels);
    for (std::size_t i = 0; i < process.factors.size(); ++i)
        summary.distance.push_back(summary.bestLevels.at(i) - summary.optimum.levels.at(i));
    return summary;
}

QString RevealText(const RevealSummary& summary, const SimulatedProcess& process, const QLocale& locale)
{
    QString text = QStringLiteral("<p><b>The true process: %1</b></p>").arg(process.title.toHtmlEscaped());
    text += QStringLiteral("<p>Trials so far: %1</p>").arg(summary.trials);
    if (summary.bestVertex > 0)
        text += QStringLiteral("<p>Best measured result: %1 (vertex %2); its true value: %3</p>")
                    .arg(Shown(summary.bestMeasured, locale))
                    .arg(summary.bestVertex)
                    .arg(Shown(summary.trueAtBest, locale));
    QStringList at;
    QStringList off;
    for (std::size_t i = 0; i < process.factors.size(); ++i) {
        const QString name = FactorLabel(process.factors[i]).toHtmlEscaped();
        at << QStringLiteral("%1 = %2").arg(name, Shown(summary.optimum.levels.at(i), locale));
        off << QStringLiteral("%1 %2").arg(name, SignedShown(summary.distance.at(i), locale));
    }
    text += QStringLiteral("<p>True optimum: %1 at %2</p>")
                .arg(Shown(summary.optimum.value, locale), at.join(QStringLiteral(", ")));
    if (summary.bestVertex > 0)
        text += QStringLiteral("<p>Best vertex less the optimum: %1</p>").arg(off.join(QStringLiteral(", ")));
    text += QStringLiteral("<p>Within 95 % of the optimum: %1<br>Within 99 % of the optimum: %2</p>")
                .arg(TrialOrNone(summary.within95), TrialOrNone(summary.within99));
    return text;
}

} // namespace zeltomir::simplex
