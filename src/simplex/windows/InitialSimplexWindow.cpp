#include "simplex/windows/InitialSimplexWindow.h"

#include "simplex/InitialSimplex.h"
#include "simplex/SimulatedRun.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/WindowSupport.h"

#include "core/ProblemRecord.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"
#include "shell/Twips.h"

#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>

namespace zeltomir::simplex {

namespace {

// Placement inside the window, in twips: the grid keeps 120 on its left and
// top, and the resize rule leaves 240 across and 715 down around it for the
// margins and the Continue button below.
constexpr int GridLeftTwips = 120;
constexpr int GridTopTwips = 120;
constexpr int WidthAroundGridTwips = 240;
constexpr int HeightAroundGridTwips = 715;
constexpr int ButtonGapTwips = 100;
constexpr int ButtonWidthTwips = 1215;
constexpr int ButtonHeightTwips = 375;

} // namespace

InitialSimplexWindow::InitialSimplexWindow(SimplexWindows& windows, QWidget* parent)
    : SimplexChildWindow(windows, QStringLiteral("frmInitialSimplex"), QStringLiteral("Initial Simplex"), parent)
{
    m_grid = new shell::GridWidget(this);
    m_grid->setObjectName(QStringLiteral("ss"));
    m_continue = new QPushButton(QStringLiteral("Continue"), this);
    m_continue->setObjectName(QStringLiteral("Command3"));
    m_continue->setAutoDefault(false);
    m_runTrial = MakeButton(QStringLiteral("cmdRunTrial"), QStringLiteral("Run Trial"), this);
    m_runTrial->setVisible(ProcessOfRun(context().problem) != nullptr);

    showGrid(LoadInitialSimplexGrid(context().problem));
    m_grid->setCurrentCell(1, 1);

    connect(m_continue, &QPushButton::clicked, this, &InitialSimplexWindow::continueClicked);
    connect(m_runTrial, &QPushButton::clicked, this, &InitialSimplexWindow::runTrial);
    connect(m_grid, &shell::GridWidget::cellEdited, this,
            [&runTime = context().runTime] { runTime.Modified = QStringLiteral("yes"); });
}

void InitialSimplexWindow::showGrid(const GridText& text)
{
    WriteGrid(*m_grid, text);
    WidenColumnsToText(*m_grid);
}

void InitialSimplexWindow::activated()
{
    context().runTime.ActiveWindow = QStringLiteral("frmInitialSimplex");
    UpdateCommandAvailability(context());
    context().mainWindow.setPrintButtonEnabled(true);
    m_grid->setFocus(Qt::OtherFocusReason);
}

void InitialSimplexWindow::resizeEvent(QResizeEvent* event)
{
    SimplexChildWindow::resizeEvent(event);
    const QSize inner = event->size();
    const int left = shell::TwipsX(this, GridLeftTwips);
    const int top = shell::TwipsY(this, GridTopTwips);
    const int width = std::max(0, inner.width() - shell::TwipsX(this, WidthAroundGridTwips));
    const int height = std::max(0, inner.height() - shell::TwipsY(this, HeightAroundGridTwips));
    m_grid->setGeometry(left, top, width, height);
    const int buttonWidth = std::max(shell::TwipsX(this, ButtonWidthTwips), m_continue->sizeHint().width());
    const int buttonHeight = std::max(shell::TwipsY(this, ButtonHeightTwips), m_continue->sizeHint().height());
    const int buttonTop = top + height + shell::TwipsY(this, ButtonGapTwips);
    m_continue->setGeometry(left + width - buttonWidth, buttonTop, buttonWidth, buttonHeight);
    const int runWidth = std::max(shell::TwipsX(this, ButtonWidthTwips), m_runTrial->sizeHint().width());
    m_runTrial->setGeometry(left, buttonTop, runWidth, buttonHeight);
}

// The measurements go into the cells as if typed: the learner still
// presses Continue, and may change any of them first.
void InitialSimplexWindow::runTrial()
{
    m_grid->finishEditing();
    showGrid(MeasureInitialRows(context().problem, ReadGrid(*m_grid)));
    context().runTime.Modified = QStringLiteral("yes");
}

void InitialSimplexWindow::continueClicked()
{
    const Outcome outcome = ContinueInitialSimplex(context().problem, ReadGrid(*m_grid), WindowHooks(context()));
    windows().present(outcome);
    if (outcome.ok)
        closeWindow(true);
}

} // namespace zeltomir::simplex
