#pragma once

// The geometric operations of the sequential simplex, all in coded units
// where every factor's limits are the box 0..1 (k = NumFactors):
//   Centroid(i)   mean of Simplex rows 2..k+1 (the retained vertices)
//   StepVector(i) Centroid(i) - Simplex(i, 1) (away from the rejected vertex)
//   reflection C + D, extension C + 2D, forward contraction C + D/2,
//   reverse contraction C - D/2.
// A coordinate above 1 or below 0 sets OutOfLimits to "y"; these operations
// never set it back (the step rules do). They expect every table sized for k
// factors and NumVertices vertices (core::EnsureCapacity).
//
// Where an operation "shows" its trial, the steps window displays TrialPoint;
// the answer tells whether that display is rounded to the factors' decimals.

#include "core/ProblemRecord.h"

#include <cstdint>

namespace zeltomir::simplex {

enum class Shown { Nothing, Rounded, Unrounded };

// Puts TrialPoint with this result, objective and vertex number into the
// simplex in place of the rejected vertex, re-ranks the retained vertices and
// computes the next reflection into TrialPoint. The vertex reflected next is
// the one lowest among the retained vertices before this acceptance, never
// the accepted vertex itself. Shows the reflection rounded.
Shown AcceptVertex(core::OptimizationProblem& problem, double result, double objective, std::int16_t number);

// Turns the reflection in TrialPoint into the extension when every coordinate
// of it lies within the limits (shown unrounded); otherwise only sets
// OutOfLimits and leaves TrialPoint at the reflection (nothing shown).
Shown ProposeExtension(core::OptimizationProblem& problem);

// Turn the reflection in TrialPoint into the contraction on the reflection
// side (C + D/2) or on the rejected side (C - D/2); shown unrounded.
Shown ContractForward(core::OptimizationProblem& problem);
Shown ContractReverse(core::OptimizationProblem& problem);

// The first trial of a freshly ranked initial simplex: the reflection of row
// 1, or when it leaves the limits the forward contraction, or when that
// leaves them too the reverse contraction clamped to the box (each fallback
// also sets CurrentVertexType and Instruction). Counts one retention for every
// initial vertex. Shows nothing: Begin Optimization fills the steps window.
void ProposeFirstTrial(core::OptimizationProblem& problem);

// The centroid of the retained rows 2..k+1, the step vector away from row 1
// and the reflection of row 1 into TrialPoint, as every acceptance computes
// them (a coordinate outside the limits sets OutOfLimits).
void ComputeReflection(core::OptimizationProblem& problem);

// TrialPoint = Centroid + stepShare * StepVector: the moves tried in turn
// when a trial leaves the limits. The last of them is clamped into the box;
// any other sets OutOfLimits for a coordinate outside it.
void PlaceTrialFromCentroid(core::OptimizationProblem& problem, double stepShare, bool clampToLimits);

// Sorts the retained rows 2..k+1 into ascending order of their objectives
// (RankSimplex); row 1, the vertex the trial moves away from, stays.
void RankRetainedRows(core::OptimizationProblem& problem);

// Adds 1 to TimesRetained of every vertex now in the simplex (row 1 included).
void CountRetention(core::OptimizationProblem& problem);

// A trial that lies on a limit comes out of the centroid and step arithmetic
// a rounding error beyond it (C + D/2 gives -5.6e-17 where it is 0, and
// levels read back from a file carry single precision): within this distance
// (coded units, a millionth of the factor's range) a coordinate is on the limit.
inline constexpr double LimitTolerance = 1e-6;

// True when a coded coordinate lies outside the box (0 and 1 are inside).
inline bool OutsideLimits(double coded) { return coded > 1 + LimitTolerance || coded < -LimitTolerance; }

// A coordinate inside the box as it is; one within the tolerance beyond a
// limit put exactly on the limit, so that no level is shown past it.
inline double OntoLimits(double coded) { return coded > 1 ? 1.0 : (coded < 0 ? 0.0 : coded); }

} // namespace zeltomir::simplex
