// A long headless session: zeltomir-cli optimize with 10 factors, run as the
// program itself with every result fed through standard input. The time per
// step should stay flat as the session grows (500, 1000, 2000 steps): a step
// that scanned the whole vertex history would show as a per-step time rising
// with the length. Only the vertex summary at the end reads every vertex.
// The program start is part of each run and adds the same amount to all.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <random>
#include <string>

namespace {

constexpr int Factors = 10;

// The runner is built into the same folder as this benchmark.
QString ProgramPath()
{
    const QString folder = QCoreApplication::instance()
        ? QCoreApplication::applicationDirPath()
        : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return folder + QStringLiteral("/zeltomir-cli");
}

QStringList SessionArguments()
{
    QStringList arguments{QStringLiteral("optimize")};
    for (int i = 1; i <= Factors; ++i)
        arguments << QStringLiteral("--factor") << QStringLiteral("F%1=0..100/2").arg(i);
    return arguments;
}

// The k+1 initial results, then one result per step. The results are drawn,
// not modelled: every kind of move occurs, and the cost of a step does not
// depend on which one it is.
QByteArray SessionInput(int steps)
{
    std::mt19937 generator(17);
    std::uniform_int_distribution<int> hundredths(0, 10000);
    std::string input;
    for (int line = 0; line < Factors + 1 + steps; ++line)
        input += std::to_string(hundredths(generator) / 100.0) + '\n';
    return QByteArray::fromStdString(input);
}

void BM_CliSession(benchmark::State& state)
{
    const QString program = ProgramPath();
    if (!QFileInfo(program).isExecutable()) {
        state.SkipWithError("zeltomir-cli is not built next to the benchmark");
        return;
    }
    const auto steps = static_cast<int>(state.range(0));
    const QStringList arguments = SessionArguments();
    const QByteArray input = SessionInput(steps);
    for (auto _ : state) {
        QProcess process;
        process.start(program, arguments);
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(600000) || process.exitCode() != 0) {
            state.SkipWithError("the session did not end normally");
            return;
        }
        benchmark::DoNotOptimize(process.readAllStandardOutput());
    }
    state.counters["steps"] = steps;
    state.counters["per_step"] =
        benchmark::Counter(steps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CliSession)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
