#include "simplex/SimulatedRun.h"

#include "simplex/EngineSupport.h"
#include "simplex/ProcessNoise.h"

#include "core/NumberText.h"

namespace zeltomir::simplex {

void StartSimulatedRun(core::OptimizationProblem& problem, const SimulatedProcess& process,
                       const SimulationChoice& choice)
{
    const int k = process.factorCount();
    core::EnsureCapacity(problem, k, problem.NumVertices);
    problem.NumFactors = static_cast<std::int16_t>(k);
    for (int i = 1; i <= k; ++i) {
        const ProcessFactor& factor = process.factors[static_cast<std::size_t>(i - 1)];
        core::Factor& slot = problem.Factors[static_cast<std::size_t>(i)];
        slot.FactorName = FactorLabel(factor);
        slot.LowerLimit = factor.lower;
        slot.UpperLimit = factor.upper;
        slot.SignificantDigits = static_cast<std::int16_t>(factor.decimals);
    }
    problem.Goal = core::Choice<core::Goal>::FromText(GoalText(process.goal));
    problem.TargetValue = process.goal == ProcessGoal::Target ? process.target : 0;
    problem.StepType = choice.stepType;
    problem.Stage = core::Stage::SeqSimplexInitialize;
    problem.SimulatedProcess = process.name;
    problem.SimulationNoise = choice.sigma;
    problem.SimulationSeed = choice.seed;
}

const SimulatedProcess* ProcessOfRun(const core::OptimizationProblem& problem)
{
    // A process measures one response: with several defined it has nothing
    // to give for the others.
    if (problem.SimulatedProcess.isEmpty() || !problem.Responses.empty())
        return nullptr;
    // A learner may change the number of factors in the setup window; the
    // process cannot measure a problem of another size.
    const SimulatedProcess* process = FindSimulatedProcess(problem.SimulatedProcess);
    return process && process->factorCount() == problem.NumFactors ? process : nullptr;
}

std::optional<QString> SimulationFault(const core::OptimizationProblem& problem)
{
    if (problem.SimulatedProcess.isEmpty())
        return std::nullopt;
    const SimulatedProcess* process = FindSimulatedProcess(problem.SimulatedProcess);
    if (!process)
        return QStringLiteral("The problem is run on the simulated process \"%1\", which this program does not know.")
            .arg(problem.SimulatedProcess);
    if (process->factorCount() != problem.NumFactors)
        return QStringLiteral("The problem is run on the simulated process \"%1\", which has %2 factors, but has %3.")
            .arg(process->name).arg(process->factorCount()).arg(problem.NumFactors);
    return std::nullopt;
}

std::optional<QString> MeasureTrial(const core::OptimizationProblem& problem, const QStringList& levelTexts,
                                    int vertex, const QLocale& locale)
{
    const SimulatedProcess* process = ProcessOfRun(problem);
    if (!process || levelTexts.size() < process->factorCount() || vertex < 1)
        return std::nullopt;
    ProcessLevels levels;
    for (int i = 0; i < process->factorCount(); ++i) {
        const std::optional<double> level = ReadDouble(levelTexts.at(i), locale);
        if (!level)
            return std::nullopt;
        levels.push_back(*level);
    }
    const double measured = MeasuredResponse(*process, levels, problem.SimulationNoise, problem.SimulationSeed,
                                             static_cast<std::uint64_t>(vertex));
    return core::ShortestSingleForm(SingleOf(measured), locale);
}

core::Message TrialLevelsNotNumbers()
{
    return Critical(DataEntryError, QStringLiteral("Every level must be a number before the trial can be run."));
}

GridText MeasureInitialRows(const core::OptimizationProblem& problem, GridText grid, const QLocale& locale)
{
    const int k = problem.NumFactors;
    for (int row = 1; row <= k + 1; ++row) {
        QStringList levels;
        for (int column = 1; column <= k; ++column)
            levels << grid.cell(row, column);
        if (const std::optional<QString> measured = MeasureTrial(problem, levels, row, locale))
            grid.setCell(row, k + 1, *measured);
    }
    return grid;
}

} // namespace zeltomir::simplex
