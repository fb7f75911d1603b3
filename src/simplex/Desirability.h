#pragma once

// Several responses judged as one: each response's desirability d between
// 0 and 1 (Derringer and Suich's functions), their overall desirability D,
// and the objective the simplex ranks a vertex by.

#include "core/Responses.h"

#include <vector>

namespace zeltomir::simplex {

using core::ResponseDefinition;
using core::ResponseGoal;

// d of one response for the value y; 1 for a response only tracked (it
// takes no part in D).
//   Maximize: 0 up to L, ((y-L)/(U-L))^s between, 1 from U on.
//   Minimize: 1 up to L, ((U-y)/(U-L))^s between, 0 from U on.
//   Target:   ((y-L)/(T-L))^s from L to T, ((U-y)/(U-T))^t above T up to U,
//             0 outside [L, U].
double Desirability(const ResponseDefinition& response, double y);

// D = (product of d_i^r_i)^(1 / sum of r_i) over the responses that are not
// only tracked; values[i] belongs to responses[i].
double OverallDesirability(const std::vector<ResponseDefinition>& responses, const std::vector<double>& values);

// What the simplex maximises for a vertex with these values: D where D > 0.
// Where D = 0 no two vertices could be told apart (and at the start of a
// run all may be there), so the objective is minus the sum, over the
// responses whose d is 0, of how far the value falls short of acceptable
// as a share of U - L (L - y to maximise, y - U to minimise, the distance
// outside [L, U] for a target): at most 0, below every vertex with D > 0,
// and higher the nearer the vertex comes to acceptable.
double ResponsesObjective(const std::vector<ResponseDefinition>& responses, const std::vector<double>& values);

} // namespace zeltomir::simplex
