#include "simplex/windows/StepsWindow.h"

#include "simplex/Desirability.h"
#include "simplex/EngineSupport.h"
#include "simplex/MeasureAgain.h"
#include "simplex/NextStep.h"
#include "simplex/ResponseSetup.h"
#include "simplex/RunProgress.h"
#include "simplex/SimulatedRun.h"
#include "simplex/TrialDisplay.h"
#include "simplex/VertexStatus.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/WindowSupport.h"

#include "core/ProblemRecord.h"
#include "shell/DialogService.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"

#include <QEvent>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace zeltomir::simplex {

namespace {

enum Column { NameColumn = 1, LevelColumn = 2 };
enum ResponseColumn { ResponseNameColumn = 1, ResponseValueColumn = 2 };

// Desirabilities to three significant digits: enough to compare trials.
QString DesirabilityText(double value)
{
    return QLocale().toString(value, 'g', 3);
}

const QString MeasureAgainCaption = QStringLiteral("Measure Again...");
const QString CancelMeasureAgainCaption = QStringLiteral("Cancel Measure Again");

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
    m_responses = new shell::GridWidget(this);
    m_responses->setObjectName(QStringLiteral("ssResults"));
    m_responses->setMaxCols(ResponseValueColumn);
    m_responses->setCell(ResponseNameColumn, 0, QStringLiteral("Response"));
    m_responses->setCell(ResponseValueColumn, 0, QStringLiteral("Result"));
    m_responses->setColumnEditable(ResponseNameColumn, false);
    m_responses->setVisible(false);
    m_desirability = new QLabel(this);
    m_desirability->setObjectName(QStringLiteral("lblDesirability"));
    m_desirability->setVisible(false);
    m_nextStep = new QPushButton(QStringLiteral("Next Step"), this);
    m_nextStep->setObjectName(QStringLiteral("Command1"));
    m_nextStep->setAutoDefault(false);
    m_runTrial = MakeButton(QStringLiteral("cmdRunTrial"), QStringLiteral("Run Trial"), this);
    m_runTrial->setVisible(ProcessOfRun(context().problem) != nullptr);

    m_measureAgain = MakeButton(QStringLiteral("cmdMeasureAgain"), MeasureAgainCaption, this);
    m_trialFailed = MakeButton(QStringLiteral("cmdTrialFailed"), QStringLiteral("Trial Failed"), this);
    // The button keeps its width when its caption turns to the longer one,
    // so the row does not jump.
    m_measureAgain->setText(CancelMeasureAgainCaption);
    m_measureAgain->setMinimumWidth(m_measureAgain->sizeHint().width());
    m_measureAgain->setText(MeasureAgainCaption);

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
    entry->addWidget(m_responses, 1, Qt::AlignTop);
    entry->addWidget(m_runTrial);
    entry->addWidget(m_nextStep);
    // The commands for a trial that went wrong sit under the result, apart
    // from Next Step, which is pressed after every trial.
    auto* mishaps = new QHBoxLayout;
    mishaps->addStretch(1);
    mishaps->addWidget(m_measureAgain);
    mishaps->addWidget(m_trialFailed);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_status);
    layout->addLayout(entry);
    layout->addWidget(m_desirability);
    layout->addLayout(mishaps);

    connect(m_nextStep, &QPushButton::clicked, this, &StepsWindow::nextStep);
    connect(m_measureAgain, &QPushButton::clicked, this, &StepsWindow::measureAgain);
    connect(m_trialFailed, &QPushButton::clicked, this, &StepsWindow::trialFailed);
    connect(m_runTrial, &QPushButton::clicked, this, &StepsWindow::runTrial);
    connect(m_result, &QLineEdit::returnPressed, this, &StepsWindow::nextStep);
    connect(m_grid, &shell::GridWidget::focusGained, this,
            [&runTime = context().runTime] { runTime.FocusTarget = QStringLiteral("ss"); });
    connect(m_responses, &shell::GridWidget::focusGained, this,
            [&runTime = context().runTime] { runTime.FocusTarget = QStringLiteral("responses"); });
    m_result->installEventFilter(this);
    // Enter on a response cell: committing an open editor comes through the
    // delegate (Escape reverts and stays put), an idle cell through the view.
    auto* responseView = m_responses->findChild<QTableView*>();
    responseView->installEventFilter(this);
    connect(responseView->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::SubmitModelCache)
                    responseEntered();
            });
    showResultEntry();
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
    if (event->type() == QEvent::KeyPress && watched == m_responses->findChild<QTableView*>()) {
        auto* view = static_cast<QTableView*>(watched);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !view->indexWidget(view->currentIndex())) {
            responseEntered();
            return true;
        }
    }
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
    showResultEntry();
    m_responses->clearBlock(shell::GridBlock{ResponseValueColumn, 1, ResponseValueColumn, m_responses->maxRows()});
    m_responses->setCurrentCell(ResponseValueColumn, 1);
    m_instruction->setText(content.trial.instruction);
    // A vertex measured again is run where it was run before.
    const bool again = content.trial.againOf != 0;
    m_grid->setColumnEditable(LevelColumn, !again);
    m_measureAgain->setText(again ? CancelMeasureAgainCaption : MeasureAgainCaption);
}

