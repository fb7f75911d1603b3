#include "simplex/ProcessSearch.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace zeltomir::simplex {
namespace {

// About this many grid points in all: 500 per factor for two factors, 63 for
// three. Finer than any feature of the processes, and quick enough to run
// at every start of the test suite.
constexpr double GridBudget = 250000;
// The compass search stops once its step is below this share of every range.
constexpr double FinestStep = 1e-9;
constexpr int MaxClimbEvaluations = 2'000'000;

double RangeOf(const ProcessFactor& factor)
{
    return factor.upper - factor.lower;
}

int GridPointsPerFactor(std::size_t factorCount)
{
    const double perFactor = std::floor(std::pow(GridBudget, 1.0 / static_cast<double>(factorCount)));
    return std::max(11, static_cast<int>(perFactor));
}

// Walks every point of the grid with n points per factor, limits included,
// calling visit(levels, index) with the grid index (first factor fastest).
template <typename Visit>
void ForEachGridPoint(const std::vector<ProcessFactor>& factors, int n, Visit&& visit)
{
    const std::size_t k = factors.size();
    std::vector<int> step(k, 0);
    ProcessLevels levels(k);
    std::size_t index = 0;
    for (;;) {
        for (std::size_t i = 0; i < k; ++i)
            levels[i] = factors[i].lower + RangeOf(factors[i]) * step[i] / (n - 1);
        visit(std::span<const double>(levels), index++);
        std::size_t i = 0;
        while (i < k && ++step[i] == n)
            step[i++] = 0;
        if (i == k)
            return;
    }
}

double Clamped(const ProcessFactor& factor, double level)
{
    return std::clamp(level, factor.lower, factor.upper);
}

double ScoreOfGoal(const SimulatedProcess& process, double value)
{
    switch (process.goal) {
    case ProcessGoal::Maximise: return value;
    case ProcessGoal::Minimise: return -value;
    case ProcessGoal::Target: return -std::abs(value - process.target);
    }
    return value;
}

ProcessPoint WithTrueValue(const SimulatedProcess& process, ProcessPoint point)
{
    point.value = process.trueResponse(point.levels);
    return point;
}

// The gradient of the process's response in units of each factor's range.
std::vector<double> ScaledGradient(const SimulatedProcess& process, std::span<const double> levels)
{
    std::vector<double> gradient(levels.size());
    ProcessLevels probe(levels.begin(), levels.end());
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const double h = 1e-6 * RangeOf(process.factors[i]);
        probe[i] = levels[i] + h;
        const double up = process.trueResponse(probe);
        probe[i] = levels[i] - h;
        const double down = process.trueResponse(probe);
        probe[i] = levels[i];
        gradient[i] = (up - down) / 2e-6;
    }
    return gradient;
}

bool WithinLimits(const SimulatedProcess& process, std::span<const double> levels)
{
    for (std::size_t i = 0; i < levels.size(); ++i)
        if (levels[i] < process.factors[i].lower || levels[i] > process.factors[i].upper)
            return false;
    return true;
}

// Moves levels along the gradient until the response meets the target
// (Newton's method on R - T); false when it does not settle.
bool OntoTarget(const SimulatedProcess& process, ProcessLevels& levels)
{
    const double tolerance = 1e-10 * std::max(1.0, std::abs(process.target));
    for (int round = 0; round < 20; ++round) {
        const double miss = process.trueResponse(levels) - process.target;
        if (std::abs(miss) <= tolerance)
            return true;
        const std::vector<double> gradient = ScaledGradient(process, levels);
        double norm2 = 0;
        for (double g : gradient)
            norm2 += g * g;
        if (norm2 == 0)
            return false;
        for (std::size_t i = 0; i < levels.size(); ++i)
            levels[i] -= miss / norm2 * gradient[i] * RangeOf(process.factors[i]);
    }
    return false;
}

// From a point on the contour, slides along it towards the point nearest
// `from`: where the contour is nearest, the offset to `from` is normal to it.
ProcessLevels SlideAlongTarget(const SimulatedProcess& process, ProcessLevels onTarget, std::span<const double> from)
{
    const std::size_t k = from.size();
    double best = ScaledDistance(process, onTarget, from);
    for (int round = 0; round < 50; ++round) {
        const std::vector<double> gradient = ScaledGradient(process, onTarget);
        double along = 0;
        double norm2 = 0;
        for (std::size_t i = 0; i < k; ++i) {
            along += (from[i] - onTarget[i]) / RangeOf(process.factors[i]) * gradient[i];
            norm2 += gradient[i] * gradient[i];
        }
        if (norm2 == 0)
            break;
        ProcessLevels next(k);
        for (std::size_t i = 0; i < k; ++i)
            next[i] = from[i] - along / norm2 * gradient[i] * RangeOf(process.factors[i]);
        if (!OntoTarget(process, next) || !WithinLimits(process, next))
            break;
        const double distance = ScaledDistance(process, next, from);
        if (distance >= best)
            break;
        best = distance;
        onTarget = std::move(next);
    }
    return onTarget;
}

} // namespace

