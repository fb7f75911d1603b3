#include "practice/PracticeRoutines.h"

#include "core/Random.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

namespace zeltomir::practice {
namespace {

void ZeroBelowOne(float& x, float& y)
{
    if (std::fabs(x) < 1.0F)
        x = 0;
    if (std::fabs(y) < 1.0F)
        y = 0;
}

// Counter-clockwise from the positive x axis, with the product's pi.
double PolarAngle(float x, float y)
{
    if (y == 0)
        return x < 0 ? Pi : 0.0;
    if (x == 0)
        return y > 0 ? Pi / 2 : 3 * Pi / 2;
    const double t = std::atan(std::fabs(static_cast<double>(y)) / std::fabs(static_cast<double>(x)));
    if (x > 0)
        return y > 0 ? t : 2 * Pi - t;
    return y > 0 ? Pi - t : Pi + t;
}

bool FitsSystem(int n, const SquareMatrix& a, const std::vector<double>& b)
{
    const auto slots = static_cast<std::size_t>(n) + 1;
    if (n < 1 || a.size() < slots || b.size() < slots)
        return false;
    for (std::size_t i = 1; i < slots; ++i) {
        if (a[i].size() < slots)
            return false;
    }
    return true;
}

// The pivot below which the system counts as singular.
constexpr double TinyPivot = 1e-12;

} // namespace

void RotatePoint(float& x, float& y, float angleDegrees)
{
    const float radians = static_cast<float>(angleDegrees * Pi / 180.0);
    const double radius = std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y);
    ZeroBelowOne(x, y);
    if (x == 0 && y == 0)
        return;
    const double phi = PolarAngle(x, y) + radians;
    x = ToSingle(radius * std::cos(phi));
    y = ToSingle(radius * std::sin(phi));
    ZeroBelowOne(x, y);
}

SquareMatrix MakeSquareMatrix(int n)
{
    const auto slots = static_cast<std::size_t>(n < 0 ? 0 : n) + 1;
    return SquareMatrix(slots, std::vector<double>(slots, 0.0));
}

void SolveLinearSystem(int n, SquareMatrix& a, const std::vector<double>& b, std::vector<double>& x, int& singular)
{
    singular = 0;
    if (!FitsSystem(n, a, b)) {
        singular = 1;
        return;
    }
    const auto size = static_cast<std::size_t>(n);
    x.assign(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(size + 1));

    std::vector<double> scale(size + 1, 0.0);
    for (std::size_t i = 1; i <= size; ++i) {
        for (std::size_t j = 1; j <= size; ++j)
            scale[i] = std::max(scale[i], std::fabs(a[i][j]));
        if (scale[i] == 0) {
            singular = 1;
            return;
        }
    }

    std::vector<std::size_t> exchanged(size + 1, 0);
    for (std::size_t j = 1; j <= size; ++j) {
        for (std::size_t i = 1; i < j; ++i) {
            double sum = a[i][j];
            for (std::size_t k = 1; k < i; ++k)
                sum -= a[i][k] * a[k][j];
            a[i][j] = sum;
        }
        double largest = 0;
        std::size_t pivot = j;
        for (std::size_t i = j; i <= size; ++i) {
            double sum = a[i][j];
            for (std::size_t k = 1; k < j; ++k)
                sum -= a[i][k] * a[k][j];
            a[i][j] = sum;
            // ">=" so that of equal candidates the later row becomes the pivot.
            const double candidate = std::fabs(sum) / scale[i];
            if (candidate >= largest) {
                largest = candidate;
                pivot = i;
            }
        }
        if (pivot != j) {
            std::swap(a[pivot], a[j]);
            scale[pivot] = scale[j];
        }
        exchanged[j] = pivot;
        if (std::fabs(a[j][j]) <= TinyPivot) {
            singular = 1;
            return;
        }
        for (std::size_t i = j + 1; i <= size; ++i)
            a[i][j] /= a[j][j];
    }

    for (std::size_t i = 1; i <= size; ++i) {
        const std::size_t from = exchanged[i];
        double sum = x[from];
        x[from] = x[i];
        for (std::size_t k = 1; k < i; ++k)
            sum -= a[i][k] * x[k];
        x[i] = sum;
    }
    for (std::size_t i = size; i >= 1; --i) {
        double sum = x[i];
        for (std::size_t k = i + 1; k <= size; ++k)
            sum -= a[i][k] * x[k];
        x[i] = sum / a[i][i];
    }
}

StationaryPoint SolveStationaryPoint(double p1, double p2, double p12, double p11, double p22)
{
    SquareMatrix a = MakeSquareMatrix(2);
    a[1][1] = -2.0 * p11;
    a[1][2] = p12;
    a[2][1] = p12;
    a[2][2] = -2.0 * p22;
    const std::vector<double> b{0.0, -p1, -p2};
    std::vector<double> x;
    StationaryPoint point;
    SolveLinearSystem(2, a, b, x, point.singular);
    if (x.size() >= 3) {
        point.u = x[1];
        point.v = x[2];
    }
    return point;
}

void AddGaussianNoise(double& value, double spread, core::UniformSource& source)
{
    const double u1 = source.next();
    double u2 = source.next();
    // A source that keeps giving 0 would otherwise hold the program forever;
    // after many redraws the smallest positive number stands in for it.
    constexpr int MostRedraws = 1000;
    for (int redraw = 0; u2 <= 0 && redraw < MostRedraws; ++redraw)
        u2 = source.next();
    if (u2 <= 0)
        u2 = std::numeric_limits<double>::min();
    const double z = std::sqrt(-2.0 * std::log(u2)) * std::cos(6.2832 * u1);
    value += spread * z;
}

void AddGaussianNoise(double& value, double spread, bool apply, core::UniformSource& source)
{
    if (apply)
        AddGaussianNoise(value, spread, source);
}

float ToSingle(double value)
{
    if (value > static_cast<double>(FLT_MAX))
        return std::numeric_limits<float>::infinity();
    if (value < -static_cast<double>(FLT_MAX))
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

} // namespace zeltomir::practice
