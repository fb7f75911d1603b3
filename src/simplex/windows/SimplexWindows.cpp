#include "simplex/windows/SimplexWindows.h"

#include "simplex/EngineSupport.h"
#include "simplex/FactorGrid.h"
#include "simplex/InitialSimplex.h"
#include "simplex/ProblemSetup.h"
#include "simplex/TrialDisplay.h"
#include "simplex/windows/FactorWindow.h"
#include "simplex/windows/InitialSimplexWindow.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/StepsWindow.h"
#include "simplex/windows/VertexSummaryWindow.h"
#include "simplex/windows/WindowSupport.h"

#include "core/ProblemRecord.h"
#include "shell/CommandHandlers.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"
#include "shell/Twips.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace zeltomir::simplex {

namespace {

// Sizes the product leaves open, in twips.
constexpr int StepsWidthTwips = 5400;
constexpr int StepsHeightTwips = 5400;
constexpr int FactorHeightTwips = 4800;
// Row numbers, scroll bar, frame and margins beside the factor grid's columns.
constexpr int FactorWidthAroundColumnsTwips = 1100;

} // namespace

SimplexWindows::SimplexWindows(SimplexWindowContext context, QObject* parent)
    : QObject(parent), m_context(context)
{
    connect(m_context.mainWindow.mdiArea(), &QMdiArea::subWindowActivated, this,
            &SimplexWindows::subWindowActivated);
}

SimplexWindows::~SimplexWindows() = default;

template <typename Window> Window* SimplexWindows::openOnly(const QPointer<Window>& window) const
{
    return window && !window->isClosed() ? window.data() : nullptr;
}

SetupWindow* SimplexWindows::setupWindow() const { return openOnly(m_setup); }
FactorWindow* SimplexWindows::factorWindow() const { return openOnly(m_factors); }
InitialSimplexWindow* SimplexWindows::initialSimplexWindow() const { return openOnly(m_initial); }
StepsWindow* SimplexWindows::stepsWindow() const { return openOnly(m_steps); }
VertexSummaryWindow* SimplexWindows::vertexSummaryWindow() const { return openOnly(m_summary); }

void SimplexWindows::installViewCommands(shell::CommandHandlers& handlers)
{
    handlers.showSimplexSteps = [this] { showSimplexSteps(); };
    handlers.showVertexSummary = [this] { showVertexSummary(); };
}

void SimplexWindows::subWindowActivated(QMdiSubWindow* subWindow)
{
    if (!subWindow)
        return;
    auto* window = qobject_cast<SimplexChildWindow*>(subWindow->widget());
    if (window && !window->isClosed())
        window->activated();
}

