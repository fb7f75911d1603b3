#include "core/Random.h"

#include <chrono>

namespace zeltomir::core {

RandomGenerator::RandomGenerator() { seedFromClock(); }

RandomGenerator::RandomGenerator(std::uint64_t seedValue) { seed(seedValue); }

double RandomGenerator::next()
{
    // 53 random bits give every double in [0, 1) on the 2^-53 grid; 1 is never reached.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

void RandomGenerator::seedFromClock()
{
    seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

void RandomGenerator::seed(std::uint64_t seedValue) { m_engine.seed(seedValue); }

namespace {
UniformSource* g_installed = nullptr;
}

UniformSource& ProgramRandom()
{
    static RandomGenerator programGenerator;
    return g_installed ? *g_installed : programGenerator;
}

void SetProgramRandom(UniformSource* source) { g_installed = source; }

} // namespace zeltomir::core
