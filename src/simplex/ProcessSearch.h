#pragma once

// Numerical search over a simulated process's limits: where its optimum, its
// worst value and its local optima lie, found without knowing the formula.
// The stated optima of the processes are checked against this search, and a
// target's nearest point on its contour is found with it.
//
// The search evaluates a fine grid (every factor's limits included) and then
// refines the best grid point by a compass search whose step halves down to
// a billionth of each factor's range. It assumes the surface is smooth on the
// grid's scale, which every process here is.

#include "simplex/SimulatedProcess.h"

#include <functional>
#include <span>
#include <vector>

namespace zeltomir::simplex {

using ProcessScore = std::function<double(std::span<const double> levels)>;

// The levels within the limits where the score is highest, and that score.
ProcessPoint MaximiseOverLimits(const std::vector<ProcessFactor>& factors, const ProcessScore& score);

// The local maximum of the score the compass search climbs to from start
// (kept within the limits), and the score there.
ProcessPoint ClimbFrom(const std::vector<ProcessFactor>& factors, const ProcessScore& score,
                       std::span<const double> start);

// The process's best and worst true values over its limits, as its goal
// defines them; the point's value is the true response there.
ProcessPoint SearchOptimum(const SimulatedProcess& process);
ProcessPoint SearchWorst(const SimulatedProcess& process);

// The local optimum (as the goal defines it) reached by climbing from start.
ProcessPoint SearchLocalOptimum(const SimulatedProcess& process, std::span<const double> start);

// For a target: the point within the limits where the target is reached that
// lies nearest the levels (in ScaledDistance), or nullopt when the target is
// reached nowhere within them.
std::optional<ProcessPoint> NearestTargetPoint(const SimulatedProcess& process, std::span<const double> levels);

} // namespace zeltomir::simplex
