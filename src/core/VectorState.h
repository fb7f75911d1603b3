#pragma once

// Qt 6.4's hash of strings and byte arrays, on processors with vector AES,
// returns with the upper halves of the ymm registers still in use. Until
// something clears them, every SSE instruction on such a processor carries a
// merge with them, and formatting or reading numbers runs three to four
// times slower (a state file of 100 factors and 5,000 vertices: 215 ms to
// write instead of 55). Any lookup in a QHash of strings, which the widgets
// do all the time, leaves the registers so; a long loop of number work
// clears them first. The instruction costs a few cycles.

namespace zeltomir::core {

inline void ClearUpperVectorState()
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        __asm__ volatile("vzeroupper" ::: "memory");
#endif
}

} // namespace zeltomir::core
