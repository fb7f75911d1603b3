#pragma once

// The snapshot a confirming command takes before it changes the problem, and
// the record's part of program start-up, which ends with the first snapshot.

#include "core/ProblemRecord.h"
#include "core/SnapshotFiles.h"
#include "core/StateFile.h"

namespace zeltomir::core {

// Points StateFilePath at the undo file, writes the record there and keeps
// it with the unsaved state as that file's snapshot (SnapshotFiles), which
// no longer spans an open. The caller then enables Undo and
// disables Redo (only when this succeeds: a failed snapshot must not offer
// an Undo to a state that was never stored).
FileStatus StoreUndoSnapshot(const OptimizationProblem& problem, RunTimeState& state, SnapshotFiles& files);

// The start-up snapshot: the same write, but no button is touched (the main
// window does not exist yet), so the first Undo returns to the empty problem.
FileStatus WriteStartupSnapshot(const OptimizationProblem& problem, RunTimeState& state, SnapshotFiles& files);

// The record's start-up in its fixed order: seed the program's random
// generator from the clock, put the record and the run-time values at their
// start-up values (Modified "no"), point StateFilePath at the undo file and
// write the first snapshot. The caller then shows the setup window.
FileStatus StartUpProblem(OptimizationProblem& problem, RunTimeState& state, SnapshotFiles& files);

} // namespace zeltomir::core
