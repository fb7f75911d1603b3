// The state file at the size of a long optimisation, beside its floors: the
// same bytes written, and the same numbers read, the simplest fast way
// (std::to_chars into one buffer and one atomic save; one read and
// std::from_chars over the buffer). Goal: each within 1.5x of its floor.

#include "core/NumberText.h"
#include "core/ProblemRecord.h"
#include "core/StateFile.h"

#include "StateFileFloor.h"

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

using zeltomir::bench::FloorBytes;
using zeltomir::bench::FloorNumbers;
using zeltomir::bench::Lines;
using zeltomir::bench::LinesOf;
using zeltomir::bench::ReadAll;
using zeltomir::bench::SaveAtomically;

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
        const std::vector<double> numbers = FloorNumbers(ReadAll(fixture.path), fixture.lines.numbers.size());
        benchmark::DoNotOptimize(numbers.data());
    }
}
BENCHMARK(BM_StateFileReadFloor)->Args({100, 5000})->Unit(benchmark::kMillisecond);

} // namespace