void StepsWindow::showResultEntry()
{
    const std::vector<core::ResponseDefinition>& responses = context().problem.Responses;
    const bool several = !responses.empty();
    m_resultLabel->setVisible(!several);
    m_result->setVisible(!several);
    m_responses->setVisible(several);
    if (!several)
        m_desirability->setVisible(false);
    bool same = m_responses->maxRows() == static_cast<int>(responses.size());
    for (std::size_t i = 0; same && i < responses.size(); ++i)
        same = m_responses->cell(ResponseNameColumn, static_cast<int>(i) + 1) == responses[i].name;
    if (same)
        return;
    // Values typed for other responses mean nothing for these.
    m_responses->setMaxRows(static_cast<int>(responses.size()));
    for (std::size_t i = 0; i < responses.size(); ++i) {
        m_responses->setCell(ResponseNameColumn, static_cast<int>(i) + 1, responses[i].name);
        m_responses->setCell(ResponseValueColumn, static_cast<int>(i) + 1, QString());
    }
    WidenColumnsToText(*m_responses);
    // Every row and both columns in view: there are at most ten rows.
    m_responses->setMinimumWidth(GridContentWidth(*m_responses));
    m_responses->setFixedHeight(m_responses->rowsHeight());
    m_responses->setCurrentCell(ResponseValueColumn, 1);
    windows().fitToContents(this);
}

