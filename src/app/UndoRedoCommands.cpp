#include "app/UndoRedoCommands.h"

#include "app/DocumentMessages.h"
#include "core/ProblemRecord.h"
#include "core/SnapshotFiles.h"
#include "core/StateFile.h"
#include "core/TextFile.h"
#include "shell/DialogService.h"
#include "shell/MainWindow.h"
#include "simplex/ReadBack.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/StepsWindow.h"

#include <QToolButton>

#include <optional>

namespace zeltomir::app {

namespace {

bool FirstStepPending(const core::OptimizationProblem& problem)
{
    return problem.FirstStepPending == QLatin1String("yes");
}

// Reads `from` into a copy of the record (with the values the program held
// when it wrote the file, `written`) and writes the present record to
// `keepIn`; nothing else changes. The copy keeps the fields the state file
// does not hold (FirstStepPending, StepType), as a read in place would.
std::optional<core::OptimizationProblem> SwapFiles(const DocumentContext& context, SnapshotCommand command,
                                                   const QString& from, const core::OptimizationProblem* written,
                                                   const QString& keepIn)
{
    // The working files are never reached through a link (core::Links).
    core::OptimizationProblem loaded = context.problem;
    QByteArray bytes;
    core::FileStatus read = core::ReadStateFileBytes(from, bytes, core::Links::NeverFollow);
    if (read)
        read = simplex::ParseProblemBytes(std::move(bytes), loaded, nullptr, written);
    if (!read) {
        context.dialogs.show(SnapshotFailed(command, SnapshotAccess::Read, from, read.error));
        return std::nullopt;
    }
    if (const core::FileStatus written = core::WriteStateFile(context.problem, keepIn, core::Links::NeverFollow);
        !written) {
        context.dialogs.show(SnapshotFailed(command, SnapshotAccess::Write, keepIn, written.error));
        return std::nullopt;
    }
    return loaded;
}

} // namespace

UndoRedoCommands::UndoRedoCommands(const DocumentContext& context) : m_context(context) {}

bool UndoRedoCommands::undoEnabled() const
{
    return m_context.mainWindow.toolButton(QStringLiteral("undo_button"))->isEnabled();
}

bool UndoRedoCommands::redoEnabled() const
{
    return m_context.mainWindow.toolButton(QStringLiteral("redo_button"))->isEnabled();
}

void UndoRedoCommands::undoCommand()
{
    if (!undoEnabled())
        return;
    m_context.mainWindow.releaseFocus();
    const QString undoPath = m_context.snapshots.undoPath();
    const core::KeptSnapshot* kept = m_context.snapshots.undoKept();
    std::optional<core::OptimizationProblem> loaded = SwapFiles(m_context, SnapshotCommand::Undo, undoPath,
                                                                kept ? &kept->record : nullptr,
                                                                m_context.snapshots.redoPath());
    if (!loaded)
        return;

    closeWorkWindows();
    m_context.snapshots.keepRedo({std::move(m_context.problem), m_context.runTime.Modified});
    takeLoaded(std::move(*loaded), kept);
    m_context.runTime.StateFilePath = undoPath;
    m_context.simplexWindows.reopenStageWindow();
    // FirstStepPending is not in the snapshot: this is the program's value.
    if (FirstStepPending(m_context.problem)) {
        if (simplex::StepsWindow* steps = m_context.simplexWindows.stepsWindow())
            steps->closeWindow(false);
    }
    m_context.mainWindow.setUndoEnabled(false);
    m_context.mainWindow.setRedoEnabled(true);
}

void UndoRedoCommands::redoCommand()
{
    if (!redoEnabled())
        return;
    m_context.mainWindow.releaseFocus();
    const QString redoPath = m_context.snapshots.redoPath();
    const core::KeptSnapshot* kept = m_context.snapshots.redoKept();
    std::optional<core::OptimizationProblem> loaded = SwapFiles(m_context, SnapshotCommand::Redo, redoPath,
                                                                kept ? &kept->record : nullptr,
                                                                m_context.snapshots.undoPath());
    if (!loaded)
        return;

    // The stage the problem is leaving decides whether the setup window
    // closes too.
    if (m_context.problem.Stage == core::Stage::Steps)
        m_context.simplexWindows.closeProblemWindows();
    else
        closeWorkWindows();
    m_context.snapshots.keepUndo({std::move(m_context.problem), m_context.runTime.Modified});
    takeLoaded(std::move(*loaded), kept);
    m_context.runTime.StateFilePath = redoPath;
    m_context.simplexWindows.reopenStageWindow();
    m_context.mainWindow.setUndoEnabled(true);
    m_context.mainWindow.setRedoEnabled(false);
    if (FirstStepPending(m_context.problem))
        closeWorkWindows();
}

void UndoRedoCommands::takeLoaded(core::OptimizationProblem loaded, const core::KeptSnapshot* kept)
{
    m_context.problem = std::move(loaded);
    // Within one problem the step type and the unsaved state are the
    // program's, not the snapshot's; across a File > Open they belong to
    // the problem that comes back.
    if (m_context.snapshots.spansOpen() && kept) {
        m_context.problem.StepType = kept->record.StepType;
        m_context.runTime.Modified = kept->modified;
    }
}

void UndoRedoCommands::closeWorkWindows()
{
    m_context.simplexWindows.closeWorkWindows();
}

} // namespace zeltomir::app
