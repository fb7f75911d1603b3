#pragma once

// A uniform source that hands out a fixed list of numbers, so a test can
// say exactly which number each draw of a model takes and how many draws
// there were.

#include "core/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include <QString>

#include <ostream>

// Failure messages show texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace zeltomir::practice::testing {

class ScriptedSource final : public core::UniformSource {
public:
    explicit ScriptedSource(std::vector<double> numbers) : m_numbers(std::move(numbers)) {}

    double next() override
    {
        if (m_drawn >= m_numbers.size()) {
            ADD_FAILURE() << "draw " << m_drawn + 1 << " goes beyond the " << m_numbers.size() << " scripted numbers";
            ++m_drawn;
            return 0.5;
        }
        return m_numbers[m_drawn++];
    }

    // Records how many numbers had been drawn when the reseed came.
    void seedFromClock() override { m_seeds.push_back(m_drawn); }

    std::size_t drawn() const { return m_drawn; }
    const std::vector<std::size_t>& seeds() const { return m_seeds; }

private:
    std::vector<double> m_numbers;
    std::size_t m_drawn = 0;
    std::vector<std::size_t> m_seeds;
};

// A seeded generator that ignores reseeding from the clock, so that models
// which reseed at every question still give a repeatable test.
class SeededSource final : public core::UniformSource {
public:
    explicit SeededSource(std::uint64_t seed) : m_generator(seed) {}
    double next() override { return m_generator.next(); }
    void seedFromClock() override {}

private:
    core::RandomGenerator m_generator;
};

// Mean and standard deviation of a sample.
struct Spread {
    double mean = 0;
    double deviation = 0;
};

template <typename Draw>
Spread Sample(int count, Draw draw)
{
    double sum = 0;
    double squares = 0;
    for (int i = 0; i < count; ++i) {
        const double value = draw();
        sum += value;
        squares += value * value;
    }
    const double mean = sum / count;
    return {mean, std::sqrt(std::max(0.0, squares / count - mean * mean))};
}

} // namespace zeltomir::practice::testing
