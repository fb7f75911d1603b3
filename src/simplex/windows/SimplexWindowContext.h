#pragma once

// What every simplex window works on: the one problem record, the run-time
// values, the snapshot files, the dialog service and the main window. The
// windows keep no problem data of their own beyond what their controls show.

namespace zeltomir::core {
struct OptimizationProblem;
struct RunTimeState;
class SnapshotFiles;
} // namespace zeltomir::core

namespace zeltomir::shell {
class DialogService;
class MainWindow;
} // namespace zeltomir::shell

namespace zeltomir::simplex {

struct SimplexWindowContext {
    core::OptimizationProblem& problem;
    core::RunTimeState& runTime;
    core::SnapshotFiles& snapshots;
    shell::DialogService& dialogs;
    shell::MainWindow& mainWindow;
};

} // namespace zeltomir::simplex
