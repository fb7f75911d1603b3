#include "simplex/windows/FactorWindow.h"

#include "simplex/FactorGrid.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/WindowSupport.h"

#include "core/ProblemRecord.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>


namespace zeltomir::simplex {

FactorWindow::FactorWindow(SimplexWindows& windows, QWidget* parent)
    : SimplexChildWindow(windows, QStringLiteral("frmDefineFactors"), QStringLiteral("Define Factors"), parent)
{
    m_grid = new shell::GridWidget(this);
    m_grid->setObjectName(QStringLiteral("ss"));
    m_continue = new QPushButton(QStringLiteral("Continue"), this);
    m_continue->setObjectName(QStringLiteral("Command1"));
    m_continue->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_continue);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    reload();
    connect(m_continue, &QPushButton::clicked, this, &FactorWindow::continueClicked);
    connect(m_grid, &shell::GridWidget::cellEdited, this, &FactorWindow::cellEdited);
}

void FactorWindow::reload()
{
    WriteGrid(*m_grid, LoadFactorGrid(context().problem));
    WidenColumnsToText(*m_grid);
}

void FactorWindow::activated()
{
    context().runTime.ActiveWindow = QStringLiteral("frmDefineFactors");
    UpdateCommandAvailability(context());
    context().mainWindow.setPrintButtonEnabled(true);
    m_grid->setFocus(Qt::OtherFocusReason);
}

void FactorWindow::continueClicked()
{
    const Outcome outcome =
        ContinueFactorGrid(context().problem, context().runTime, ReadGrid(*m_grid), WindowHooks(context()));
    windows().present(outcome);
    if (context().runTime.FactorGridInvalid == QLatin1String("n"))
        closeWindow(true);
    // Define Initial Simplex becomes available after every Continue, also
    // after one that reported a bad cell.
    windows().setupWindowLoaded()->setDefineInitialSimplexEnabled(true);
}

void FactorWindow::cellEdited()
{
    // An edit counts as a change of the problem; Undo leads back to the last
    // snapshot, which holds the state before it.
    context().runTime.Modified = QStringLiteral("yes");
    context().mainWindow.setUndoEnabled(true);
    context().mainWindow.setRedoEnabled(false);
    // A long name or limit typed in stays readable.
    WidenColumnsToText(*m_grid);
}

bool FactorWindow::closeAllowed()
{
    return windows().validateFactorCount();
}

} // namespace zeltomir::simplex
