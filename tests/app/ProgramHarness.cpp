#include "ProgramHarness.h"

#include "app/DocumentCommands.h"
#include "core/StateFile.h"
#include "practice/windows/PracticeWindow.h"
#include "practice/windows/PracticeWindows.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"
#include "simplex/windows/FactorWindow.h"
#include "simplex/windows/InitialSimplexWindow.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/StepsWindow.h"
#include "simplex/windows/VertexSummaryWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace zeltomir::app::test {

ProgramHarness::ProgramHarness()
{
    EXPECT_TRUE(m_folder.isValid());
    m_program = std::make_unique<Program>(dialogs, ProgramOptions{m_folder.path(), false});
    m_program->mainWindow().setQuitHook([] {});
    m_program->mainWindow().resize(1280, 960);
    m_program->start();
    QApplication::setActiveWindow(&m_program->mainWindow());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&m_program->mainWindow()));
}

ProgramHarness::~ProgramHarness()
{
    m_program.reset();
    // Closed windows are deleted later; let them go with their program.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString ProgramHarness::path(const QString& name) const
{
    return QDir(m_folder.path()).filePath(name);
}

void ProgramHarness::fillFactors(const QList<QStringList>& rows, bool commit)
{
    simplex::SetupWindow* setup = windows().setupWindow();
    ASSERT_NE(setup, nullptr) << "the setup window is closed";
    typeInto(setup->countBox(), QString::number(rows.size()));
    click(setup->defineFactorsButton());
    simplex::FactorWindow* factors = windows().factorWindow();
    ASSERT_NE(factors, nullptr);
    for (int row = 1; row <= rows.size(); ++row) {
        for (int col = 1; col <= rows[row - 1].size(); ++col)
            editCell(*factors->grid(), col, row, rows[row - 1][col - 1]);
    }
    if (commit) {
        click(factors->continueButton());
        ASSERT_EQ(windows().factorWindow(), nullptr) << "the factor window stayed open";
    }
}

void ProgramHarness::fillInitialSimplex(const QStringList& results, bool commit)
{
    simplex::SetupWindow* setup = windows().setupWindow();
    ASSERT_NE(setup, nullptr) << "the setup window is closed";
    click(setup->defineInitialSimplexButton());
    simplex::InitialSimplexWindow* initial = windows().initialSimplexWindow();
    ASSERT_NE(initial, nullptr);
    const int resultColumn = initial->grid()->maxCols();
    for (int row = 1; row <= results.size(); ++row)
        editCell(*initial->grid(), resultColumn, row, results[row - 1]);
    if (commit) {
        click(initial->continueButton());
        ASSERT_EQ(windows().initialSimplexWindow(), nullptr) << "the initial simplex window stayed open";
    }
}

void ProgramHarness::fillInitialSimplexRows(const QList<QStringList>& rows)
{
    fillInitialSimplex({}, false);
    simplex::InitialSimplexWindow* initial = windows().initialSimplexWindow();
    ASSERT_NE(initial, nullptr);
    for (int row = 1; row <= rows.size(); ++row) {
        for (int col = 1; col <= rows[row - 1].size(); ++col)
            editCell(*initial->grid(), col, row, rows[row - 1][col - 1]);
    }
    click(initial->continueButton());
    ASSERT_EQ(windows().initialSimplexWindow(), nullptr) << "the initial simplex window stayed open";
}

void ProgramHarness::beginOptimization()
{
    simplex::SetupWindow* setup = windows().setupWindow();
    ASSERT_NE(setup, nullptr) << "the setup window is closed";
    click(setup->beginOptimizationButton());
    ASSERT_NE(windows().stepsWindow(), nullptr);
}

void ProgramHarness::nextStep(const QString& result)
{
    simplex::StepsWindow* steps = windows().stepsWindow();
    ASSERT_NE(steps, nullptr) << "the steps window is closed";
    typeInto(steps->resultBox(), result);
    click(steps->nextStepButton());
}

void ProgramHarness::startKnownRun()
{
    fillFactors({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}});
    fillInitialSimplex({"41.13", "77.65", "53.13"});
    beginOptimization();
}

void ProgramHarness::clickTool(const char* name)
{
    QToolButton* button = mainWindow().toolButton(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name << " is disabled";
    QTest::mouseClick(button, Qt::LeftButton);
}

void ProgramHarness::triggerMenu(const char* name)
{
    QAction* item = mainWindow().menuAction(QLatin1String(name));
    ASSERT_NE(item, nullptr) << name;
    ASSERT_TRUE(item->isEnabled()) << name << " is disabled";
    item->trigger();
}

bool ProgramHarness::undoEnabled()
{
    return mainWindow().toolButton(QStringLiteral("undo_button"))->isEnabled();
}

bool ProgramHarness::redoEnabled()
{
    return mainWindow().toolButton(QStringLiteral("redo_button"))->isEnabled();
}

QStringList ProgramHarness::openWindows() const
{
    QStringList names;
    const simplex::SimplexWindows& simplex = m_program->simplexWindows();
    const QList<QWidget*> simplexWindows{simplex.setupWindow(), simplex.factorWindow(),
                                         simplex.initialSimplexWindow(), simplex.stepsWindow(),
                                         simplex.vertexSummaryWindow()};
    for (const QWidget* window : simplexWindows) {
        if (window)
            names << window->objectName();
    }
    const practice::ExerciseWindow practiceWindows[] = {practice::ExerciseWindow::Target,
                                                        practice::ExerciseWindow::Variance,
                                                        practice::ExerciseWindow::OlderVariance,
                                                        practice::ExerciseWindow::Scrap};
    for (practice::ExerciseWindow which : practiceWindows) {
        if (const practice::PracticeWindow* window = m_program->practiceWindows().window(which))
            names << window->objectName();
    }
    return names;
}

QString ProgramHarness::activeWindowName() const
{
    QMdiSubWindow* active = m_program->mainWindow().mdiArea()->activeSubWindow();
    return active && active->widget() ? active->widget()->objectName() : QString();
}

QStringList FileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList RecordLines(const core::OptimizationProblem& problem)
{
    return core::StateFileLines(problem);
}

} // namespace zeltomir::app::test
