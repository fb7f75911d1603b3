// Next Step, Undo and Redo as the program runs them at 100 factors and
// 5,000 vertices, beside the floor of the file work each must do: a Next
// Step writes the undo snapshot (the write floor); Undo and Redo read one
// snapshot and write the other (the read floor plus the write floor). The
// floors handle this very record, so each ratio is read off one run.

#include "app/DocumentCommands.h"
#include "app/Program.h"
#include "app/UndoRedoCommands.h"
#include "core/StateFile.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/StepsWindow.h"

#include "BenchWindows.h"
#include "LargeRun.h"
#include "StateFileFloor.h"

#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QPushButton>

#include <memory>

namespace {

using namespace zeltomir;

constexpr int Vertices = 5000;

// The program with a run of 100 factors and 5,000 vertices opened, the steps
// window showing its trial.
struct RunningProgram {
    RunningProgram()
    {
        bench::EnsureApplication();
        program = std::make_unique<app::Program>(dialogs, app::ProgramOptions{folder.path(), false});
        program->start();
        program->problem() = bench::MakeLargeRun(Vertices).problem;
        program->problem().Stage = core::Stage::Steps;
        program->simplexWindows().reopenStageWindow();
        steps = program->simplexWindows().stepsWindow();
    }

    // One result typed and Next Step clicked.
    bool nextStep()
    {
        seed = seed * 1103515245u + 12345u;
        const std::int16_t before = program->problem().NumVertices;
        steps->resultBox()->setText(QString::number((seed >> 16) % 200));
        steps->nextStepButton()->click();
        return program->problem().NumVertices == before + 1;
    }

    QTemporaryDir folder;
    bench::SilentDialogs dialogs;
    std::unique_ptr<app::Program> program;
    simplex::StepsWindow* steps = nullptr;
    unsigned seed = 12345;
};

// The floors, of the record as the program holds it.
struct Floors {
    explicit Floors(const core::OptimizationProblem& problem) : path(folder.filePath("floor.rdo"))
    {
        core::WriteStateFile(problem, path);
        lines = bench::LinesOf(bench::ReadAll(path));
    }

    void write() const { benchmark::DoNotOptimize(bench::SaveAtomically(path, bench::FloorBytes(lines))); }
    void read() const { benchmark::DoNotOptimize(bench::FloorNumbers(bench::ReadAll(path), lines.numbers.size())); }

    QTemporaryDir folder;
    QString path;
    bench::Lines lines;
};

void BM_StepsWindowNextStep(benchmark::State& state)
{
    RunningProgram run;
    for (auto _ : state) {
        if (!run.nextStep())
            state.SkipWithError("Next Step was refused");
    }
}
BENCHMARK(BM_StepsWindowNextStep)->Unit(benchmark::kMillisecond);

void BM_StepsWindowNextStepFloor(benchmark::State& state)
{
    RunningProgram run;
    const Floors floors(run.program->problem());
    for (auto _ : state)
        floors.write();
}
BENCHMARK(BM_StepsWindowNextStepFloor)->Unit(benchmark::kMillisecond);

// Undo timed, the Redo that brings the step back not (and the other way
// round), so each command is timed at the same state.
void UndoOrRedo(benchmark::State& state, bool timeUndo)
{
    RunningProgram run;
    run.nextStep();
    app::UndoRedoCommands& commands = run.program->documents().undoRedo();
    for (auto _ : state) {
        if (!timeUndo)
            state.PauseTiming();
        commands.undoCommand();
        if (timeUndo)
            state.PauseTiming();
        else
            state.ResumeTiming();
        commands.redoCommand();
        if (timeUndo)
            state.ResumeTiming();
        if (!commands.undoEnabled())
            state.SkipWithError("Undo/Redo refused");
    }
}

void BM_Undo(benchmark::State& state)
{
    UndoOrRedo(state, true);
}
BENCHMARK(BM_Undo)->Unit(benchmark::kMillisecond);

void BM_Redo(benchmark::State& state)
{
    UndoOrRedo(state, false);
}
BENCHMARK(BM_Redo)->Unit(benchmark::kMillisecond);

void BM_UndoRedoFloor(benchmark::State& state)
{
    RunningProgram run;
    run.nextStep();
    const Floors floors(run.program->problem());
    for (auto _ : state) {
        floors.read();
        floors.write();
    }
}
BENCHMARK(BM_UndoRedoFloor)->Unit(benchmark::kMillisecond);

} // namespace
