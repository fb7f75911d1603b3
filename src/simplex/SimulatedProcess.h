#pragma once

// Simulated processes: response surfaces whose answer is known, for learning
// the simplex on (a trial is measured on the process instead of in the
// laboratory) and for measuring how well the method does. A process is data:
// its factors with their limits, its goal, its true response and where its
// true optimum lies. The noise a measurement gets is in ProcessNoise.h; the
// numerical search that confirms the optima is in ProcessSearch.h.
//
// Levels are always natural levels (the units the factor grid shows), one per
// factor in the process's factor order.

#include <QString>
#include <QStringView>

#include <optional>
#include <span>
#include <vector>

namespace zeltomir::simplex {

enum class ProcessGoal { Maximise, Minimise, Target };

struct ProcessFactor {
    QString name;
    QString unit; // empty for a factor without one (pH, a coded factor)
    double lower = 0;
    double upper = 0;
    int decimals = 0; // of its levels in the factor grid
};

using ProcessLevels = std::vector<double>;

struct ProcessPoint {
    ProcessLevels levels;
    double value = 0; // the true response there
};

using ResponseFunction = double (*)(std::span<const double> levels);

struct SimulatedProcess {
    QString name; // the id the runner and the state file use: "hill", "peak", ...
    QString title;
    QString description;
    QString responseName;
    QString responseUnit;
    std::vector<ProcessFactor> factors;
    ProcessGoal goal = ProcessGoal::Maximise;
    double target = 0; // the value to reach, for ProcessGoal::Target only
    ResponseFunction response = nullptr;
    // The best true value over the limits and where it lies. A target is
    // reached along a whole contour; this is the point of it nearest the
    // middle of the limits (NearestOptimum finds the one nearest a vertex).
    ProcessPoint optimum;
    // The worst true value over the limits: the lowest when maximising, the
    // highest when minimising, the farthest from the target for a target.
    ProcessPoint worst;
    // Local optima that are not the true one, where a run can end.
    std::vector<ProcessPoint> falseOptima;

    int factorCount() const { return static_cast<int>(factors.size()); }
    double trueResponse(std::span<const double> levels) const { return response(levels); }
};

// Every process the program offers, in the order the dialog lists them.
const std::vector<SimulatedProcess>& SimulatedProcesses();

// nullptr when no process has that name.
const SimulatedProcess* FindSimulatedProcess(QStringView name);

// The factor's name with its unit, "T (K)", or the name alone ("pH"): the
// factor name a simulated run's problem gets, so every window shows the unit.
QString FactorLabel(const ProcessFactor& factor);

// The Goal field of the problem record for a process's goal: "max", "min" or
// "mid" (a target, whose TargetValue is the process's target).
QString GoalText(ProcessGoal goal);

// How far apart the worst and the best true value lie: the largest distance
// from the target for a target. Noise given as a share of the response's
// range is a share of this.
double ResponseRange(const SimulatedProcess& process);

// Where a true value lies between the worst over the limits (0) and the
// optimum (1). For a target: 1 - |R - T| / (the largest |R - T| over the
// limits).
double OptimumFraction(const SimulatedProcess& process, double trueValue);

// "Within p of the optimum": a true value at least the fraction p of the way
// from the worst true value over the limits to the optimum (p = 0.95 for
// "within 95 %").
bool WithinOfOptimum(const SimulatedProcess& process, double trueValue, double p);

// The number (1-based) of the first trial whose true value is within p of the
// optimum, given the true values of the trials in the order they were run;
// nullopt when none is.
std::optional<int> FirstTrialWithin(const SimulatedProcess& process, std::span<const double> trueValues,
                                    double p);

// The distance between two sets of levels with each factor measured in
// units of its range, so factors in K and in pH weigh alike.
double ScaledDistance(const SimulatedProcess& process, std::span<const double> a, std::span<const double> b);

// The true optimum nearest these levels: the optimum itself, or for a target
// the nearest point within the limits where the target is reached.
ProcessPoint NearestOptimum(const SimulatedProcess& process, std::span<const double> levels);

// Whether levels lie nearer (in ScaledDistance) to a false optimum than to
// the true one: a run that ends there has been caught by the false one.
bool NearerFalseOptimum(const SimulatedProcess& process, std::span<const double> levels);

} // namespace zeltomir::simplex
