#pragma once

// What the plot of a simulated run shows once the learner asks to see the
// true process: the true surface behind the path, where the true optimum
// lies, and how close the run has come to it.

#include "simplex/PlotContent.h"
#include "simplex/SimulatedProcess.h"

#include "core/ProblemRecord.h"

#include <QLocale>
#include <QPointF>
#include <QString>

#include <optional>
#include <vector>

namespace zeltomir::simplex {

// The true response over two factors across their limits, on a grid of
// cells; with more than two factors, the slice through `through` (the
// levels of every factor, the two plotted ones included but not used).
struct TrueSurface {
    int xFactor = 1; // 1..k
    int yFactor = 2;
    AxisRange xRange; // the factors' limits
    AxisRange yRange;
    int columns = 0; // cells across, then up
    int rows = 0;
    // values[row * columns + column]; column 0 at the lower x limit, row 0
    // at the lower y limit, the cells' centres on the limits at the ends.
    std::vector<double> values;
    ProcessLevels through;
    // The true optimum nearest the levels `through`, in the two factors.
    QPointF optimum;
};

TrueSurface TrueSurfaceSlice(const SimulatedProcess& process, ProcessLevels through, int xFactor, int yFactor,
                             int cells);

// How the run stands against the truth.
struct RevealSummary {
    int trials = 0;     // vertices with a result, failed trials included
    int bestVertex = 0; // the best measured one; 0 before any result
    double bestMeasured = 0;
    double trueAtBest = 0;
    ProcessLevels bestLevels; // the middle of the limits before any result
    ProcessPoint optimum;     // the true optimum nearest the best vertex
    std::vector<double> distance; // per factor: the best vertex's level less the optimum's
    std::optional<int> within95;  // the first trial within 95 % of the optimum
    std::optional<int> within99;
};

RevealSummary SummariseSimulatedRun(const core::OptimizationProblem& problem, const SimulatedProcess& process);

// The summary as the plot window shows it beside the plots (rich text).
QString RevealText(const RevealSummary& summary, const SimulatedProcess& process,
                   const QLocale& locale = QLocale());

} // namespace zeltomir::simplex
