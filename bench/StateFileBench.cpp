#include "core/ProblemRecord.h"
#include "core/StateFile.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

using namespace zeltomir::core;

// A record the size of a long optimisation: k factors and n vertices, every
// entry holding a number with many digits, as real coded levels do.
OptimizationProblem LargeProblem(int k, int n)
{
    OptimizationProblem problem;
    ResetToStartup(problem);
    EnsureCapacity(problem, k, n);
    problem.NumFactors = static_cast<std::int16_t>(k);
    problem.NumVertices = static_cast<std::int16_t>(n);
    for (int c = 1; c <= k + 4; ++c) {
        for (int r = 1; r <= k + 1; ++r)
            problem.Simplex.at(c, r) = 0.123456789 * c + r / 7.0;
        for (int v = 1; v <= n; ++v)
            problem.VertexHistory.at(c, v) = 0.987654321 * c - v / 3.0;
    }
    return problem;
}

// The floor under every confirming command: each one writes the whole record
// as its undo snapshot before it changes anything.
void BM_WriteStateFile(benchmark::State& state)
{
    const OptimizationProblem problem = LargeProblem(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    QTemporaryDir folder;
    const QString path = folder.filePath("snapshot.rdo");
    for (auto _ : state) {
        const FileStatus status = WriteStateFile(problem, path);
        benchmark::DoNotOptimize(status.ok);
    }
}
BENCHMARK(BM_WriteStateFile)->Args({2, 3})->Args({10, 2000})->Args({100, 5000})->Unit(benchmark::kMillisecond);

void BM_ReadStateFile(benchmark::State& state)
{
    const OptimizationProblem problem = LargeProblem(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    QTemporaryDir folder;
    const QString path = folder.filePath("snapshot.rdo");
    WriteStateFile(problem, path);
    for (auto _ : state) {
        OptimizationProblem loaded;
        ResetToStartup(loaded);
        const FileStatus status = ReadStateFile(path, loaded);
        benchmark::DoNotOptimize(status.ok);
    }
}
BENCHMARK(BM_ReadStateFile)->Args({2, 3})->Args({100, 5000})->Unit(benchmark::kMillisecond);

} // namespace
