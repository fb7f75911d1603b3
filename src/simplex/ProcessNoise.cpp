#include "simplex/ProcessNoise.h"

#include <cmath>
#include <random>

namespace zeltomir::simplex {
namespace {

// SplitMix64's finaliser: neighbouring inputs (seed, seed + 1; draw n and
// n + 1) come out as unrelated 64-bit words, which is what a generator's
// seed must be for streams that do not overlap in any visible way.
std::uint64_t SplitMix64(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A uniform double in [0, 1) from the top 53 bits of one output: every value
// is a multiple of 2^-53, the same on every machine.
double UniformOf(std::mt19937_64& engine)
{
    return static_cast<double>(engine() >> 11) * 0x1.0p-53;
}

} // namespace

std::uint64_t FreshSeed()
{
    std::random_device entropy;
    const std::uint64_t bits = (static_cast<std::uint64_t>(entropy()) << 32) ^ entropy();
    return 1 + SplitMix64(bits) % (FreshSeedLimit - 1);
}

double StandardNormalDraw(std::uint64_t seed, std::uint64_t n)
{
    std::mt19937_64 engine(SplitMix64(SplitMix64(seed) ^ n));
    // Marsaglia's polar method: a point uniform in the unit disc gives a
    // normal draw without a sine or cosine, whose last bits differ more
    // between C libraries than a logarithm's do.
    for (;;) {
        const double u = 2 * UniformOf(engine) - 1;
        const double v = 2 * UniformOf(engine) - 1;
        const double s = u * u + v * v;
        if (s > 0 && s < 1)
            return u * std::sqrt(-2 * std::log(s) / s);
    }
}

double NoiseDraw(std::uint64_t seed, std::uint64_t n, double sigma)
{
    return sigma * StandardNormalDraw(seed, n);
}

double MeasuredResponse(const SimulatedProcess& process, std::span<const double> levels, double sigma,
                        std::uint64_t seed, std::uint64_t n)
{
    return process.trueResponse(levels) + NoiseDraw(seed, n, sigma);
}

} // namespace zeltomir::simplex
