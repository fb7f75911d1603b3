#include "core/ShortestDecimal.h"

#include "core/NumberText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

namespace zeltomir::core {

namespace {

// A file number carries 15 significant digits, so it reads back within half
// a unit of the 15th digit of the value written.
constexpr double FifteenDigitsError = 1e-14;

// More digits than a double holds never make a shorter decimal.
constexpr int MostDigits = 17;

bool InSingleRange(double value)
{
    return std::isfinite(value) && std::fabs(value) <= static_cast<double>(FLT_MAX);
}

// 10^0 .. 10^22, each exact as a double.
constexpr std::array<double, 23> ExactPowersOfTen = [] {
    std::array<double, 23> powers{};
    double power = 1;
    for (double& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

double PowerOfTen(int exponent)
{
    return exponent <= 22 ? ExactPowersOfTen[static_cast<std::size_t>(exponent)] : std::pow(10.0, exponent);
}

// m * 10^scale as the double nearest to that decimal where the power is
// exact (a single rounding); beyond that, near enough to be checked.
double Decimal(double m, int scale)
{
    return scale >= 0 ? m * PowerOfTen(scale) : m / PowerOfTen(-scale);
}

// The multiples m of 10^scale with m * 10^scale in [low, high], as m.
struct Multiples {
    double first = 0;
    double last = -1;
    bool any() const { return first <= last; }
};

Multiples MultiplesWithin(double low, double high, int scale)
{
    if (scale >= 0) {
        const double power = PowerOfTen(scale);
        return {std::ceil(low / power), std::floor(high / power)};
    }
    const double power = PowerOfTen(-scale);
    return {std::ceil(low * power), std::floor(high * power)};
}

// The distance from a finite single to the next one away from zero,
// 2^(exponent - 150) (2^-149 for the subnormals), built as a double's bits:
// it is asked for every level of a long history.
double SingleSpacing(float single)
{
    const std::uint32_t exponent = (std::bit_cast<std::uint32_t>(single) >> 23) & 0xFFu;
    const int binary = exponent == 0 ? -149 : static_cast<int>(exponent) - 150;
    return std::bit_cast<double>(static_cast<std::uint64_t>(binary + 1023) << 52);
}

// The nearest whole number, halves to even, for |value| below 2^51: adding
// and taking away 1.5 * 2^52 leaves no bits below the units.
double RoundToWhole(double value)
{
    constexpr double Shift = 0x1.8p52;
    return std::fabs(value) < 0x1p51 ? (value + Shift) - Shift : std::nearbyint(value);
}

// floor(log10(magnitude)) for a finite magnitude above 0. Most levels lie
// where the exact powers reach, and there the binary exponent and one
// comparison tell it without a logarithm.
int DecimalExponent(double magnitude)
{
    constexpr double Log10Of2 = 0.30102999566398120;
    if (magnitude < 1e-22 || magnitude >= 1e22)
        return static_cast<int>(std::floor(std::log10(magnitude)));
    int binary = 0;
    std::frexp(magnitude, &binary); // magnitude = f * 2^binary, 0.5 <= f < 1
    int exponent = static_cast<int>(std::floor((binary - 1) * Log10Of2));
    const auto power = [](int e) { return e >= 0 ? ExactPowersOfTen[static_cast<std::size_t>(e)]
                                                 : 1 / ExactPowersOfTen[static_cast<std::size_t>(-e)]; };
    if (exponent + 1 <= 22 && magnitude >= power(exponent + 1))
        ++exponent;
    return exponent;
}

} // namespace

bool KeepsSingle(double value, double stored)
{
    if (!InSingleRange(stored))
        return value == stored;
    const auto roundsToStored = [stored](double v) {
        return InSingleRange(v) && static_cast<double>(static_cast<float>(v)) == stored;
    };
    const int sides = int(roundsToStored(value * (1 - FifteenDigitsError))) + int(roundsToStored(value))
                      + int(roundsToStored(value * (1 + FifteenDigitsError)));
    if (sides != 3 && sides != 0) {
        // So near the midpoint between two singles that only the file's own
        // digits can tell which one it reads back as.
        const std::optional<double> back = ParseFileNumber(FileNumber(value, Precision::Double));
        return back && roundsToStored(*back);
    }
    return sides == 3;
}

double ShortestDecimalOfSingle(double stored)
{
    if (!InSingleRange(stored))
        return stored;
    // The shortest form of a float is the shortest decimal that reads back
    // as that float, the nearest of equally short ones.
    std::array<char, 64> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), static_cast<float>(stored));
    double decimal = stored;
    std::from_chars(text.data(), written.ptr, decimal);
    return decimal;
}

double ShortestDecimalIfSingle(double value)
{
    const bool single = InSingleRange(value) && static_cast<double>(static_cast<float>(value)) == value;
    return single ? ShortestDecimalOfSingle(value) : value;
}

std::optional<double> ShortestNaturalLevel(double lower, double upper, double stored, int decimals)
{
    const double span = upper - lower;
    if (!InSingleRange(stored) || !std::isfinite(lower) || !std::isfinite(upper) || !std::isfinite(span)
        || span == 0)
        return std::nullopt;
    const auto coded = [lower, span](double natural) { return (natural - lower) / span; };
    const auto qualifies = [&](double natural) { return KeepsSingle(coded(natural), stored); };
    const double natural = lower + span * stored;

    // Where the single is finer than a step of the given decimals, no other
    // level with as few decimals rounds to it, and the level rounded to them
    // is the shortest, when it qualifies at all.
    const auto single = static_cast<float>(stored);
    if (decimals >= 0 && decimals <= 22) {
        const double power = ExactPowersOfTen[static_cast<std::size_t>(decimals)];
        if (std::fabs(span) * SingleSpacing(single) * power < 1) {
            const double level = RoundToWhole(natural * power) / power;
            if (qualifies(level))
                return level;
        }
    }

    // The natural levels whose coded values round to this single lie between
    // the midpoints to its neighbours.
    const double below = (static_cast<double>(std::nextafter(single, -FLT_MAX)) + stored) / 2;
    const double above = (static_cast<double>(std::nextafter(single, FLT_MAX)) + stored) / 2;
    double low = lower + span * below;
    double high = lower + span * above;
    if (low > high)
        std::swap(low, high);
    if (!std::isfinite(low) || !std::isfinite(high))
        return std::nullopt;
    // The range is computed in natural units, a few units of their last
    // place off (where the single is finer than they are, a single point);
    // a level at its very edge must not be lost.
    const double slack = std::max(std::fabs(low), std::fabs(high)) * 0x1p-50;
    low -= slack;
    high += slack;
    if (!(low < high))
        return std::nullopt;
    if (low <= 0 && high >= 0 && qualifies(0))
        return 0.0;

    // A scale that has a multiple of its power of ten in the range gives
    // levels of that many decimal places; every finer scale has one too. So
    // the coarsest such scale, found by halving, gives the shortest levels.
    // The range comes from floating arithmetic, so every candidate is
    // checked, and where none qualifies the next finer scale is tried.
    int coarse = DecimalExponent(std::max(std::fabs(low), std::fabs(high))) + 1; // no multiple but 0 (tried)
    int fine = std::max(DecimalExponent(high - low) - 1, coarse - MostDigits);
    if (!MultiplesWithin(low, high, fine).any())
        return std::nullopt;
    while (coarse - fine > 1) {
        const int middle = fine + (coarse - fine) / 2;
        (MultiplesWithin(low, high, middle).any() ? fine : coarse) = middle;
    }
    for (int scale = fine; scale >= coarse - MostDigits; --scale) {
        const Multiples multiples = MultiplesWithin(low, high, scale);
        if (!multiples.any())
            continue;
        // Nearest first: the multiple closest to the stored level, then the
        // neighbour on its side and the other one.
        const double target = Decimal(natural, -scale);
        const double centre = std::clamp(std::nearbyint(target), multiples.first, multiples.last);
        const double side = target < centre ? -1 : 1;
        for (const double m : {centre, centre + side, centre - side}) {
            const double candidate = Decimal(m, scale);
            if (qualifies(candidate))
                return candidate;
        }
    }
    return std::nullopt;
}

double ShortestDecimalLevel(double lower, double upper, double stored, int decimals)
{
    const std::optional<double> natural = ShortestNaturalLevel(lower, upper, stored, decimals);
    return natural ? (*natural - lower) / (upper - lower) : stored;
}

} // namespace zeltomir::core
