#pragma once

// The record's part of start-up, shared by program start and File > New:
// defaults, run-time values, a reseeded random generator and the first undo
// snapshot. A snapshot that cannot be written is reported once and the
// program goes on: everything but the first Undo still works.

namespace zeltomir::core {
struct OptimizationProblem;
struct RunTimeState;
class SnapshotFiles;
} // namespace zeltomir::core

namespace zeltomir::shell {
class DialogService;
}

namespace zeltomir::app {

// True when the first snapshot was written.
bool StartUpProblemRecord(core::OptimizationProblem& problem, core::RunTimeState& runTime,
                          core::SnapshotFiles& snapshots, shell::DialogService& dialogs);

// Once per run, at program start: where the snapshot files are kept when no
// usual folder for them can be written, so that the user is not left to look
// for them where the manual says they are.
void ReportSnapshotFolder(const core::SnapshotFiles& snapshots, shell::DialogService& dialogs);

} // namespace zeltomir::app
