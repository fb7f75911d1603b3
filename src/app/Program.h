#pragma once

// The running program: the problem record, the run-time values, the snapshot
// files, the dialog service, the main window and its child windows, wired
// together. main() makes one and starts it; tests make one with a scripted
// dialog service and a folder of their own.

#include "core/ProblemRecord.h"
#include "core/SnapshotFiles.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QMdiSubWindow;
class QWidget;

namespace zeltomir::shell {
class DialogService;
class MainWindow;
class QtDialogService;
} // namespace zeltomir::shell

namespace zeltomir::practice {
class PracticeWindows;
}

namespace zeltomir::simplex {
class SimplexWindows;
}

namespace zeltomir::app {

class DocumentCommands;

struct ProgramOptions {
    // Where the snapshot files and the help file belong; empty means the
    // folder of the running executable.
    QString programFolder;
    // The main window opens maximised unless a test wants a plain size.
    bool maximised = true;
};

// Registers the program's name, organisation and version with Qt, so that
// per-user folders (QStandardPaths) and settings have the right names, and
// the desktop entry its windows belong to.
void SetApplicationIdentity();

class Program {
public:
    using WindowFactory = std::function<QWidget*()>;

    // With the real message boxes and file dialogs.
    explicit Program(ProgramOptions options = {});
    // With the given dialog service, which must outlive the program.
    explicit Program(shell::DialogService& dialogs, ProgramOptions options = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Start-up: seeds the random generator, puts the record at its defaults,
    // writes the first undo snapshot (a failure is reported once and the
    // program goes on) and shows the setup window inside the main window.
    void start();

    // Opens the setup window, or brings it forward when it is open.
    QMdiSubWindow* showSetupWindow();
    // A stand-in for the setup window, for tests of the program alone; by
    // default the simplex windows make the real one.
    void setSetupWindowFactory(WindowFactory factory) { m_setupFactory = std::move(factory); }
    QMdiSubWindow* setupWindow() const;

    core::OptimizationProblem& problem() { return m_problem; }
    core::RunTimeState& runTime() { return m_runTime; }
    const core::SnapshotFiles& snapshots() const { return m_snapshots; }
    core::SnapshotFiles& snapshots() { return m_snapshots; }
    shell::DialogService& dialogs() const { return *m_dialogs; }
    shell::MainWindow& mainWindow() const { return *m_mainWindow; }
    // The practice windows and the Practice menu behind them.
    practice::PracticeWindows& practiceWindows() const { return *m_practiceWindows; }
    // The five simplex windows and the View menu's commands behind them.
    simplex::SimplexWindows& simplexWindows() const { return *m_simplexWindows; }
    // New, Open, Save, Print, Cut, Copy, Paste, Undo and Redo.
    DocumentCommands& documents() const { return *m_documents; }
    QString programFolder() const { return m_programFolder; }
    // The platform's help-file setting has no counterpart here; the path is
    // kept for completeness. No command opens it.
    QString helpFilePath() const { return m_helpFilePath; }

private:
    Program(std::unique_ptr<shell::QtDialogService> ownDialogs, shell::DialogService* dialogs, ProgramOptions options);

    ProgramOptions m_options;
    QString m_programFolder;
    QString m_helpFilePath;
    core::OptimizationProblem m_problem;
    core::RunTimeState m_runTime;
    core::SnapshotFiles m_snapshots;
    std::unique_ptr<shell::QtDialogService> m_ownDialogs;
    shell::DialogService* m_dialogs;
    std::unique_ptr<shell::MainWindow> m_mainWindow;
    std::unique_ptr<practice::PracticeWindows> m_practiceWindows;
    std::unique_ptr<simplex::SimplexWindows> m_simplexWindows;
    std::unique_ptr<DocumentCommands> m_documents;
    WindowFactory m_setupFactory;
    QPointer<QMdiSubWindow> m_setupWindow;
};

} // namespace zeltomir::app
