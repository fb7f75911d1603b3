#pragma once

// The numerical routines behind the simulated processes of the practice
// exercises: turning a point about the origin, solving a small linear system
// and adding normally distributed noise. They work on the caller's values in
// place and keep no state; every random number comes from the source passed in.

#include <vector>

namespace zeltomir::core {
class UniformSource;
}

namespace zeltomir::practice {

// The exercises take pi as 3.141593; their answers depend on that value.
inline constexpr double Pi = 3.141593;

// Turns (x, y) about the origin by angleDegrees (positive: counter-clockwise).
// Components below 1 in magnitude are set to 0 before the turn (x first, then
// y) and again after it; the radius is taken from the point as passed in.
// When the point is the origin after the first zeroing it stays the origin.
void RotatePoint(float& x, float& y, float angleDegrees);

// A square matrix indexed [row][column] from 1; row and column 0 exist and
// are never used.
using SquareMatrix = std::vector<std::vector<double>>;
SquareMatrix MakeSquareMatrix(int n);

// Solves a x = b for the n-by-n system in slots 1..n by Crout's LU
// decomposition with implicit (row-scaled) partial pivoting. On return
// singular is 0 and x (resized to n + 1 slots) holds the solution, or
// singular is 1 and x is unfinished. a is left holding its factors in the
// pivoted row order. Arrays too small for n count as singular.
void SolveLinearSystem(int n, SquareMatrix& a, const std::vector<double>& b, std::vector<double>& x, int& singular);

// Where both partial derivatives of the two-factor quadratic
// k + p1 u + p2 v + p12 u v - p11 u^2 - p22 v^2 vanish, by SolveLinearSystem.
// When the system is singular, u and v hold what the solver left in x
// (0 when it left nothing).
struct StationaryPoint {
    double u = 0;
    double v = 0;
    int singular = 0;
};
StationaryPoint SolveStationaryPoint(double p1, double p2, double p12, double p11, double p22);

// value += spread * z with z a standard normal deviate by Box-Muller:
// z = sqrt(-2 ln U2) * cos(6.2832 U1), drawing U1 and then U2. A U2 of 0 has
// no logarithm, so U2 alone is drawn again until it is not 0.
void AddGaussianNoise(double& value, double spread, core::UniformSource& source);

// The same, only when apply is true; when false nothing is drawn.
void AddGaussianNoise(double& value, double spread, bool apply, core::UniformSource& source);

// A double as a single-precision value; values beyond the single range
// become infinities instead of an undefined conversion.
float ToSingle(double value);

} // namespace zeltomir::practice