void StepsWindow::focusResult(int row)
{
    if (context().problem.Responses.empty()) {
        m_result->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_responses->setCurrentCell(ResponseValueColumn, std::clamp(row, 1, std::max(1, m_responses->maxRows())));
    m_responses->setFocus(Qt::OtherFocusReason);
}

void StepsWindow::responseEntered()
{
    const int row = m_responses->currentRow();
    if (row < m_responses->maxRows())
        m_responses->setCurrentCell(ResponseValueColumn, row + 1);
    else
        nextStep();
}

void StepsWindow::showDesirability(int v)
{
    const core::OptimizationProblem& problem = context().problem;
    if (problem.Responses.empty() || v < 1) {
        m_desirability->clear();
        m_desirability->setVisible(false);
        return;
    }
    std::vector<double> values;
    for (int i = 1; i <= static_cast<int>(problem.Responses.size()); ++i)
        values.push_back(problem.VertexResponses.value(i, v));
    QStringList each;
    for (std::size_t i = 0; i < problem.Responses.size(); ++i) {
        const core::ResponseDefinition& response = problem.Responses[i];
        if (response.goal != ResponseGoal::TrackOnly)
            each << response.name + QLatin1Char(' ') + DesirabilityText(Desirability(response, values[i]));
    }
    // Three to a line: ten responses on one line would widen the window
    // past its buttons.
    QStringList lines;
    for (qsizetype first = 0; first < each.size(); first += 3)
        lines << each.mid(first, 3).join(QStringLiteral(", "));
    m_desirability->setText(QStringLiteral("D = %1  (%2)")
                                .arg(DesirabilityText(OverallDesirability(problem.Responses, values)),
                                     lines.join(QStringLiteral(",\n"))));
    m_desirability->setVisible(true);
    windows().fitToContents(this);
}

StepInput StepsWindow::stepInput()
{
    m_grid->finishEditing();
    m_responses->finishEditing();
    StepInput input;
    input.result = m_result->text();
    if (!context().problem.Responses.empty()) {
        for (int row = 1; row <= m_responses->maxRows(); ++row)
            input.responses.append(m_responses->cell(ResponseValueColumn, row));
    }
    for (int row = 1; row <= context().problem.NumFactors; ++row)
        input.levels.append(m_grid->cell(LevelColumn, row));
    return input;
}

void StepsWindow::present(const StepsOutcome& answer)
{
    ShowMessages(context().dialogs, answer.outcome.messages);
    if (answer.steps)
        showSteps(*answer.steps);
    if (answer.outcome.ok)
        windows().refreshPlot();
    if (answer.outcome.focus == Focus::StepsResult && !answer.outcome.ok && !context().problem.Responses.empty()) {
        // The values stop at the first that is no number: its row.
        std::vector<float> values;
        if (ReadResponseValues(context().problem, stepInput().responses, QLocale(), values)) {
            windows().putFocus(Focus::StepsResult);
            focusResult(static_cast<int>(values.size()) + 1);
            return;
        }
    }
    windows().putFocus(answer.outcome.focus);
}

void StepsWindow::nextStep()
{
    const StepInput input = stepInput();
    const int before = context().problem.NumVertices;
    const StepsOutcome answer = NextStep(context().problem, context().runTime, input, WindowHooks(context()));
    if (answer.outcome.ok)
        context().mainWindow.setPrintButtonEnabled(true);
    present(answer);
    if (context().problem.NumVertices > before)
        showDesirability(context().problem.NumVertices);
}

void StepsWindow::trialFailed()
{
    const StepInput input = stepInput();
    const StepsOutcome answer = TrialFailed(context().problem, context().runTime, input, WindowHooks(context()));
    if (answer.outcome.ok) {
        context().mainWindow.setPrintButtonEnabled(true);
        // A trial that could not be run has no responses to judge.
        showDesirability(0);
    }
    present(answer);
}

void StepsWindow::runTrial()
{
    const StepInput input = stepInput();
    const core::OptimizationProblem& problem = context().problem;
    if (const std::optional<QString> measured = MeasureTrial(problem, input.levels, problem.NumVertices + 1)) {
        m_result->setText(*measured);
        m_result->setFocus(Qt::OtherFocusReason);
    } else {
        ShowMessages(context().dialogs, {TrialLevelsNotNumbers()});
    }
}

void StepsWindow::measureAgain()
{
    m_grid->finishEditing();
    core::OptimizationProblem& problem = context().problem;
    core::RunTimeState& runTime = context().runTime;
    if (PendingAgain(problem)) {
        present(CancelMeasureAgain(problem, runTime));
        return;
    }
    // Refused before the list is shown: there is nothing to choose while no
    // trial is on show or a step is half done. The engine gives the reason.
    if (ReadinessOf(problem) != StepReadiness::Ready || StepInProgress(problem)) {
        present(MeasureAgain(problem, runTime, 0));
        return;
    }
    const int vertex = chooseVertexToMeasureAgain();
    if (vertex == 0)
        return;
    present(MeasureAgain(problem, runTime, vertex));
}

int StepsWindow::chooseVertexToMeasureAgain()
{
    const core::OptimizationProblem& problem = context().problem;
    const std::vector<SimplexVertex> vertices = CurrentSimplexVertices(problem);
    if (vertices.empty())
        return 0;
    // The vertex the advice says to measure again comes selected.
    int advised = 0;
    for (const Advice& advice : AssessRun(problem).advice) {
        if (advice.rule == AdviceRule::VertexKept)
            advised = advice.vertex;
    }
    shell::ChoiceRequest request;
    request.title = QStringLiteral("Measure Again");
    request.prompt = QStringLiteral("Which vertex of the current simplex is to be measured again?");
    request.headers << QStringLiteral("Vertex") << FactorNames(problem) << QStringLiteral("Result");
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const SimplexVertex& vertex = vertices[i];
        request.rows.push_back(QStringList{QString::number(vertex.vertex)} << vertex.levels << vertex.result);
        if (vertex.vertex == advised)
            request.selected = static_cast<int>(i);
    }
    const std::optional<int> chosen = context().dialogs.chooseOne(request);
    if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(vertices.size()))
        return 0;
    return vertices[static_cast<std::size_t>(*chosen)].vertex;
}

} // namespace zeltomir::simplex
