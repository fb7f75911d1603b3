#include "app/FileCommands.h"

#include "app/DocumentMessages.h"
#include "app/FileDialogFilters.h"
#include "app/ProblemStartUp.h"
#include "core/ProblemRecord.h"
#include "core/SnapshotFiles.h"
#include "core/StateFile.h"
#include "core/TextFile.h"
#include "core/UndoSnapshot.h"
#include "practice/ExerciseFiles.h"
#include "practice/PracticeRecords.h"
#include "practice/windows/PracticeWindows.h"
#include "shell/DialogService.h"
#include "shell/MainWindow.h"
#include "simplex/ReadBack.h"
#include "simplex/SimulatedRun.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/SimulationDialog.h"
#include "simplex/windows/WindowSupport.h"


namespace zeltomir::app {

FileCommands::FileCommands(const DocumentContext& context) : m_context(context) {}

void FileCommands::saveSequence()
{
    // A bad cell has been reported by the commit; the user may still want
    // the rest of the problem kept, so the save goes on.
    m_context.simplexWindows.commitActiveWindowBeforeSave();
    saveProblemFile();
}

void FileCommands::saveProblemFile()
{
    const QString active = m_context.runTime.ActiveWindow;
    // An exercise that no file could hold (the menu's variance window before
    // any question of the older one, a model that would not open again) is
    // refused before the learner chooses a file.
    QString refusal;
    if (active == QLatin1String("TOO"))
        refusal = practice::TargetFileRefusal(m_context.practiceRecords.Target);
    else if (active == QLatin1String("VO"))
        refusal = practice::VarianceFileRefusal(m_context.practiceRecords.Variance);
    if (!refusal.isEmpty()) {
        m_context.dialogs.show(NothingToSave(refusal));
        return;
    }
    const std::optional<QString> chosen = m_context.dialogs.saveFileName(SaveNameFilters(active), SecondFilter);
    if (!chosen)
        return;
    const QString& path = *chosen;

    core::FileStatus written;
    if (active == QLatin1String("TOO")) {
        written = practice::WriteTargetFile(m_context.practiceRecords.Target, path);
    } else if (active == QLatin1String("VO")) {
        written = practice::WriteVarianceFile(m_context.practiceRecords.Variance, path);
    } else {
        written = core::WriteStateFile(m_context.problem, path);
        if (written) {
            m_context.runTime.StateFilePath = path;
            m_context.runTime.Modified = QStringLiteral("no");
        }
    }
    if (!written)
        m_context.dialogs.show(FileNotSaved(path, written.error));
}

void FileCommands::openProblemFile()
{
    // The dialog comes before the windows close, so that a file that turns
    // out to be unreadable can leave them as they were.
    const QString active = m_context.runTime.ActiveWindow;
    const std::optional<QString> chosen = m_context.dialogs.openFileName(OpenNameFilters(active), SecondFilter);
    if (!chosen) {
        closeProblemWindows();
        return;
    }
    openFile(*chosen);
}

bool FileCommands::openFile(const QString& path, OpenedBy by)
{
    // Opening a named pipe waits for a writer that may never come, with the
    // whole window frozen, and a device holds no problem: only a regular
    // file (or a link to one) is opened here.
    if (const core::FileStatus regular = core::CheckRegularFileName(path); !regular) {
        m_context.dialogs.show(FileNotOpened(path, regular.error));
        return false;
    }
    switch (ProblemFileKindOf(path)) {
    case ProblemFileKind::TargetExercise:
        return openTargetExercise(path);
    case ProblemFileKind::VarianceExercise:
        return openVarianceExercise(path);
    case ProblemFileKind::State:
        return openStateFile(path, by);
    }
    return false;
}

bool FileCommands::openTargetExercise(const QString& path)
{
    practice::TargetFileContents contents;
    const core::FileStatus read = practice::ReadTargetFile(path, contents);
    if (!read) {
        m_context.dialogs.show(FileNotOpened(path, read.error));
        return false;
    }
    closeProblemWindows();
    m_context.practiceWindows.openTargetExercise(contents);
    return true;
}

bool FileCommands::openVarianceExercise(const QString& path)
{
    practice::VarianceFileContents contents;
    const core::FileStatus read = practice::ReadVarianceFile(path, contents);
    if (!read) {
        m_context.dialogs.show(FileNotOpened(path, read.error));
        return false;
    }
    closeProblemWindows();
    m_context.practiceWindows.openVarianceExercise(contents);
    return true;
}

bool FileCommands::openStateFile(const QString& path, OpenedBy by)
{
    // Read into a copy: FirstStepPending keeps its value, and a refused file
    // changes nothing. The step type comes from the file when it keeps one.
    core::OptimizationProblem loaded = m_context.problem;
    QString stepType;
    const core::FileStatus read = simplex::ReadProblemFile(path, loaded, &stepType);
    if (!read) {
        m_context.dialogs.show(FileNotOpened(path, read.error));
        return false;
    }
    if (by == OpenedBy::User) {
        if (!replaceUnsavedProblem())
            return false;
        // The snapshot of the problem being replaced, step type and unsaved
        // state included, so that Undo brings it back as it was.
        if (simplex::StoreUndoSnapshot(m_context))
            m_context.snapshots.setSpansOpen(true);
    }
    if (!stepType.isEmpty())
        loaded.StepType = stepType;
    closeProblemWindows();
    m_context.problem = std::move(loaded);
    m_context.runTime.StateFilePath = path;
    m_context.runTime.Modified = QStringLiteral("no");
    m_context.simplexWindows.reopenStageWindow();
    return true;
}

bool FileCommands::replaceUnsavedProblem()
{
    if (m_context.runTime.Modified != QLatin1String("yes"))
        return true;
    const shell::MessageRequest question{
        QStringLiteral("Warning!"),
        QStringLiteral("Your data has not been saved.  Do you want to open another problem?"),
        core::MessageIcon::Critical, shell::MessageButtons::YesNo, shell::MessageAnswer::No};
    return m_context.dialogs.message(question) == shell::MessageAnswer::Yes;
}

void FileCommands::newProblem()
{
    closeProblemWindows();
    m_context.mainWindow.releaseFocus();
    const bool modified = m_context.runTime.Modified == QLatin1String("yes");
    const shell::MessageRequest question{
        modified ? QStringLiteral("Warning!") : QStringLiteral("Message"),
        modified ? QStringLiteral("Your data has not been saved.  Do you want to begin a new Sequential "
                                  "Optimization Problem?")
                 : QStringLiteral("Do you want to begin a new Sequential Optimization Problem?"),
        core::MessageIcon::Critical, shell::MessageButtons::YesNo, shell::MessageAnswer::No};
    if (m_context.dialogs.message(question) != shell::MessageAnswer::Yes)
        return;

    StartUpProblemRecord(m_context.problem, m_context.runTime, m_context.snapshots, m_context.dialogs);
    simplex::SetupWindow* setup = m_context.simplexWindows.openSetupWindow();
    if (setup)
        setup->setDefineInitialSimplexEnabled(false);
    m_context.simplexWindows.refreshPlot();
}

void FileCommands::newSimulatedProblem()
{
    simplex::SimulationDialog dialog(&m_context.mainWindow);
    if (!m_context.dialogs.runDialog(dialog))
        return;
    const std::optional<simplex::SimulationChoice> choice = dialog.choice();
    const simplex::SimulatedProcess* process = choice ? simplex::FindSimulatedProcess(choice->process) : nullptr;
    if (!process)
        return;
    // Choosing a process already says "begin": only unsaved work is asked about.
    if (m_context.runTime.Modified == QLatin1String("yes")) {
        const shell::MessageRequest question{
            QStringLiteral("Warning!"),
            QStringLiteral("Your data has not been saved.  Do you want to begin a new Sequential Optimization Problem?"),
            core::MessageIcon::Critical, shell::MessageButtons::YesNo, shell::MessageAnswer::No};
        if (m_context.dialogs.message(question) != shell::MessageAnswer::Yes)
            return;
    }
    closeProblemWindows();
    m_context.mainWindow.releaseFocus();
    if (!StartUpProblemRecord(m_context.problem, m_context.runTime, m_context.snapshots, m_context.dialogs))
        return;
    simplex::StartSimulatedRun(m_context.problem, *process, *choice);
    // The first snapshot again, now of the run as it starts: an Undo goes
    // back to the process, not to an empty problem.
    if (const core::FileStatus written = core::WriteStartupSnapshot(m_context.problem, m_context.runTime,
                                                                    m_context.snapshots);
        !written)
        m_context.dialogs.show(FirstSnapshotNotWritten(m_context.runTime.StateFilePath, written.error));
    m_context.simplexWindows.reopenStageWindow();
}

void FileCommands::closeProblemWindows()
{
    m_context.simplexWindows.closeProblemWindows();
}

} // namespace zeltomir::app
