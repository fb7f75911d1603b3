#pragma once

// A running program for the document command tests: a real main window with
// the simplex and practice windows, a scripted dialog service and a program
// folder of its own, started as main() starts it. Commands are run as the
// user runs them, through the toolbar and the menus.

#include "app/Program.h"
#include "gui/ScriptedDialogService.h"
#include "gui/UserInput.h"

#include "core/ProblemRecord.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QLineEdit;
class QPushButton;

namespace zeltomir::shell {
class GridWidget;
class MainWindow;
} // namespace zeltomir::shell

namespace zeltomir::simplex {
class SimplexWindows;
}

namespace zeltomir::app {

class DocumentCommands;

namespace test {

class ProgramHarness {
public:
    ProgramHarness();
    ~ProgramHarness();
    ProgramHarness(const ProgramHarness&) = delete;
    ProgramHarness& operator=(const ProgramHarness&) = delete;

    testsupport::ScriptedDialogService dialogs;

    Program& program() { return *m_program; }
    core::OptimizationProblem& problem() { return m_program->problem(); }
    core::RunTimeState& runTime() { return m_program->runTime(); }
    shell::MainWindow& mainWindow() { return m_program->mainWindow(); }
    simplex::SimplexWindows& windows() { return m_program->simplexWindows(); }
    DocumentCommands& documents() { return m_program->documents(); }
    QString folder() const { return m_folder.path(); }
    QString path(const QString& name) const;

    // The user's steps through the simplex windows.
    static void typeInto(QLineEdit* box, const QString& text) { testsupport::TypeInto(box, text); }
    static void editCell(shell::GridWidget& grid, int col, int row, const QString& text)
    {
        testsupport::EditCell(grid, col, row, text);
    }
    static void click(QPushButton* button) { testsupport::Click(button); }
    // Types the count, opens the factor window and fills its rows (name,
    // lower, upper, decimals); with `commit` Continue is clicked too.
    void fillFactors(const QList<QStringList>& rows, bool commit = true);
    // Opens the initial simplex window and types the results; with `commit`
    // Continue is clicked too.
    void fillInitialSimplex(const QStringList& results, bool commit = true);
    // The same with every cell of each row typed: the levels, then the result.
    void fillInitialSimplexRows(const QList<QStringList>& rows);
    void beginOptimization();
    void nextStep(const QString& result);
    // Temp in 20..80 (2 decimals) and Time in 10..50 (1 decimal), goal
    // maximum; the initial results 41.13, 77.65, 53.13; Begin Optimization.
    // The first trial shown is Temp 50, Time 20.
    void startKnownRun();

    void clickTool(const char* name);
    void triggerMenu(const char* name);
    bool undoEnabled();
    bool redoEnabled();

    // The object names of the open child windows, simplex then practice.
    QStringList openWindows() const;
    QString activeWindowName() const;

private:
    QTemporaryDir m_folder;
    std::unique_ptr<Program> m_program;
};

// The lines of a file split at CRLF, without the empty text after the last.
QStringList FileLines(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);
// The record as its state file would hold it: two records with the same
// lines hold the same problem at the precision of the file.
QStringList RecordLines(const core::OptimizationProblem& problem);

} // namespace test
} // namespace zeltomir::app
