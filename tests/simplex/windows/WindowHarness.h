#pragma once

// The simplex windows inside a real main window, with a scripted dialog
// service and a snapshot folder of their own; the record goes through the
// program's start-up and the setup window opens, as when the program starts.

#include "gui/ScriptedDialogService.h"
#include "gui/UserInput.h"

#include "simplex/windows/FactorWindow.h"
#include "simplex/windows/InitialSimplexWindow.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/StepsWindow.h"
#include "simplex/windows/VertexSummaryWindow.h"

#include "core/ProblemRecord.h"
#include "core/SnapshotFiles.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Texts in failure messages as text rather than bytes.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace zeltomir::simplex::test {

class WindowHarness {
public:
    WindowHarness();
    ~WindowHarness();

    testsupport::ScriptedDialogService dialogs;
    core::OptimizationProblem problem;
    core::RunTimeState runTime;

    shell::MainWindow& mainWindow() { return *m_mainWindow; }
    SimplexWindows& windows() { return *m_windows; }
    const core::SnapshotFiles& snapshots() const { return *m_snapshots; }
    QString folder() const { return m_folder.path(); }

    SetupWindow& setup();
    FactorWindow& factors();
    InitialSimplexWindow& initialSimplex();
    StepsWindow& steps();
    VertexSummaryWindow& summary();

    // Replaces the text of a line edit as typing would, one character at a time.
    static void typeInto(QLineEdit* box, const QString& text) { testsupport::TypeInto(box, text); }
    // Writes a cell as the user's editor does (a user edit, with cellEdited).
    static void editCell(shell::GridWidget& grid, int col, int row, const QString& text)
    {
        testsupport::EditCell(grid, col, row, text);
    }
    static void click(QPushButton* button) { testsupport::Click(button); }
    // Clicks an option button on its indicator (a stretched option button
    // answers only on its indicator and caption, not in the middle).
    static void clickOption(QAbstractButton* option);

    // The whole setup up to an open steps window: factors committed from
    // `factorRows` (name, lower, upper, decimals), the initial simplex
    // committed with `results` (levels as proposed), Begin Optimization.
    void defineProblem(const QList<QStringList>& factorRows);
    void commitInitialSimplex(const QStringList& results);
    void beginOptimization();

    QString activeTitle() const;
    bool undoEnabled();
    bool redoEnabled();

private:
    QTemporaryDir m_folder;
    std::unique_ptr<core::SnapshotFiles> m_snapshots;
    std::unique_ptr<shell::MainWindow> m_mainWindow;
    std::unique_ptr<SimplexWindows> m_windows;
};

// The whole contents of a file; empty when it cannot be read.
QByteArray FileBytes(const QString& path);

} // namespace zeltomir::simplex::test
