#pragma once

// What the document commands (files, undo and redo, the clipboard, printing)
// work on. They keep nothing of their own: the record, the run-time values
// and the windows belong to the program, which must keep all of them alive
// for as long as the commands exist.

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
class SimplexWindows;
}

namespace zeltomir::practice {
class PracticeWindows;
struct PracticeRecords;
} // namespace zeltomir::practice

namespace zeltomir::app {

struct DocumentContext {
    core::OptimizationProblem& problem;
    core::RunTimeState& runTime;
    const core::SnapshotFiles& snapshots;
    shell::DialogService& dialogs;
    shell::MainWindow& mainWindow;
    simplex::SimplexWindows& simplexWindows;
    practice::PracticeWindows& practiceWindows;
    practice::PracticeRecords& practiceRecords;
};

} // namespace zeltomir::app
