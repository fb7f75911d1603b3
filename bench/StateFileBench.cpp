// The state file at the size of a long optimisation, beside its floors: the
// same bytes written, and the same numbers read, the simplest fast way
// (std::to_chars into one buffer and one atomic save; one read and
// std::from_chars over the buffer). Goal: each within 1.5x of its floor.

#include "core/NumberText.h"
#include "core/ProblemRecord.h"
#include "core/StateFile.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <charconv>
#include <random>

namespace {

using namespace zeltomir::core;

// A record the size of a long optimisation: k factors and n vertices, every
// number holding the many digits real coded levels and results have.
OptimizationProblem LargeProblem(int k, int n)
{
    OptimizationProblem problem;
    ResetToStartup(problem);
    EnsureCapacity(problem, k, n);
    problem.NumFactors = static_cast<std::int16_t>(k);
    problem.NumVertices = static_cast<std::int16_t>(n);
    problem.InitialSimplexDefined = QStringLiteral("yes");
    problem.StepType = QStringLiteral("Variable");
    std::mt19937_64 generator(3);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto level = [&] { return static_cast<double>(static_cast<float>(unit(generator))); };
    for (int i = 1; i <= k; ++i) {
        Factor& factor = problem.Factors[static_cast<std::size_t>(i)];
        factor.LowerLimit = -10.5 * i;
        factor.UpperLimit = 250.25 * i;
        factor.SignificantDigits = static_cast<std::int16_t>(i % 5);
        problem.Centroid[static_cast<std::size_t>(i)] = level();
        problem.StepVector[static_cast<std::size_t>(i)] = level() - 0.5;
    }
    for (int c = 1; c <= k + 4; ++c) {
        for (int r = 1; r <= k + 1; ++r)
            problem.Simplex.at(c, r) = level() * (c == k + 1 ? 1000 : 1);
        for (int v = 1; v <= n; ++v)
            problem.VertexHistory.at(c, v) = level() * (c == k + 1 ? 1000 : 1);
    }
    for (int v = 1; v <= n; ++v)
        problem.TrialPoint[static_cast<std::size_t>(v)] = level();
    return problem;
}

// The file's lines as the floors see them: its numbers, and its other lines
// as they stand.
struct Lines {
    std::vector<QByteArray> texts;
    std::vector<double> numbers;
    std::vector<bool> isNumber;
};

Lines LinesOf(const QByteArray& file)
{
    Lines lines;
    for (const QByteArray& line : file.split('\n')) {
        if (line.isEmpty())
            continue;
        const QByteArray text = line.chopped(1).trimmed(); // CR, and the blanks around a number
        double value = 0;
        const auto [end, error] = std::from_chars(text.begin(), text.end(), value);
        const bool number = !text.isEmpty() && error == std::errc() && end == text.end();
        lines.isNumber.push_back(number);
        lines.numbers.push_back(number ? value : 0);
        lines.texts.push_back(line.chopped(1));
    }
    return lines;
}

// The floor of the write: the same bytes, each number by to_chars, one save.
QByteArray FloorBytes(const Lines& lines)
{
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(lines.numbers.size()) * 22);
    char buffer[40];
    for (std::size_t i = 0; i < lines.numbers.size(); ++i) {
        if (!lines.isNumber[i]) {
            bytes += lines.texts[i];
        } else {
            char* end = std::to_chars(buffer, std::end(buffer), lines.numbers[i], std::chars_format::general, 15).ptr;
            std::replace(buffer, end, 'e', 'E');
            if (buffer[0] != '-')
                bytes += ' ';
            bytes.append(buffer, end - buffer);
            bytes += ' ';
        }
        bytes += "\r\n";
    }
    return bytes;
}

bool SaveAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Fixture {
    explicit Fixture(benchmark::State& state)
        : problem(LargeProblem(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)))),
          path(folder.filePath("snapshot.rdo"))
    {
        WriteStateFile(problem, path);
        file = ReadAll(path);
        lines = LinesOf(file);
        state.counters["file_MB"] = static_cast<double>(file.size()) / (1024 * 1024);
    }

    QTemporaryDir folder;
    OptimizationProblem problem;
    QString path;
    QByteArray file;
    Lines lines;
};

// Every confirming command writes the whole record as its undo snapshot.
void BM_WriteStateFile(benchmark::State& state)
{
    Fixture fixture(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteStateFile(fixture.problem, fixture.path).ok);
}
BENCHMARK(BM_WriteStateFile)->Args({2, 3})->Args({10, 2000})->Args({100, 5000})->Unit(benchmark::kMillisecond);

void BM_StateFileWriteFloor(benchmark::State& state)
{
    Fixture fixture(state);
    if (FloorBytes(fixture.lines) != fixture.file)
        state.SkipWithError("the floor does not write the same bytes");
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveAtomically(fixture.path, FloorBytes(fixture.lines)));
}
BENCHMARK(BM_StateFileWriteFloor)->Args({100, 5000})->Unit(benchmark::kMillisecond);

void BM_ReadStateFile(benchmark::State& state)
{
    Fixture fixture(state);
    for (auto _ : state) {
        OptimizationProblem loaded;
        ResetToStartup(loaded);
        benchmark::DoNotOptimize(ReadStateFile(fixture.path, loaded).ok);
    }
}
BENCHMARK(BM_ReadStateFile)->Args({2, 3})->Args({100, 5000})->Unit(benchmark::kMillisecond);

// The floor of the read: the file in one read, each number by from_chars.
void BM_StateFileReadFloor(benchmark::State& state)
{
    Fixture fixture(state);
    for (auto _ : state) {
        const QByteArray bytes = ReadAll(fixture.path);
        std::vector<double> numbers;
        numbers.reserve(fixture.lines.numbers.size());
        const char* at = bytes.constData();
        const char* const end = at + bytes.size();
        while (at < end) {
            const char* lineEnd = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
            const char* first = at;
            while (first < lineEnd && *first == ' ')
                ++first;
            double value = 0;
            if (std::from_chars(first, lineEnd, value).ec == std::errc())
                numbers.push_back(value);
            at = lineEnd + 1;
        }
        benchmark::DoNotOptimize(numbers.data());
    }
}
BENCHMARK(BM_StateFileReadFloor)->Args({100, 5000})->Unit(benchmark::kMillisecond);

} // namespace
