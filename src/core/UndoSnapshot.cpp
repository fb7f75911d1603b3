#include "core/UndoSnapshot.h"

#include "core/Random.h"

namespace zeltomir::core {

FileStatus StoreUndoSnapshot(const OptimizationProblem& problem, RunTimeState& state, const SnapshotFiles& files)
{
    state.StateFilePath = files.undoPath();
    return WriteStateFile(problem, state.StateFilePath);
}

FileStatus WriteStartupSnapshot(const OptimizationProblem& problem, RunTimeState& state, const SnapshotFiles& files)
{
    return StoreUndoSnapshot(problem, state, files);
}

FileStatus StartUpProblem(OptimizationProblem& problem, RunTimeState& state, const SnapshotFiles& files)
{
    ProgramRandom().seedFromClock();
    ResetToStartup(problem);
    state = RunTimeState{};
    return WriteStartupSnapshot(problem, state, files);
}

} // namespace zeltomir::core