QMdiSubWindow* SimplexWindows::addWindow(SimplexChildWindow* window, QSize size)
{
    QMdiSubWindow* frame = m_context.mainWindow.addChild(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->resize(size);
    frame->show();
    activate(window);
    return frame;
}

void SimplexWindows::activate(SimplexChildWindow* window)
{
    QMdiSubWindow* frame = window ? window->subWindow() : nullptr;
    if (!frame)
        return;
    if (frame->isMinimized())
        frame->showNormal();
    m_context.mainWindow.mdiArea()->setActiveSubWindow(frame);
}

QSize SimplexWindows::setupWindowSize(const SetupWindow* window) const
{
    // The controls' own size with some room to breathe.
    const QSize hint = window->sizeHint();
    return {hint.width() + shell::TwipsX(window, 600), hint.height() + shell::TwipsY(window, 600)};
}

QSize SimplexWindows::factorWindowSize(const FactorWindow* window) const
{
    int columns = 0;
    for (int col = 1; col <= window->grid()->maxCols(); ++col)
        columns += window->grid()->colWidth(col);
    const QSize wanted(columns + shell::TwipsX(window, FactorWidthAroundColumnsTwips),
                       shell::TwipsY(window, FactorHeightTwips));
    const QSize room = m_context.mainWindow.mdiArea()->viewport()->size();
    return {room.width() > 0 ? std::min(wanted.width(), room.width()) : wanted.width(),
            room.height() > 0 ? std::min(wanted.height(), room.height()) : wanted.height()};
}

SetupWindow* SimplexWindows::openSetupWindow()
{
    if (SetupWindow* open = setupWindow()) {
        activate(open);
        return open;
    }
    m_setup = new SetupWindow(*this);
    addWindow(m_setup, setupWindowSize(m_setup));
    return m_setup;
}

SetupWindow* SimplexWindows::setupWindowLoaded()
{
    return openSetupWindow();
}

FactorWindow* SimplexWindows::openFactorWindow()
{
    if (FactorWindow* open = factorWindow()) {
        activate(open);
        return open;
    }
    m_factors = new FactorWindow(*this);
    addWindow(m_factors, factorWindowSize(m_factors));
    return m_factors;
}

InitialSimplexWindow* SimplexWindows::openInitialSimplexWindow(const GridText& grid)
{
    InitialSimplexWindow* window = initialSimplexWindow();
    if (!window) {
        m_initial = window = new InitialSimplexWindow(*this);
        window->showGrid(grid);
        addWindow(window, ChildWindowSize(window, InitialSimplexWindow::widthTwips(m_context.problem.NumFactors),
                                          InitialSimplexWindow::HeightTwips, m_context.mainWindow.mdiArea()));
        return window;
    }
    window->showGrid(grid);
    activate(window);
    return window;
}

StepsWindow* SimplexWindows::openStepsWindow(const StepsContent* content)
{
    StepsWindow* window = stepsWindow();
    const bool created = !window;
    if (created)
        m_steps = window = new StepsWindow(*this);
    if (content)
        window->showSteps(*content);
    if (created)
        addWindow(window, shell::TwipsSize(window, StepsWidthTwips, StepsHeightTwips));
    else
        activate(window);
    return window;
}

VertexSummaryWindow* SimplexWindows::openVertexSummary()
{
    if (VertexSummaryWindow* open = vertexSummaryWindow()) {
        activate(open);
        return open;
    }
    m_summary = new VertexSummaryWindow(*this);
    addWindow(m_summary, ChildWindowSize(m_summary, VertexSummaryWindow::widthTwips(m_context.problem.NumFactors),
                                         VertexSummaryWindow::HeightTwips, m_context.mainWindow.mdiArea()));
    return m_summary;
}

void SimplexWindows::showSimplexSteps()
{
    if (stepsWindow()) {
        openStepsWindow(nullptr);
        return;
    }
    // The trial lives in the record, so a window closed in mid-run comes
    // back with it rather than empty.
    const core::OptimizationProblem& problem = m_context.problem;
    const bool hasTrial = problem.InitialSimplexDefined == QLatin1String("yes")
                          && !problem.CurrentVertexType.isEmpty() && SimplexMatchesFactorCount(problem);
    if (hasTrial) {
        const StepsContent content = ReopenedSteps(problem);
        openStepsWindow(&content);
    } else {
        openStepsWindow(nullptr);
    }
}

void SimplexWindows::showVertexSummary()
{
    openVertexSummary();
}

bool SimplexWindows::commitActiveWindowBeforeSave()
{
    const QString& active = m_context.runTime.ActiveWindow;
    Outcome outcome;
    if (active == QLatin1String("frmInitialSimplex")) {
        InitialSimplexWindow* window = initialSimplexWindow();
        if (!window)
            return true;
        outcome = CommitInitialSimplexGrid(m_context.problem, ReadGrid(*window->grid()));
    } else if (active == QLatin1String("frmDefineFactors")) {
        FactorWindow* window = factorWindow();
        if (!window)
            return true;
        outcome = CommitFactorGrid(m_context.problem, m_context.runTime, ReadGrid(*window->grid()));
    } else {
        return true;
    }
    present(outcome);
    return outcome.ok;
}

void SimplexWindows::closeProblemWindows()
{
    const QList<SimplexChildWindow*> order{factorWindow(), initialSimplexWindow(), vertexSummaryWindow(),
                                           setupWindow(), stepsWindow()};
    for (SimplexChildWindow* window : order) {
        if (window)
            window->closeWindow(false);
    }
}

void SimplexWindows::closeWorkWindows()
{
    const QList<SimplexChildWindow*> order{factorWindow(), initialSimplexWindow(), vertexSummaryWindow(),
                                           stepsWindow()};
    for (SimplexChildWindow* window : order) {
        if (window)
            window->closeWindow(false);
    }
}

void SimplexWindows::reopenStageWindow()
{
    core::OptimizationProblem& problem = m_context.problem;
    const QString& stage = problem.Stage;
    if (stage == QLatin1String("none") || stage == QLatin1String("DefineFactors")) {
        if (FactorWindow* open = factorWindow())
            open->reload();
        openFactorWindow();
        m_context.runTime.ActiveWindow = QStringLiteral("frmDefineFactors");
    } else if (stage == QLatin1String("SeqSimplexInitialize")) {
        SetupWindow* setup = setupWindowLoaded();
        // The count box shows the loaded problem's count, so that the next
        // check of the box keeps it.
        setup->countBox()->setText(QString::number(problem.NumFactors));
        setup->setDefineInitialSimplexEnabled(true);
        activate(setup);
    } else {
        const StepsContent content = ReopenedSteps(problem);
        openStepsWindow(&content);
        m_context.runTime.ActiveWindow = QStringLiteral("SimplexSteps");
    }
}

shell::GridWidget* SimplexWindows::gridOf(const QString& activeWindow) const
{
    if (activeWindow == QLatin1String("frmDefineFactors"))
        return factorWindow() ? factorWindow()->grid() : nullptr;
    if (activeWindow == QLatin1String("frmInitialSimplex"))
        return initialSimplexWindow() ? initialSimplexWindow()->grid() : nullptr;
    if (activeWindow == QLatin1String("SimplexSteps"))
        return stepsWindow() ? stepsWindow()->grid() : nullptr;
    if (activeWindow == QLatin1String("frmProgress"))
        return vertexSummaryWindow() ? vertexSummaryWindow()->grid() : nullptr;
    return nullptr;
}

QLineEdit* SimplexWindows::setupCountBox() const { return setupWindow() ? setupWindow()->countBox() : nullptr; }
QLineEdit* SimplexWindows::setupTargetBox() const { return setupWindow() ? setupWindow()->targetBox() : nullptr; }
QLineEdit* SimplexWindows::stepsResultBox() const { return stepsWindow() ? stepsWindow()->resultBox() : nullptr; }

bool SimplexWindows::validateFactorCount()
{
    SetupWindow* setup = setupWindowLoaded();
    const Outcome outcome = CheckFactorCount(m_context.problem, setup->countBox()->text());
    present(outcome);
    return outcome.ok;
}

void SimplexWindows::present(const Outcome& outcome)
{
    ShowMessages(m_context.dialogs, outcome.messages);
    putFocus(outcome.focus);
}

void SimplexWindows::putFocus(Focus focus)
{
    switch (focus) {
    case Focus::None:
        return;
    case Focus::SetupCount:
    case Focus::SetupTarget: {
        SetupWindow* setup = setupWindowLoaded();
        activate(setup);
        (focus == Focus::SetupCount ? setup->countBox() : setup->targetBox())->setFocus(Qt::OtherFocusReason);
        return;
    }
    case Focus::StepsResult:
    case Focus::StepsLevels: {
        StepsWindow* steps = stepsWindow();
        if (!steps)
            return;
        activate(steps);
        if (focus == Focus::StepsResult)
            steps->resultBox()->setFocus(Qt::OtherFocusReason);
        else
            steps->grid()->setFocus(Qt::OtherFocusReason);
        return;
    }
    }
}

} // namespace zeltomir::simplex
