#pragma once

// The measurement noise of a simulated run: normal draws N(0, sigma^2) from a
// stream of the run's own, set by its seed. The draw for vertex n is the n-th
// of that stream and is computed from (seed, n) alone, so a vertex measured
// again after a save and reopen, or after an Undo, gets the same noise
// whatever was measured in between.
//
// Everything here is our own arithmetic on std::mt19937_64, whose output the
// standard fixes: the standard library's distributions are left alone because
// their output differs between libraries. A seed therefore gives the same
// stream wherever the program runs on the same C library (the normal draw
// takes a logarithm).

#include "simplex/SimulatedProcess.h"

#include <cstdint>
#include <span>

namespace zeltomir::simplex {

// The seeds the program draws for a new run are below this, so they are short
// to read out and write down, and every seed below it survives being written
// as a 15-digit number.
inline constexpr std::uint64_t FreshSeedLimit = 1'000'000'000;

// A new seed in 1..FreshSeedLimit-1, from the system's entropy source (not
// the program-wide generator the practice exercises reseed).
std::uint64_t FreshSeed();

// Draw n of the seed's stream from the standard normal distribution. Vertex
// numbers start at 1, and vertex n takes draw n.
double StandardNormalDraw(std::uint64_t seed, std::uint64_t n);

// The noise on vertex n of a run with this seed and standard deviation.
double NoiseDraw(std::uint64_t seed, std::uint64_t n, double sigma);

// What measuring vertex n at these levels gives: the true response plus its
// noise. With sigma 0 this is the true response exactly.
double MeasuredResponse(const SimulatedProcess& process, std::span<const double> levels, double sigma,
                        std::uint64_t seed, std::uint64_t n);

} // namespace zeltomir::simplex
