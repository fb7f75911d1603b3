#include "core/VectorState.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define ZELTOMIR_CLEARS_UPPER_STATE 1
#include <immintrin.h>
#endif

namespace zeltomir::core {

#ifdef ZELTOMIR_CLEARS_UPPER_STATE
namespace {

// Compiled for AVX, so that the compiler knows the instruction and which
// registers it touches (an asm statement would hide both), and never inlined
// into code built for the baseline processor; reached only where the
// processor reports AVX.
__attribute__((target("avx"))) void ZeroUpperHalves()
{
    _mm256_zeroupper();
}

} // namespace
#endif

void ClearUpperVectorState()
{
#ifdef ZELTOMIR_CLEARS_UPPER_STATE
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        ZeroUpperHalves();
#endif
}

} // namespace zeltomir::core
