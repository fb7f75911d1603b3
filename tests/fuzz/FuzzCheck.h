#pragma once

// A property that does not hold ends the run the way a sanitizer report
// does: the reason on standard error, then an abort, which libFuzzer records
// as a crash and saves with the input that caused it. Replayed over the
// corpus by the unit tests, it throws instead, for the test to report.

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace zeltomir::fuzz {

[[noreturn]] inline void Fail(const char* condition, const QString& why, const char* file, int line)
{
    const QString report = QStringLiteral("%1:%2: property broken: %3\n  (%4)").arg(file).arg(line).arg(why, condition);
#ifdef ZELTOMIR_FUZZ_REPLAY
    throw std::runtime_error(report.toStdString());
#else
    std::fprintf(stderr, "%s\n", qPrintable(report));
    std::abort();
#endif
}

} // namespace zeltomir::fuzz

#define FUZZ_CHECK(condition, why)                                                                                     \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            ::zeltomir::fuzz::Fail(#condition, (why), __FILE__, __LINE__);                                             \
    } while (false)
