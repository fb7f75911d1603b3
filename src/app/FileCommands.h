#pragma once

// The File menu's New, Open and Save: the simplex problem as a state file
// (".sso"), the target exercise (".sst") and the older variance exercise
// (".ssv").
//
// A file is read and checked in full before anything is replaced, and a
// file that cannot be written, read or understood is reported with its name
// and the reason. So a refused open leaves the record, the exercise models
// and every window as they were. A cancelled dialog stays silent.

#include "app/DocumentContext.h"

#include <QString>

namespace zeltomir::app {

class FileCommands {
public:
    // The context's references must outlive this object.
    explicit FileCommands(const DocumentContext& context);

    // File > Save and the Save button: the factor or initial simplex
    // window's commit first, when that window is the active one, then
    // SaveProblemFile, also when the commit reported a bad cell.
    void saveSequence();

    // Asks for a file name and writes the target exercise ("TOO" active),
    // the older variance window's exercise ("VO"), or otherwise the simplex
    // problem; only the last clears Modified and points StateFilePath at the
    // file. A variance exercise without a question of the older window is
    // refused with a message before any file dialog.
    void saveProblemFile();

    // Asks for a file and opens it by its ending. The problem windows close
    // once the file has been read, or when the dialog is cancelled; a file
    // that is refused closes nothing and changes nothing.
    //
    // A problem file, once read, replaces the problem only after asking
    // whether to, when the problem has unsaved changes (No changes nothing),
    // and after an undo snapshot of the problem it replaces: Undo brings
    // that problem back with its step type and unsaved state, Redo the
    // file's again. The file's problem counts as saved.
    void openProblemFile();

    // How a file comes to be opened: File > Open, or the program's command
    // line at start-up, where there is nothing to ask about or to undo.
    enum class OpenedBy { User, CommandLine };

    // Opens the file at path as File > Open would once it is chosen: by its
    // ending, with the same refusal for a file that cannot be opened. False
    // when the file was refused or the user kept the problem.
    bool openFile(const QString& path, OpenedBy by = OpenedBy::User);

    // Asks whether to begin a new problem (the problem windows closed
    // first); on Yes the record starts again and the setup window opens
    // with Define Initial Simplex disabled.
    void newProblem();
    // Practice > Simplex on a Simulated Process...: the dialog, then New's
    // question when the work is unsaved; then the record of the chosen
    // process and the setup window at Define Initial Simplex.
    void newSimulatedProblem();

    // frmDefineFactors, frmInitialSimplex, frmProgress, SeqSimplexInitialize,
    // SimplexSteps, in this order; the practice windows stay.
    void closeProblemWindows();

private:
    bool openTargetExercise(const QString& path);
    bool openVarianceExercise(const QString& path);
    bool openStateFile(const QString& path, OpenedBy by);
    // The question before unsaved work is replaced; true to go on.
    bool replaceUnsavedProblem();

    DocumentContext m_context;
};

} // namespace zeltomir::app
