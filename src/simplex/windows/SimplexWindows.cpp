#include "simplex/windows/SimplexWindows.h"

#include "simplex/EngineSupport.h"
#include "simplex/FactorGrid.h"
#include "simplex/InitialSimplex.h"
#include "simplex/ProblemSetup.h"
#include "simplex/Resumption.h"
#include "simplex/TrialDisplay.h"
#include "simplex/windows/FactorWindow.h"
#include "simplex/windows/InitialSimplexWindow.h"
#include "simplex/windows/ResponseWindow.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexPlotWindow.h"
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

#include <algorithm>

namespace zeltomir::simplex {

namespace {

// Sizes the product leaves open, in twips.
constexpr int StepsWidthTwips = 5400;
constexpr int StepsHeightTwips = 5400;
constexpr int FactorHeightTwips = 4800;
// The layout's margins and the window frame beside the factor grid.
constexpr int FactorMarginsTwips = 500;
// Room around the controls of a window sized by its layout.
constexpr int SpareWidthTwips = 240;
constexpr int SpareHeightTwips = 120;

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
ResponseWindow* SimplexWindows::responseWindow() const { return openOnly(m_responses); }
InitialSimplexWindow* SimplexWindows::initialSimplexWindow() const { return openOnly(m_initial); }
StepsWindow* SimplexWindows::stepsWindow() const { return openOnly(m_steps); }
VertexSummaryWindow* SimplexWindows::vertexSummaryWindow() const { return openOnly(m_summary); }
SimplexPlotWindow* SimplexWindows::simplexPlotWindow() const { return openOnly(m_plot); }

void SimplexWindows::installViewCommands(shell::CommandHandlers& handlers)
{
    handlers.showSimplexSteps = [this] { showSimplexSteps(); };
    handlers.showVertexSummary = [this] { showVertexSummary(); };
    handlers.showSimplexPlot = [this] { showSimplexPlot(); };
    handlers.showProblemSetup = [this] { showProblemSetup(); };
    handlers.correctResult = [this] {
        VertexSummaryWindow* summary = vertexSummaryWindow();
        if (const std::optional<int> vertex = summary ? summary->selectedVertex() : std::nullopt)
            summary->correctResult(*vertex);
    };
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
    if (!size.isValid()) {
        // The controls' own size with some room to breathe.
        size = frame->sizeHint()
               + QSize(shell::TwipsX(window, SpareWidthTwips), shell::TwipsY(window, SpareHeightTwips));
    }
    frame->resize(size);
    frame->show();
    keepInside(frame);
    activate(window);
    return frame;
}

QSize SimplexWindows::room() const
{
    return m_context.mainWindow.mdiArea()->viewport()->size();
}

// A window is placed where the MDI area finds room for it; one that would
// reach past the area's right or bottom edge is moved back into it.
void SimplexWindows::keepInside(QMdiSubWindow* frame)
{
    const QSize area = room();
    QPoint position = frame->pos();
    if (position.x() + frame->width() > area.width())
        position.setX(std::max(0, area.width() - frame->width()));
    if (position.y() + frame->height() > area.height())
        position.setY(std::max(0, area.height() - frame->height()));
    frame->move(position);
}

// A window whose controls need more height than it has (the steps window
// with a row per response) grows to show them all, within the MDI area.
void SimplexWindows::fitToContents(SimplexChildWindow* window)
{
    QMdiSubWindow* frame = window->subWindow();
    if (!frame)
        return;
    // The frame's own hint adds its title bar and borders to the window's.
    const int needed = frame->minimumSizeHint().height();
    if (needed <= frame->height())
        return;
    frame->resize(frame->width(), std::min(needed, std::max(frame->height(), room().height())));
    keepInside(frame);
}

// The twips size of a grid window allows a narrow column per factor and a
// few rows; where the columns fitted to their texts, or the rows, need more,
// the window grows (within the MDI area) rather than hiding the last columns
// or rows behind a scroll bar.
void SimplexWindows::fitToGrid(SimplexChildWindow* window, const shell::GridWidget& grid)
{
    QMdiSubWindow* frame = window->subWindow();
    if (!frame)
        return;
    const auto grown = [](int size, int missing, int room) {
        return missing > 0 ? std::min(size + missing, std::max(size, room)) : size;
    };
    const int width = grown(frame->width(), GridContentWidth(grid) - grid.width(), room().width());
    frame->resize(width, frame->height());
    const int height = grown(frame->height(), GridContentHeight(grid) - grid.height(), room().height());
    frame->resize(width, height);
    keepInside(frame);
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

QSize SimplexWindows::factorWindowSize(const FactorWindow* window) const
{
    const QSize wanted(GridContentWidth(*window->grid()) + shell::TwipsX(window, FactorMarginsTwips),
                       shell::TwipsY(window, FactorHeightTwips));
    const QSize area = room();
    return {area.width() > 0 ? std::min(wanted.width(), area.width()) : wanted.width(),
            area.height() > 0 ? std::min(wanted.height(), area.height()) : wanted.height()};
}

SetupWindow* SimplexWindows::openSetupWindow()
{
    if (SetupWindow* open = setupWindow()) {
        activate(open);
        return open;
    }
    m_setup = new SetupWindow(*this);
    addWindow(m_setup, QSize());
    return m_setup;
}

SetupWindow* SimplexWindows::setupWindowLoaded()
{
    if (SetupWindow* open = setupWindow())
        return open;
    // Loaded by a reference, not brought forward: the window that referred
    // to it stays the active one.
    QMdiSubWindow* active = m_context.mainWindow.mdiArea()->activeSubWindow();
    m_setup = new SetupWindow(*this);
    addWindow(m_setup, QSize());
    if (active)
        m_context.mainWindow.mdiArea()->setActiveSubWindow(active);
    return m_setup;
}

FactorWindow* SimplexWindows::openFactorWindow()
{
    if (FactorWindow* open = factorWindow()) {
        activate(open);
        return open;
    }
    m_factors = new FactorWindow(*this);
    addWindow(m_factors, factorWindowSize(m_factors));
    fitToGrid(m_factors, *m_factors->grid());
    return m_factors;
}

ResponseWindow* SimplexWindows::openResponseWindow()
{
    if (ResponseWindow* open = responseWindow()) {
        activate(open);
        return open;
    }
    m_responses = new ResponseWindow(*this);
    addWindow(m_responses, QSize());
    fitToGrid(m_responses, *m_responses->grid());
    return m_responses;
}

InitialSimplexWindow* SimplexWindows::openInitialSimplexWindow(const GridText& grid)
{
    InitialSimplexWindow* window = initialSimplexWindow();
    if (!window) {
        m_initial = window = new InitialSimplexWindow(*this);
        window->showGrid(grid);
        addWindow(window, ChildWindowSize(window, InitialSimplexWindow::widthTwips(m_context.problem.NumFactors),
                                          InitialSimplexWindow::HeightTwips, m_context.mainWindow.mdiArea()));
        fitToGrid(window, *window->grid());
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
    if (created) {
        addWindow(window, shell::TwipsSize(window, StepsWidthTwips, StepsHeightTwips));
        fitToContents(window);
        // A new window would give the focus to its grid, the first control,
        // where the result typed next would overwrite a factor name.
        window->focusResult();
    } else {
        activate(window);
    }
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
    fitToGrid(m_summary, *m_summary->grid());
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
    if (ReadinessOf(problem) == StepReadiness::Ready) {
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

void SimplexWindows::showSimplexPlot()
{
    if (SimplexPlotWindow* open = simplexPlotWindow()) {
        activate(open);
        return;
    }
    m_plot = new SimplexPlotWindow(*this);
    addWindow(m_plot, ChildWindowSize(m_plot, SimplexPlotWindow::WidthTwips, SimplexPlotWindow::HeightTwips,
                                      m_context.mainWindow.mdiArea()));
}

void SimplexWindows::showProblemSetup()
{
    SetupWindow* setup = openSetupWindow();
    showRecordIn(*setup);
    // Stage "none" is a problem whose factors were never committed.
    setup->setDefineInitialSimplexEnabled(m_context.problem.Stage != core::Stage::None);
    activate(setup);
}

void SimplexWindows::showRecordIn(SetupWindow& setup)
{
    setup.showRecord();
    // The count box shows the record's count, so that the next check of
    // the box keeps it.
    setup.countBox()->setText(QString::number(m_context.problem.NumFactors));
}

void SimplexWindows::refreshPlot()
{
    if (SimplexPlotWindow* plot = simplexPlotWindow())
        plot->refresh();
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
    } else if (active == QLatin1String("frmDefineResponses")) {
        ResponseWindow* window = responseWindow();
        return !window || window->commit();
    } else {
        return true;
    }
    present(outcome);
    return outcome.ok;
}

void SimplexWindows::closeProblemWindows()
{
    const QList<SimplexChildWindow*> order{factorWindow(),        responseWindow(), initialSimplexWindow(),
                                           vertexSummaryWindow(), setupWindow(),    stepsWindow()};
    for (SimplexChildWindow* window : order) {
        if (window)
            window->closeWindow(false);
    }
}

void SimplexWindows::closeWorkWindows()
{
    const QList<SimplexChildWindow*> order{factorWindow(), responseWindow(), initialSimplexWindow(),
                                           vertexSummaryWindow(), stepsWindow()};
    for (SimplexChildWindow* window : order) {
        if (window)
            window->closeWindow(false);
    }
}

void SimplexWindows::reopenStageWindow()
{
    core::OptimizationProblem& problem = m_context.problem;
    // A setup window left open (an undo keeps it) shows the loaded goal and
    // target; its next activation would otherwise take the old ones back
    // into the record.
    if (SetupWindow* setup = setupWindow())
        setup->showRecord();
    refreshPlot();
    const Resumption resumption = ResumptionOf(problem);
    switch (resumption.window) {
    case StageWindow::Factors:
        if (FactorWindow* open = factorWindow())
            open->reload();
        openFactorWindow();
        m_context.runTime.ActiveWindow = QStringLiteral("frmDefineFactors");
        return;
    case StageWindow::Setup: {
        SetupWindow* setup = setupWindowLoaded();
        showRecordIn(*setup);
        setup->setDefineInitialSimplexEnabled(true);
        activate(setup);
        return;
    }
    case StageWindow::Steps:
        break;
    }
    // Only a trial of a committed simplex is shown; a record without one
    // (a damaged or foreign file) gets an empty window, not made-up levels.
    const bool ready = resumption.steps == StepsResume::TrialOnShow;
    const StepsContent content = ready ? ReopenedSteps(problem) : StepsContent{};
    openStepsWindow(ready ? &content : nullptr);
    m_context.runTime.ActiveWindow = QStringLiteral("SimplexSteps");
}

shell::GridWidget* SimplexWindows::gridOf(const QString& activeWindow) const
{
    if (activeWindow == QLatin1String("frmDefineFactors"))
        return factorWindow() ? factorWindow()->grid() : nullptr;
    if (activeWindow == QLatin1String("frmInitialSimplex"))
        return initialSimplexWindow() ? initialSimplexWindow()->grid() : nullptr;
    if (activeWindow == QLatin1String("frmDefineResponses"))
        return responseWindow() ? responseWindow()->grid() : nullptr;
    if (activeWindow == QLatin1String("SimplexSteps"))
        return stepsWindow() ? stepsWindow()->grid() : nullptr;
    if (activeWindow == QLatin1String("frmProgress"))
        return vertexSummaryWindow() ? vertexSummaryWindow()->grid() : nullptr;
    return nullptr;
}

QLineEdit* SimplexWindows::setupCountBox() const { return setupWindow() ? setupWindow()->countBox() : nullptr; }
QLineEdit* SimplexWindows::setupTargetBox() const { return setupWindow() ? setupWindow()->targetBox() : nullptr; }
QLineEdit* SimplexWindows::stepsResultBox() const { return stepsWindow() ? stepsWindow()->resultBox() : nullptr; }
shell::GridWidget* SimplexWindows::stepsResponseGrid() const
{
    return stepsWindow() ? stepsWindow()->responseGrid() : nullptr;
}

bool SimplexWindows::validateFactorCount()
{
    SetupWindow* setup = setupWindowLoaded();
    const Outcome outcome = CheckFactorCount(m_context.problem, setup->countBox()->text());
    present(outcome);
    return outcome.ok;
}

void SimplexWindows::present(const Outcome& outcome)
{
    if (outcome.trialProposedAgain) {
        if (StepsWindow* steps = stepsWindow()) {
            const StepsContent content = ReopenedSteps(m_context.problem);
            steps->showSteps(content);
        }
    }
    ShowMessages(m_context.dialogs, outcome.messages);
    putFocus(outcome.focus, outcome.focusColumn, outcome.focusRow);
}

void SimplexWindows::putFocus(Focus focus, int column, int row)
{
    switch (focus) {
    case Focus::None:
        return;
    case Focus::FactorCell:
    case Focus::InitialCell: {
        SimplexChildWindow* window = focus == Focus::FactorCell ? static_cast<SimplexChildWindow*>(factorWindow())
                                                                : initialSimplexWindow();
        shell::GridWidget* grid = gridOf(window ? window->objectName() : QString());
        if (!grid)
            return;
        activate(window);
        grid->setCurrentCell(column, row);
        grid->setFocus(Qt::OtherFocusReason);
        return;
    }
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
            steps->focusResult();
        else
            steps->grid()->setFocus(Qt::OtherFocusReason);
        return;
    }
    }
}

} // namespace zeltomir::simplex
