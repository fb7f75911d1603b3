#include "app/ProblemStartUp.h"

#include "app/DocumentMessages.h"
#include "core/SnapshotFiles.h"
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

void ReportSnapshotFolder(const core::SnapshotFiles& snapshots, shell::DialogService& dialogs)
{
    if (!snapshots.outsideUsualFolders())
        return;
    const core::SnapshotFolderChoice& choice = snapshots.choice();
    dialogs.show(SnapshotFolderNotice(snapshots.folder(), choice.unwritableFolder, choice.unwritableReason));
}

} // namespace zeltomir::app
