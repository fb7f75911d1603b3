// The engine at the largest size it is built for: 100 factors with a vertex
// history of 10,000 vertices, for one step and for the vertex summary table,
// whole and after a step.

#include "simplex/BeginOptimization.h"
#include "simplex/FactorGrid.h"
#include "simplex/InitialSimplex.h"
#include "simplex/NextStep.h"
#include "simplex/ReadBack.h"
#include "simplex/VertexSummary.h"

#include "core/ProblemRecord.h"
#include "core/SnapshotFiles.h"
#include "core/StateFile.h"
#include "core/UndoSnapshot.h"

#include "LargeRun.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <optional>

namespace {

using namespace zeltomir;

using bench::Factors;
using bench::HistoryVertices;
using bench::LargeRun;
using bench::MakeLargeRun;

// The engine's step alone, over histories of 100 to 30,000 vertices: a step
// adds one vertex to the history without copying it, so the time stays the
// same whatever the length (now and then a column of the history outgrows
// its room and moves, which the average takes in).
void BM_NextStepAtHundredFactors(benchmark::State& state)
{
    const LargeRun start = MakeLargeRun(static_cast<int>(state.range(0)));
    LargeRun run = start;
    core::RunTimeState runTime;
    unsigned seed = 12345;
    for (auto _ : state) {
        if (run.problem.NumVertices >= simplex::MaxVertices - 1) {
            state.PauseTiming();
            run = start;
            state.ResumeTiming();
        }
        seed = seed * 1103515245u + 12345u;
        const QString result = QString::number((seed >> 16) % 200);
        simplex::StepsOutcome answer = simplex::NextStep(run.problem, runTime, {result, run.levels});
        run.levels = answer.steps->trial.levels;
        benchmark::DoNotOptimize(answer);
    }
}
BENCHMARK(BM_NextStepAtHundredFactors)
    ->ArgName("vertices")
    ->Arg(100)
    ->Arg(1000)
    ->Arg(HistoryVertices)
    ->Arg(30000)
    ->Unit(benchmark::kMicrosecond);

// What the steps window does on Next Step: the undo snapshot of the whole
// record, then the engine's step. The snapshot is the floor here (compare
// BM_WriteStateFile at the same size); the engine's own share is the step above.
void BM_NextStepWithUndoSnapshot(benchmark::State& state)
{
    const LargeRun start = MakeLargeRun(5000);
    LargeRun run = start;
    core::RunTimeState runTime;
    QTemporaryDir folder;
    core::SnapshotFiles snapshots(folder.path());
    const simplex::EngineHooks hooks{
        [&] { benchmark::DoNotOptimize(core::StoreUndoSnapshot(run.problem, runTime, snapshots).ok); }};
    unsigned seed = 12345;
    for (auto _ : state) {
        seed = seed * 1103515245u + 12345u;
        const QString result = QString::number((seed >> 16) % 200);
        simplex::StepsOutcome answer = simplex::NextStep(run.problem, runTime, {result, run.levels}, hooks);
        run.levels = answer.steps->trial.levels;
        benchmark::DoNotOptimize(answer);
    }
}
BENCHMARK(BM_NextStepWithUndoSnapshot)->Unit(benchmark::kMillisecond);

void BM_VertexSummaryAtHundredFactors(benchmark::State& state)
{
    const LargeRun run = MakeLargeRun();
    for (auto _ : state) {
        simplex::VertexSummaryContent content = simplex::BuildVertexSummary(run.problem);
        benchmark::DoNotOptimize(content);
    }
}
BENCHMARK(BM_VertexSummaryAtHundredFactors)->Unit(benchmark::kMillisecond);

// What the vertex summary formats after one step: the history is compared
// with the copy kept from the last build, and only the new row and the
// changed retention counts are built. The step itself is not timed.
void BM_VertexSummaryUpdateAfterStep(benchmark::State& state)
{
    const LargeRun start = MakeLargeRun();
    LargeRun run = start;
    core::RunTimeState runTime;
    simplex::VertexSummaryTracker tracker;
    tracker.update(run.problem);
    unsigned seed = 12345;
    for (auto _ : state) {
        state.PauseTiming();
        if (run.problem.NumVertices >= simplex::MaxVertices - 1) {
            run = start;
            tracker.update(run.problem);
        }
        seed = seed * 1103515245u + 12345u;
        const QString result = QString::number((seed >> 16) % 200);
        run.levels = simplex::NextStep(run.problem, runTime, {result, run.levels}).steps->trial.levels;
        state.ResumeTiming();
        std::optional<simplex::VertexSummaryUpdate> update = tracker.update(run.problem);
        benchmark::DoNotOptimize(update);
    }
}
BENCHMARK(BM_VertexSummaryUpdateAfterStep)->Unit(benchmark::kMillisecond);

// File > Open of a run of 5,000 vertices at 100 factors, saved by another
// session: the file read (BM_ReadStateFile at this size), then the run
// replayed by the engine to bring back the values the file keeps at single
// precision. Compare BM_NextStepAtHundredFactors for the engine's steps.
void BM_ReadProblemFileReplaysTheRun(benchmark::State& state)
{
    LargeRun run = MakeLargeRun(Factors + 1);
    core::RunTimeState runTime;
    unsigned seed = 12345;
    while (run.problem.NumVertices < 5000) {
        seed = seed * 1103515245u + 12345u;
        const QString result = QString::number((seed >> 16) % 200);
        run.levels = simplex::NextStep(run.problem, runTime, {result, run.levels}).steps->trial.levels;
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("run.sso"));
    if (!core::WriteStateFile(run.problem, path))
        state.SkipWithError("the file could not be written");
    for (auto _ : state) {
        core::OptimizationProblem read;
        core::ResetToStartup(read);
        benchmark::DoNotOptimize(simplex::ReadProblemFile(path, read).ok);
        if (read.Simplex != run.problem.Simplex)
            state.SkipWithError("the replay did not bring the simplex back");
    }
}
BENCHMARK(BM_ReadProblemFileReplaysTheRun)->Unit(benchmark::kMillisecond);

} // namespace
