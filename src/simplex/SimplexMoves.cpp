#include "simplex/SimplexMoves.h"

#include "simplex/RankSimplex.h"
#include "simplex/SimplexTerms.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zeltomir::simplex {

namespace {

double& slot(std::vector<double>& table, int i)
{
    return table[static_cast<std::size_t>(i)];
}

// Flags a coordinate outside the limits; one within the tolerance of a limit
// is put on it.
void MarkOutside(core::OptimizationProblem& problem, double& coded)
{
    if (OutsideLimits(coded))
        problem.OutOfLimits = QStringLiteral("y");
    else
        coded = OntoLimits(coded);
}

// Centroid of the retained rows 2..k+1.
void ComputeCentroid(core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    for (int i = 1; i <= k; ++i) {
        double sum = 0;
        for (int r = 2; r <= k + 1; ++r)
            sum += problem.Simplex.value(i, r);
        slot(problem.Centroid, i) = sum / k;
    }
}

Shown MoveBack(core::OptimizationProblem& problem, double factor)
{
    for (int i = 1; i <= problem.NumFactors; ++i) {
        double& trial = slot(problem.TrialPoint, i);
        trial = trial - slot(problem.StepVector, i) * factor;
        MarkOutside(problem, trial);
    }
    return Shown::Unrounded;
}

} // namespace

void ComputeReflection(core::OptimizationProblem& problem)
{
    ComputeCentroid(problem);
    for (int i = 1; i <= problem.NumFactors; ++i) {
        const double centroid = slot(problem.Centroid, i);
        const double rejected = problem.Simplex.value(i, 1);
        slot(problem.TrialPoint, i) = 2 * centroid - rejected;
        MarkOutside(problem, slot(problem.TrialPoint, i));
        slot(problem.StepVector, i) = centroid - rejected;
    }
}

void PlaceTrialFromCentroid(core::OptimizationProblem& problem, double stepShare, bool clampToLimits)
{
    for (int i = 1; i <= problem.NumFactors; ++i) {
        double& trial = slot(problem.TrialPoint, i);
        trial = slot(problem.Centroid, i) + stepShare * slot(problem.StepVector, i);
        if (clampToLimits)
            trial = std::clamp(trial, 0.0, 1.0);
        else
            MarkOutside(problem, trial);
    }
}

Shown AcceptVertex(core::OptimizationProblem& problem, double result, double objective, std::int16_t number)
{
    const int k = problem.NumFactors;
    core::Matrix& simplex = problem.Simplex;
    for (int c = 1; c <= k + 4; ++c)
        simplex.at(c, 1) = simplex.value(c, 2);
    for (int i = 1; i <= k; ++i)
        simplex.at(i, 2) = slot(problem.TrialPoint, i);
    simplex.at(k + 1, 2) = result;
    simplex.at(k + 3, 2) = number;
    simplex.at(k + 4, 2) = objective;
    RankRetainedRows(problem);
    ComputeReflection(problem);
    return Shown::Rounded;
}

void RankRetainedRows(core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    std::vector<double> keys(static_cast<std::size_t>(k + 1));
    for (int r = 1; r <= k; ++r)
        keys[static_cast<std::size_t>(r)] = problem.Simplex.value(k + 4, r + 1);
    RankSimplex(k, k + 4, keys, problem.Simplex, 1);
}

Shown ProposeExtension(core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    std::vector<double> extension(static_cast<std::size_t>(k + 1));
    for (int i = 1; i <= k; ++i) {
        slot(extension, i) = slot(problem.TrialPoint, i) + slot(problem.StepVector, i);
        MarkOutside(problem, slot(extension, i));
    }
    if (problem.OutOfLimits != QLatin1String("n"))
        return Shown::Nothing;
    for (int i = 1; i <= k; ++i)
        slot(problem.TrialPoint, i) = slot(extension, i);
    return Shown::Unrounded;
}

Shown ContractForward(core::OptimizationProblem& problem)
{
    return MoveBack(problem, 0.5);
}

Shown ContractReverse(core::OptimizationProblem& problem)
{
    return MoveBack(problem, 1.5);
}

void ProposeFirstTrial(core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    ComputeReflection(problem);
    problem.CurrentVertexType = VertexType::Reflection;
    if (problem.OutOfLimits == QLatin1String("y")) {
        problem.OutOfLimits = QStringLiteral("n");
        problem.CurrentVertexType = VertexType::ForwardContraction;
        problem.Instruction = InstructionText::ContractForward;
        PlaceTrialFromCentroid(problem, 0.5, false);
    }
    if (problem.OutOfLimits == QLatin1String("y")) {
        problem.OutOfLimits = QStringLiteral("n");
        problem.CurrentVertexType = VertexType::ReverseContraction;
        problem.Instruction = InstructionText::ContractReverse;
        PlaceTrialFromCentroid(problem, -0.5, true);
    }
    for (int v = 1; v <= k + 1; ++v)
        problem.VertexHistory.at(k + 3, v) += 1;
}

void CountRetention(core::OptimizationProblem& problem)
{
    // Each simplex row names its vertex; counting row by row gives what a scan
    // of every vertex against every row gives, without the scan's cost on a
    // long history. A number that is no whole vertex of the history matches none.
    const int k = problem.NumFactors;
    for (int r = 1; r <= k + 1; ++r) {
        const double number = problem.Simplex.value(k + 3, r);
        if (number >= 1 && number <= problem.NumVertices && std::floor(number) == number)
            problem.VertexHistory.at(k + 3, static_cast<int>(number)) += 1;
    }
}

} // namespace zeltomir::simplex
