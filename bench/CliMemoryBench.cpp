// Peak memory of zeltomir-cli optimize at 100 factors and 5,000 vertices,
// every result fed through standard input as in the session benchmark. The
// program runs with its input in a file, started by peak_rss, which reads
// its peak resident set (ru_maxrss from wait4); the figure is set against
// two yardsticks:
//   record_MB    the numbers of the record, 8 bytes for each number line of
//                its state file;
//   baseline_MB  the same program answering --version: the shared libraries
//                (Qt Core, ICU, the C++ library) it maps and touches before
//                doing any work, which no change to the session can lessen.
// above_baseline is (peak - baseline) / record, what the session itself
// costs; whole is peak / record. MB are 10^6 bytes. Arg 1 adds --save,
// whose write holds the whole file's bytes in one buffer while it saves.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int Factors = 100;
constexpr int Vertices = 5000;

std::string BinaryFolder()
{
    const QString folder = QCoreApplication::instance()
        ? QCoreApplication::applicationDirPath()
        : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return folder.toStdString() + '/';
}

// The peak resident set in MB of `arguments` run with standard input from
// `inputPath`, read by peak_rss; nullopt unless the run exits with 0.
std::optional<double> PeakMB(const std::vector<std::string>& arguments, const std::string& inputPath)
{
    QProcess process;
    QStringList texts{QString::fromStdString(inputPath)};
    for (const std::string& argument : arguments)
        texts.append(QString::fromStdString(argument));
    process.start(QString::fromStdString(BinaryFolder() + "peak_rss"), texts);
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        return std::nullopt;
    const QStringList report = QString::fromLatin1(process.readAllStandardOutput()).split(' ');
    if (report.size() != 2 || report[1].trimmed() != QLatin1String("0"))
        return std::nullopt;
    return report[0].toDouble() * 1024.0 / 1e6; // KiB
}

// k+1 initial results and one per step, drawn as in the session benchmark.
void WriteSessionInput(const std::string& path)
{
    std::mt19937 generator(17);
    std::uniform_int_distribution<int> hundredths(0, 10000);
    std::ofstream input(path);
    for (int line = 0; line < Vertices; ++line)
        input << hundredths(generator) / 100.0 << '\n';
}

void BM_CliPeakMemory(benchmark::State& state)
{
    const std::string program = BinaryFolder() + "zeltomir-cli";
    QTemporaryDir dir;
    if (!QFileInfo(QString::fromStdString(program)).isExecutable() || !dir.isValid()) {
        state.SkipWithError("zeltomir-cli is not built next to the benchmark");
        return;
    }
    const std::string input = dir.filePath(QStringLiteral("results.txt")).toStdString();
    WriteSessionInput(input);
    std::vector<std::string> arguments{program, "optimize"};
    for (int i = 1; i <= Factors; ++i) {
        arguments.push_back("--factor");
        arguments.push_back(QStringLiteral("F%1=0..100/2").arg(i).toStdString());
    }
    if (state.range(0) != 0) {
        arguments.push_back("--save");
        arguments.push_back(dir.filePath(QStringLiteral("p.sso")).toStdString());
    }
    const std::optional<double> baseline = PeakMB({program, "--version"}, "/dev/null");
    std::optional<double> peak;
    for (auto _ : state) {
        peak = PeakMB(arguments, input);
        if (!peak || !baseline) {
            state.SkipWithError("peak_rss or the session did not end normally");
            return;
        }
    }
    const double numberLines = 15.0 + 6 * Factors + (Factors + 4) * (Factors + 1) + (Factors + 7.0) * Vertices;
    const double recordMB = numberLines * 8 / 1e6;
    state.counters["peak_MB"] = *peak;
    state.counters["baseline_MB"] = *baseline;
    state.counters["record_MB"] = recordMB;
    state.counters["above_baseline"] = (*peak - *baseline) / recordMB;
    state.counters["whole"] = *peak / recordMB;
}
BENCHMARK(BM_CliPeakMemory)->ArgName("save")->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
