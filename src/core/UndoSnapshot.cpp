#include "core/UndoSnapshot.h"

#include "core/Random.h"
#include "core/TextFile.h"

namespace zeltomir::core {

FileStatus StoreUndoSnapshot(const OptimizationProblem& problem, RunTimeState& state, SnapshotFiles& files)
{
    state.StateFilePath = files.undoPath();
    const FileStatus written = WriteStateFile(problem, state.StateFilePath, Links::NeverFollow);
    if (written) {
        files.keepUndo({problem, state.Modified});
        files.setSpansOpen(false);
    }
    return written;
}

FileStatus WriteStartupSnapshot(const OptimizationProblem& problem, RunTimeState& state, SnapshotFiles& files)
{
    return StoreUndoSnapshot(problem, state, files);
}

FileStatus StartUpProblem(OptimizationProblem& problem, RunTimeState& state, SnapshotFiles& files)
{
    ProgramRandom().seedFromClock();
    ResetToStartup(problem);
    state = RunTimeState{};
    return WriteStartupSnapshot(problem, state, files);
}

} // namespace zeltomir::core
