#include "simplex/windows/ResponseWindow.h"

#include "simplex/windows/StepsWindow.h"

#include "simplex/ResponseGrid.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/WindowSupport.h"

#include "core/ProblemRecord.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeltomir::simplex {

ResponseWindow::ResponseWindow(SimplexWindows& windows, QWidget* parent)
    : SimplexChildWindow(windows, QStringLiteral("frmDefineResponses"), QStringLiteral("Define Responses"), parent)
{
    auto* help = new QLabel(QStringLiteral("Goal: Maximize, Minimize, Target or Track only. "
                                           "Leave the grid empty for a single response."),
                            this);
    help->setObjectName(QStringLiteral("lblGoals"));
    help->setWordWrap(true);
    m_grid = new shell::GridWidget(this);
    m_grid->setObjectName(QStringLiteral("ss"));
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(help);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    reload();
    connect(m_ok, &QPushButton::clicked, this, &ResponseWindow::okClicked);
    connect(m_grid, &shell::GridWidget::cellEdited, this, [this] { WidenColumnsToText(*m_grid); });
}

void ResponseWindow::reload()
{
    WriteGrid(*m_grid, LoadResponseGrid(context().problem));
    WidenColumnsToText(*m_grid);
}

void ResponseWindow::activated()
{
    context().runTime.ActiveWindow = QStringLiteral("frmDefineResponses");
    UpdateCommandAvailability(context());
    m_grid->setFocus(Qt::OtherFocusReason);
}

void ResponseWindow::okClicked()
{
    if (commit())
        closeWindow(true);
}

bool ResponseWindow::commit()
{
    EngineHooks hooks = WindowHooks(context());
    hooks.storeUndoSnapshot = [this, store = hooks.storeUndoSnapshot] {
        if (store)
            store();
        context().runTime.Modified = QStringLiteral("yes");
    };
    const Outcome outcome = CommitResponseGrid(context().problem, ReadGrid(*m_grid), hooks);
    windows().present(outcome);
    if (!outcome.ok) {
        if (outcome.focusRow > 0)
            m_grid->setCurrentCell(outcome.focusColumn, outcome.focusRow);
        m_grid->setFocus(Qt::OtherFocusReason);
        return false;
    }
    // The results were scored anew: the setup's goal, the steps on show and
    // the plot follow the responses.
    windows().setupWindowLoaded()->showRecord();
    if (StepsWindow* steps = windows().stepsWindow())
        steps->showResultEntry();
    windows().refreshPlot();
    return true;
}

} // namespace zeltomir::simplex
