#pragma once

// The 15 significant decimal digits of a double, correctly rounded from its
// exact binary value with ties to even: the digits printf's "%.14e" writes.
// Every display form of a number starts from them, and tables of a million
// cells ask for them, so the usual range is done with one 128-bit
// multiplication instead of a general-purpose formatter.

#include <array>
#include <cstdint>

namespace zeltomir::core {

struct FifteenDigits {
    // The digits as one number: from 10^14 to below 10^15, or 0 for zero.
    std::uint64_t significand = 0;
    // |value| = 0.d1 d2 ... d15 x 10^point, that is significand x 10^(point - 15).
    int point = 1;
};

// 10^n at index n, for n from 0 to 19.
inline constexpr std::array<std::uint64_t, 20> PowersOfTen = [] {
    std::array<std::uint64_t, 20> table{};
    std::uint64_t power = 1;
    for (std::uint64_t& entry : table) {
        entry = power;
        power *= 10;
    }
    return table;
}();

// `magnitude` must be finite and not negative.
FifteenDigits FifteenDigitsOf(double magnitude);

} // namespace zeltomir::core
