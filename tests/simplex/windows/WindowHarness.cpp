#include "WindowHarness.h"

#include "core/UndoSnapshot.h"

#include <QFile>
#include <QMdiSubWindow>
#include <QToolButton>

namespace zeltomir::simplex::test {

WindowHarness::WindowHarness()
{
    m_snapshots = std::make_unique<core::SnapshotFiles>(m_folder.path());
    EXPECT_TRUE(core::StartUpProblem(problem, runTime, *m_snapshots).ok);
    m_mainWindow = std::make_unique<shell::MainWindow>(dialogs, runTime);
    m_mainWindow->setQuitHook([] {});
    m_mainWindow->resize(1280, 960);
    m_windows = std::make_unique<SimplexWindows>(
        SimplexWindowContext{problem, runTime, *m_snapshots, dialogs, *m_mainWindow});
    m_windows->installViewCommands(m_mainWindow->handlers());
    m_mainWindow->show();
    QApplication::setActiveWindow(m_mainWindow.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(m_mainWindow.get()));
    m_windows->openSetupWindow();
}

WindowHarness::~WindowHarness()
{
    m_windows.reset();
    m_mainWindow.reset();
}

SetupWindow& WindowHarness::setup()
{
    SetupWindow* window = m_windows->setupWindow();
    EXPECT_NE(window, nullptr) << "the setup window is closed";
    return *window;
}

FactorWindow& WindowHarness::factors()
{
    FactorWindow* window = m_windows->factorWindow();
    EXPECT_NE(window, nullptr) << "the factor window is closed";
    return *window;
}

InitialSimplexWindow& WindowHarness::initialSimplex()
{
    InitialSimplexWindow* window = m_windows->initialSimplexWindow();
    EXPECT_NE(window, nullptr) << "the initial simplex window is closed";
    return *window;
}

StepsWindow& WindowHarness::steps()
{
    StepsWindow* window = m_windows->stepsWindow();
    EXPECT_NE(window, nullptr) << "the steps window is closed";
    return *window;
}

VertexSummaryWindow& WindowHarness::summary()
{
    VertexSummaryWindow* window = m_windows->vertexSummaryWindow();
    EXPECT_NE(window, nullptr) << "the vertex summary is closed";
    return *window;
}

void WindowHarness::clickOption(QAbstractButton* option)
{
    ASSERT_NE(option, nullptr);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(option->height() / 2, option->height() / 2));
}

void WindowHarness::defineProblem(const QList<QStringList>& factorRows)
{
    typeInto(setup().countBox(), QString::number(factorRows.size()));
    click(setup().defineFactorsButton());
    FactorWindow& window = factors();
    for (int row = 1; row <= factorRows.size(); ++row) {
        for (int col = 1; col <= 4; ++col)
            editCell(*window.grid(), col, row, factorRows[row - 1][col - 1]);
    }
    click(window.continueButton());
    ASSERT_EQ(m_windows->factorWindow(), nullptr) << "the factor window stayed open";
}

void WindowHarness::commitInitialSimplex(const QStringList& results)
{
    click(setup().defineInitialSimplexButton());
    InitialSimplexWindow& window = initialSimplex();
    const int resultColumn = window.grid()->maxCols();
    for (int row = 1; row <= results.size(); ++row)
        editCell(*window.grid(), resultColumn, row, results[row - 1]);
    click(window.continueButton());
    ASSERT_EQ(m_windows->initialSimplexWindow(), nullptr) << "the initial simplex window stayed open";
}

void WindowHarness::beginOptimization()
{
    click(setup().beginOptimizationButton());
    ASSERT_NE(m_windows->stepsWindow(), nullptr);
}

QString WindowHarness::activeTitle() const
{
    QMdiSubWindow* active = m_mainWindow->mdiArea()->activeSubWindow();
    return active ? active->widget()->objectName() : QString();
}

bool WindowHarness::undoEnabled()
{
    return m_mainWindow->toolButton(QStringLiteral("undo_button"))->isEnabled();
}

bool WindowHarness::redoEnabled()
{
    return m_mainWindow->toolButton(QStringLiteral("redo_button"))->isEnabled();
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace zeltomir::simplex::test
