#pragma once

// A running problem at the largest size the engine is built for, shared by
// the engine's benchmarks and the document commands' benchmarks.

#include "simplex/BeginOptimization.h"
#include "simplex/FactorGrid.h"
#include "simplex/InitialSimplex.h"

#include "core/ProblemRecord.h"

#include <QStringList>

#include <algorithm>

namespace zeltomir::bench {

inline constexpr int Factors = 100;
inline constexpr int HistoryVertices = 10000;

// A running problem of 100 factors whose history has been padded to 10,000
// vertices (levels spread over the box, results varied), with the first
// trial on show. A history asked shorter than the initial simplex holds
// just that.
struct LargeRun {
    core::OptimizationProblem problem;
    QStringList levels;
};

inline LargeRun MakeLargeRun(int historyVertices = HistoryVertices)
{
    LargeRun run;
    core::OptimizationProblem& problem = run.problem;
    core::ResetToStartup(problem);
    problem.StepType = QStringLiteral("Variable");
    problem.NumFactors = Factors;
    simplex::GridText factors(Factors, 4);
    for (int i = 1; i <= Factors; ++i) {
        factors.setCell(i, 1, QStringLiteral("F%1").arg(i));
        factors.setCell(i, 2, QStringLiteral("0"));
        factors.setCell(i, 3, QString::number(10 * i));
        factors.setCell(i, 4, QStringLiteral("3"));
    }
    core::RunTimeState runTime;
    simplex::CommitFactorGrid(problem, runTime, factors);
    simplex::GridText grid = simplex::FillInitialSimplexGrid(problem, simplex::LoadInitialSimplexGrid(problem));
    for (int row = 1; row <= Factors + 1; ++row)
        grid.setCell(row, Factors + 1, QString::number((row * 37) % 101));
    simplex::ContinueInitialSimplex(problem, grid);
    run.levels = simplex::BeginOptimization(problem).steps->trial.levels;

    problem.VertexHistory.ensure(Factors + 4, historyVertices);
    core::EnsureCapacity(problem, Factors, historyVertices);
    for (int v = Factors + 2; v <= historyVertices; ++v) {
        for (int i = 1; i <= Factors; ++i)
            problem.VertexHistory.at(i, v) = ((v * 7 + i * 13) % 1000) / 1000.0;
        problem.VertexHistory.at(Factors + 1, v) = v % 97;
        problem.VertexHistory.at(Factors + 2, v) = v % 5;
        problem.VertexHistory.at(Factors + 3, v) = v % 3;
    }
    problem.NumVertices = static_cast<std::int16_t>(std::max(historyVertices, Factors + 1));
    return run;
}

} // namespace zeltomir::bench
