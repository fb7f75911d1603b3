#pragma once

// Problems in known states for the engine's tests, built through the
// engine's own commands the way the windows drive them.

#include "simplex/BeginOptimization.h"
#include "simplex/FactorGrid.h"
#include "simplex/GridText.h"
#include "simplex/InitialSimplex.h"
#include "simplex/NextStep.h"

#include "core/ProblemRecord.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace zeltomir::simplex::test {

struct FactorSpec {
    QString name;
    QString lower;
    QString upper;
    QString decimals;
};

inline core::OptimizationProblem StartupProblem()
{
    core::OptimizationProblem problem;
    core::ResetToStartup(problem);
    problem.StepType = QStringLiteral("Variable");
    return problem;
}

// A problem whose factor grid has been committed with these factors.
inline core::OptimizationProblem WithFactors(const std::vector<FactorSpec>& factors,
                                             const QString& goal = QStringLiteral("max"),
                                             const QString& stepType = QStringLiteral("Variable"))
{
    core::OptimizationProblem problem = StartupProblem();
    problem.NumFactors = static_cast<std::int16_t>(factors.size());
    problem.Goal = core::Choice<core::Goal>::FromText(goal);
    problem.StepType = stepType;
    GridText grid(static_cast<int>(factors.size()), 4);
    for (int row = 1; row <= static_cast<int>(factors.size()); ++row) {
        const FactorSpec& factor = factors[static_cast<std::size_t>(row - 1)];
        grid.setCell(row, 1, factor.name);
        grid.setCell(row, 2, factor.lower);
        grid.setCell(row, 3, factor.upper);
        grid.setCell(row, 4, factor.decimals);
    }
    core::RunTimeState runTime;
    const Outcome outcome = CommitFactorGrid(problem, runTime, grid);
    EXPECT_TRUE(outcome.ok);
    return problem;
}

// The proposed corner simplex with these responses in its Result column.
inline GridText CornerGrid(core::OptimizationProblem& problem, const QStringList& responses)
{
    GridText grid = FillInitialSimplexGrid(problem, LoadInitialSimplexGrid(problem));
    for (int i = 1; i <= responses.size(); ++i)
        grid.setCell(i, problem.NumFactors + 1, responses[i - 1]);
    return grid;
}

// Commits the corner simplex with these responses (vertex i = row i).
inline void CommitCorner(core::OptimizationProblem& problem, const QStringList& responses)
{
    const Outcome outcome = ContinueInitialSimplex(problem, CornerGrid(problem, responses));
    ASSERT_TRUE(outcome.ok) << (outcome.messages.empty() ? "" : outcome.messages.back().text.toStdString());
}

// A smooth hill over two factors, its top of 100 at A = 6.3 and B = 11.2,
// measured at the level texts as the experimenter reads them off the grid.
inline double Hill(const QStringList& levels)
{
    const double a = levels.value(0).toDouble() - 6.3;
    const double b = levels.value(1).toDouble() - 11.2;
    return 100 - a * a - 2 * b * b + 0.5 * a * b;
}

// The results of a run under way on Temp 20..80 (2 decimals) and Time
// 10..50 (1 decimal), maximised: the corner simplex, then one result per
// trial after Begin Optimization. After the first step the simplex holds
// vertex 3 (the one the trial moves away from), 4 and 2, and a reverse
// contraction is on show; after the last an extension is.
inline const QStringList KnownCorner{"41.13", "77.65", "53.13"};
inline const QStringList KnownSteps{"77.26", "74.04", "83.33", "80.57", "82.89", "87.28"};

// The known run after its first `steps` results (1..6).
inline core::OptimizationProblem KnownRun(int steps = 1)
{
    core::OptimizationProblem problem = WithFactors({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}});
    CommitCorner(problem, KnownCorner);
    const StepsOutcome begun = BeginOptimization(problem);
    EXPECT_TRUE(begun.steps.has_value());
    QStringList levels = begun.steps->trial.levels;
    core::RunTimeState runTime;
    for (int i = 0; i < steps; ++i) {
        const StepsOutcome stepped = NextStep(problem, runTime, {KnownSteps[i], levels});
        EXPECT_TRUE(stepped.steps.has_value());
        levels = stepped.steps->trial.levels;
    }
    return problem;
}

inline std::vector<double> Column(const core::Matrix& matrix, int column, int firstRow, int lastRow)
{
    std::vector<double> values;
    for (int row = firstRow; row <= lastRow; ++row)
        values.push_back(matrix.value(column, row));
    return values;
}

inline QStringList Texts(const std::vector<core::Message>& messages)
{
    QStringList texts;
    for (const core::Message& message : messages)
        texts.append(message.text);
    return texts;
}

} // namespace zeltomir::simplex::test
