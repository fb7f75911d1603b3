#pragma once

#include <cstdint>
#include <random>

namespace zeltomir::core {

// The program-wide source of uniform numbers in [0, 1). The practice models
// draw from it in a fixed order, so tests inject a seeded or scripted source.
class UniformSource {
public:
    virtual ~UniformSource() = default;
    virtual double next() = 0;
    // Start-up and every new variance question reseed from the clock.
    virtual void seedFromClock() = 0;
};

class RandomGenerator final : public UniformSource {
public:
    RandomGenerator();
    explicit RandomGenerator(std::uint64_t seed);

    double next() override;
    void seedFromClock() override;
    void seed(std::uint64_t seed);

private:
    std::mt19937_64 m_engine;
};

// The generator the program uses unless a test installs another.
UniformSource& ProgramRandom();
void SetProgramRandom(UniformSource* source); // nullptr restores the default

} // namespace zeltomir::core
