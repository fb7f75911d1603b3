#include "simplex/windows/StepsWindow.h"

#include "simplex/NextStep.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/WindowSupport.h"

#include "core/ProblemRecord.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"

#include <QEvent>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zeltomir::simplex {

namespace {

enum Column { NameColumn = 1, LevelColumn = 2 };

} // namespace

StepsWindow::StepsWindow(SimplexWindows& windows, QWidget* parent)
    : SimplexChildWindow(windows, QStringLiteral("SimplexSteps"), QStringLiteral("Simplex Optimization"), parent)
{
    m_grid = new shell::GridWidget(this);
    m_grid->setObjectName(QStringLiteral("ss"));
    m_grid->setMaxCols(LevelColumn);
    m_grid->setCell(NameColumn, 0, QStringLiteral("Factor"));
    m_grid->setCell(LevelColumn, 0, QStringLiteral("Level"));
    // Names can be long and levels carry up to 15 digits.
    m_grid->setColWidth(NameColumn, m_grid->colWidth(NameColumn) * 3 / 2);
    m_grid->setColWidth(LevelColumn, m_grid->colWidth(LevelColumn) * 2);

    m_resultLabel = new QLabel(QStringLiteral("Result:"), this);
    m_resultLabel->setObjectName(QStringLiteral("Label1"));
    m_result = new QLineEdit(this);
    m_result->setObjectName(QStringLiteral("Text1"));
    m_resultLabel->setBuddy(m_result);
    m_nextStep = new QPushButton(QStringLiteral("Next Step"), this);
    m_nextStep->setObjectName(QStringLiteral("Command1"));
    m_nextStep->setAutoDefault(false);

    m_status = new QGroupBox(QStringLiteral("Status"), this);
    m_status->setObjectName(QStringLiteral("Frame1"));
    m_instruction = new QLabel(m_status);
    m_instruction->setObjectName(QStringLiteral("Label2"));
    m_instruction->setWordWrap(true);
    QFont emphasised = m_instruction->font();
    emphasised.setBold(true);
    m_instruction->setFont(emphasised);
    auto* statusLayout = new QVBoxLayout(m_status);
    statusLayout->addWidget(m_instruction);

    auto* entry = new QHBoxLayout;
    entry->addWidget(m_resultLabel);
    entry->addWidget(m_result, 1);
    entry->addWidget(m_nextStep);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_status);
    layout->addLayout(entry);

    connect(m_nextStep, &QPushButton::clicked, this, &StepsWindow::nextStep);
    connect(m_result, &QLineEdit::returnPressed, this, &StepsWindow::nextStep);
    connect(m_grid, &shell::GridWidget::focusGained, this,
            [&runTime = context().runTime] { runTime.FocusTarget = QStringLiteral("ss"); });
    m_result->installEventFilter(this);
}

void StepsWindow::activated()
{
    context().runTime.ActiveWindow = QStringLiteral("SimplexSteps");
    UpdateCommandAvailability(context());
}

bool StepsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_result && event->type() == QEvent::FocusIn)
        context().runTime.FocusTarget = QStringLiteral("text");
    return SimplexChildWindow::eventFilter(watched, event);
}

void StepsWindow::showSteps(const StepsContent& content)
{
    if (content.factorNames) {
        for (int row = 1; row <= content.factorNames->size(); ++row)
            m_grid->setCell(NameColumn, row, content.factorNames->at(row - 1));
    }
    const QStringList& levels = content.trial.levels;
    for (int row = 1; row <= levels.size(); ++row)
        m_grid->setCell(LevelColumn, row, levels.at(row - 1));
    if (content.factorNames)
        m_grid->setMaxRows(static_cast<int>(content.factorNames->size()));
    WidenColumnsToText(*m_grid);
    m_result->clear();
    m_instruction->setText(content.trial.instruction);
}

void StepsWindow::nextStep()
{
    m_grid->finishEditing();
    StepInput input;
    input.result = m_result->text();
    for (int row = 1; row <= context().problem.NumFactors; ++row)
        input.levels.append(m_grid->cell(LevelColumn, row));

    const StepsOutcome answer = NextStep(context().problem, context().runTime, input, WindowHooks(context()));
    ShowMessages(context().dialogs, answer.outcome.messages);
    if (answer.steps)
        showSteps(*answer.steps);
    if (answer.outcome.ok) {
        context().mainWindow.setPrintButtonEnabled(true);
        windows().refreshPlot();
    }
    windows().putFocus(answer.outcome.focus);
}

} // namespace zeltomir::simplex
