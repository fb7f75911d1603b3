#include "app/ProblemStartUp.h"

#include "app/DocumentMessages.h"
#include "core/UndoSnapshot.h"
#include "shell/DialogService.h"

namespace zeltomir::app {

bool StartUpProblemRecord(core::OptimizationProblem& problem, core::RunTimeState& runTime,
                          core::SnapshotFiles& snapshots, shell::DialogService& dialogs)
{
    const core::FileStatus written = core::StartUpProblem(problem, runTime, snapshots);
    if (!written)
        dialogs.show(FirstSnapshotNotWritten(runTime.StateFilePath, written.error));
    return written.ok;
}

} // namespace zeltomir::app
