#include "core/FifteenDigits.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>

namespace zeltomir::core {
namespace {

constexpr std::uint64_t Lowest15 = PowersOfTen[14]; // the smallest 15-digit integer
constexpr std::uint64_t Beyond15 = PowersOfTen[15];

#ifdef __SIZEOF_INT128__
// A compiler extension (GCC and Clang), said so to keep -Wpedantic quiet;
// without it every value takes the standard formatter below.
__extension__ typedef unsigned __int128 UInt128;
#endif

void ByFormatter(double magnitude, FifteenDigits& form)
{
    char buffer[40];
    const char* end = std::to_chars(std::begin(buffer), std::end(buffer), magnitude, std::chars_format::scientific, 14).ptr;
    // d.dddddddddddddde[+-]XX
    std::uint64_t significand = static_cast<std::uint64_t>(buffer[0] - '0');
    for (const char* digit = buffer + 2; digit < buffer + 16; ++digit)
        significand = significand * 10 + static_cast<std::uint64_t>(*digit - '0');
    const char* e = std::find(static_cast<const char*>(buffer), end, 'e');
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    form.significand = significand;
    form.point = exponent + 1;
}

} // namespace

// In [1e-5, 1e15) a value is m x 2^e with m below 2^53 and e between -69
// and -1, and the 15 digits are m x 10^p / 2^-e rounded, with p = 14 - the
// decimal exponent between 0 and 19: the product stays below 2^117, so the
// quotient and the remainder that decides the rounding are exact.
FifteenDigits FifteenDigitsOf(double magnitude)
{
    FifteenDigits form;
#ifdef __SIZEOF_INT128__
    if (!(magnitude >= 1e-5 && magnitude < 1e15)) {
        ByFormatter(magnitude, form);
        return form;
    }
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 1075 - biased;
    // The binary exponent times log10(2) (78913 / 2^18), floored: the
    // decimal exponent or one below it; the quotient says which.
    int exponent = ((biased - 1023) * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int p = 14 - exponent;
        if (p < 0 || p > 19)
            break;
        const UInt128 scaled = static_cast<UInt128>(mantissa) * PowersOfTen[static_cast<std::size_t>(p)];
        std::uint64_t quotient = static_cast<std::uint64_t>(scaled >> shift);
        if (quotient >= Beyond15) {
            ++exponent;
            continue;
        }
        if (quotient < Lowest15) {
            --exponent;
            continue;
        }
        const UInt128 remainder = scaled & ((static_cast<UInt128>(1) << shift) - 1);
        const UInt128 half = static_cast<UInt128>(1) << (shift - 1);
        if (remainder > half || (remainder == half && (quotient & 1) != 0))
            ++quotient;
        if (quotient == Beyond15) {
            quotient = Lowest15;
            ++exponent;
        }
        form.significand = quotient;
        form.point = exponent + 1;
        return form;
    }
#endif
    ByFormatter(magnitude, form);
    return form;
}

} // namespace zeltomir::core