ProcessPoint ClimbFrom(const std::vector<ProcessFactor>& factors, const ProcessScore& score,
                       std::span<const double> start)
{
    const std::size_t k = factors.size();
    ProcessPoint at;
    at.levels.resize(k);
    for (std::size_t i = 0; i < k; ++i)
        at.levels[i] = Clamped(factors[i], start[i]);
    at.value = score(at.levels);
    // Start at a grid step's size: a start from the grid search lies within
    // one step of the top.
    double share = 1.0 / GridPointsPerFactor(k);
    ProcessLevels trial(k);
    int evaluations = 0;
    while (share > FinestStep && evaluations < MaxClimbEvaluations) {
        bool moved = false;
        for (std::size_t i = 0; i < k && !moved; ++i) {
            for (const double sign : {1.0, -1.0}) {
                trial = at.levels;
                trial[i] = Clamped(factors[i], at.levels[i] + sign * share * RangeOf(factors[i]));
                if (trial[i] == at.levels[i])
                    continue;
                const double value = score(trial);
                ++evaluations;
                if (value > at.value) {
                    at.levels = trial;
                    at.value = value;
                    moved = true;
                    break;
                }
            }
        }
        if (!moved)
            share /= 2;
    }
    return at;
}

ProcessPoint MaximiseOverLimits(const std::vector<ProcessFactor>& factors, const ProcessScore& score)
{
    ProcessPoint best;
    best.value = -std::numeric_limits<double>::infinity();
    ForEachGridPoint(factors, GridPointsPerFactor(factors.size()), [&](std::span<const double> levels, std::size_t) {
        const double value = score(levels);
        if (value > best.value) {
            best.value = value;
            best.levels.assign(levels.begin(), levels.end());
        }
    });
    return ClimbFrom(factors, score, best.levels);
}

ProcessPoint SearchOptimum(const SimulatedProcess& process)
{
    return WithTrueValue(process, MaximiseOverLimits(process.factors, [&](std::span<const double> levels) {
                             return ScoreOfGoal(process, process.trueResponse(levels));
                         }));
}

ProcessPoint SearchWorst(const SimulatedProcess& process)
{
    return WithTrueValue(process, MaximiseOverLimits(process.factors, [&](std::span<const double> levels) {
                             return -ScoreOfGoal(process, process.trueResponse(levels));
                         }));
}

ProcessPoint SearchLocalOptimum(const SimulatedProcess& process, std::span<const double> start)
{
    return WithTrueValue(process, ClimbFrom(
                                      process.factors,
                                      [&](std::span<const double> levels) {
                                          return ScoreOfGoal(process, process.trueResponse(levels));
                                      },
                                      start));
}

std::optional<ProcessPoint> NearestTargetPoint(const SimulatedProcess& process, std::span<const double> levels)
{
    const std::vector<ProcessFactor>& factors = process.factors;
    const std::size_t k = factors.size();
    const int n = GridPointsPerFactor(k);
    std::vector<double> miss;
    ForEachGridPoint(factors, n, [&](std::span<const double> point, std::size_t) {
        miss.push_back(process.trueResponse(point) - process.target);
    });

    // The contour crosses a grid edge where R - T changes sign along it;
    // bisection puts the crossing on the contour.
    std::optional<ProcessPoint> nearest;
    double nearestDistance = std::numeric_limits<double>::infinity();
    ProcessLevels a(k);
    ProcessLevels b(k);
    ForEachGridPoint(factors, n, [&](std::span<const double> point, std::size_t index) {
        std::size_t stride = 1;
        for (std::size_t i = 0; i < k; ++i, stride *= static_cast<std::size_t>(n)) {
            const bool lastAlong = (index / stride) % static_cast<std::size_t>(n) == static_cast<std::size_t>(n - 1);
            if (lastAlong || (miss[index] != 0 && (miss[index] > 0) == (miss[index + stride] > 0)))
                continue;
            a.assign(point.begin(), point.end());
            b = a;
            b[i] = std::min(factors[i].upper, a[i] + RangeOf(factors[i]) / (n - 1));
            const bool aAbove = miss[index] > 0;
            for (int round = 0; round < 60 && miss[index] != 0; ++round) {
                ProcessLevels middle = a;
                middle[i] = (a[i] + b[i]) / 2;
                if ((process.trueResponse(middle) - process.target > 0) == aAbove)
                    a = middle;
                else
                    b = middle;
            }
            const double distance = ScaledDistance(process, a, levels);
            if (distance < nearestDistance) {
                nearestDistance = distance;
                nearest = ProcessPoint{a, 0};
            }
        }
    });
    if (!nearest)
        return std::nullopt;
    nearest->levels = SlideAlongTarget(process, nearest->levels, levels);
    nearest->value = process.trueResponse(nearest->levels);
    return nearest;
}

} // namespace zeltomir::simplex
