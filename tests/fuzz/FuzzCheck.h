#pragma once

// A property that does not hold ends the run the way a sanitizer report
// does: the reason on standard error, then an abort, which libFuzzer records
// as a crash and saves with the input that caused it.

#include <QString>

#include <cstdio>
#include <cstdlib>

namespace zeltomir::fuzz {

[[noreturn]] inline void Fail(const char* condition, const QString& why, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: property broken: %s\n  (%s)\n", file, line, qPrintable(why), condition);
    std::abort();
}

} // namespace zeltomir::fuzz

#define FUZZ_CHECK(condition, why)                                                                                     \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            ::zeltomir::fuzz::Fail(#condition, (why), __FILE__, __LINE__);                                             \
    } while (false)
