#include "simplex/windows/SetupWindow.h"

#include "simplex/BeginOptimization.h"
#include "simplex/ProblemSetup.h"
#include "simplex/windows/InitialSimplexWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/WindowSupport.h"

#include "core/ProblemRecord.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

namespace zeltomir::simplex {

namespace {

QRadioButton* MakeOption(const QString& arrayName, int index, const QString& caption, QButtonGroup* group,
                         QWidget* parent)
{
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(QStringLiteral("%1_%2").arg(arrayName).arg(index));
    option->setProperty("index", index);
    group->addButton(option, index);
    return option;
}

// The setup's three steps as one column of equal buttons, each caption
// with a line height of room on either side: the style's own margins leave
// the longest caption touching its edges.
void GiveCommonWidth(std::initializer_list<QPushButton*> buttons)
{
    int width = 0;
    for (const QPushButton* button : buttons) {
        const QFontMetrics metrics(button->font());
        const int padded = metrics.horizontalAdvance(button->text()) + 2 * metrics.height();
        width = std::max({width, padded, button->sizeHint().width()});
    }
    for (QPushButton* button : buttons)
        button->setMinimumWidth(width);
}

} // namespace

SetupWindow::SetupWindow(SimplexWindows& windows, bool defineInitialSimplexEnabled, QWidget* parent)
    : SimplexChildWindow(windows, QStringLiteral("SeqSimplexInitialize"), QStringLiteral("Initialize Simplex Algorithm"),
                         parent)
{
    buildControls(defineInitialSimplexEnabled);
    load();

    // Connected after the load, so that filling the boxes is not taken for
    // the user's typing.
    connect(m_count, &QLineEdit::textChanged, this, &SetupWindow::countChanged);
    connect(m_goalOptions, &QButtonGroup::idClicked, this, &SetupWindow::goalOptionClicked);
    // The box loses the focus also while the program shuts down, after the
    // window set is gone: the connection goes with the set.
    connect(m_target, &QLineEdit::editingFinished, &windows, [this] { targetEdited(); });
    connect(m_stepTypeOptions, &QButtonGroup::idClicked, this,
            [this](int index) { ChooseStepType(context().problem, index); });
    connect(m_defineFactors, &QPushButton::clicked, this, &SetupWindow::defineFactors);
    connect(m_defineInitialSimplex, &QPushButton::clicked, this, &SetupWindow::defineInitialSimplex);
    connect(m_beginOptimization, &QPushButton::clicked, this, &SetupWindow::beginOptimization);
    connect(m_defineResponses, &QPushButton::clicked, &windows, &SimplexWindows::openResponseWindow);
}

void SetupWindow::buildControls(bool defineInitialSimplexEnabled)
{
    m_countLabel = new QLabel(QStringLiteral("Number of Factors:"), this);
    m_countLabel->setObjectName(QStringLiteral("Label1"));
    m_count = new QLineEdit(this);
    m_count->setObjectName(QStringLiteral("Text1"));
    m_countLabel->setBuddy(m_count);

    m_goalFrame = new QGroupBox(QStringLiteral("Problem Type"), this);
    m_goalFrame->setObjectName(QStringLiteral("Frame1"));
    m_goalOptions = new QButtonGroup(this);
    auto* maximize = MakeOption(QStringLiteral("Option1"), 0, QStringLiteral("Maximize Response"), m_goalOptions,
                                m_goalFrame);
    auto* minimize = MakeOption(QStringLiteral("Option1"), 1, QStringLiteral("Minimize Response"), m_goalOptions,
                                m_goalFrame);
    auto* target = MakeOption(QStringLiteral("Option1"), 2, QStringLiteral("Obtain a Response of"), m_goalOptions,
                              m_goalFrame);
    m_target = new QLineEdit(m_goalFrame);
    m_target->setObjectName(QStringLiteral("Text2"));
    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(target);
    targetRow->addWidget(m_target, 1);
    auto* goalLayout = new QVBoxLayout(m_goalFrame);
    goalLayout->addWidget(maximize);
    goalLayout->addWidget(minimize);
    goalLayout->addLayout(targetRow);
    maximize->setChecked(true);

    m_stepTypeFrame = new QGroupBox(QStringLiteral("Simplex Type"), this);
    m_stepTypeFrame->setObjectName(QStringLiteral("Frame2"));
    m_stepTypeOptions = new QButtonGroup(this);
    auto* variable = MakeOption(QStringLiteral("optSimplexType"), 0, QStringLiteral("Variable Size Steps"),
                                m_stepTypeOptions, m_stepTypeFrame);
    auto* fixed = MakeOption(QStringLiteral("optSimplexType"), 1, QStringLiteral("Fixed Size Steps"),
                             m_stepTypeOptions, m_stepTypeFrame);
    auto* stepLayout = new QVBoxLayout(m_stepTypeFrame);
    stepLayout->addWidget(variable);
    stepLayout->addWidget(fixed);
    variable->setChecked(true);

    m_defineFactors = MakeButton(QStringLiteral("Command1"), QStringLiteral("Define Factors"), this);
    m_defineInitialSimplex = MakeButton(QStringLiteral("Command2"), QStringLiteral("Define Initial Simplex"), this);
    m_beginOptimization = MakeButton(QStringLiteral("Command3"), QStringLiteral("Begin Optimization"), this);
    m_defineResponses = MakeButton(QStringLiteral("cmdDefineResponses"), QStringLiteral("Define Responses"), this);
    m_defineInitialSimplex->setEnabled(defineInitialSimplexEnabled);
    GiveCommonWidth({m_defineFactors, m_defineResponses, m_defineInitialSimplex, m_beginOptimization});

    m_responsesNote =
        new QLabel(QStringLiteral("Several responses: the simplex maximises their overall desirability."), this);
    m_responsesNote->setObjectName(QStringLiteral("lblResponses"));
    m_responsesNote->setWordWrap(true);
    m_responsesNote->setVisible(false);

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(m_countLabel);
    countRow->addWidget(m_count);
    countRow->addStretch(1);
    auto* left = new QVBoxLayout;
    left->addLayout(countRow);
    left->addWidget(m_goalFrame);
    left->addWidget(m_responsesNote);
    left->addWidget(m_stepTypeFrame);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(m_defineFactors);
    right->addWidget(m_defineResponses);
    right->addWidget(m_defineInitialSimplex);
    right->addWidget(m_beginOptimization);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(12);
    layout->addLayout(right);

    m_count->installEventFilter(this);
    m_target->installEventFilter(this);
}

void SetupWindow::load()
{
    core::OptimizationProblem& problem = context().problem;
    // The box shows the count the record holds: "2" for a fresh problem,
    // and the loaded count when a file or snapshot brings this window back,
    // so that a later check of the box never cuts a loaded problem short.
    m_count->setText(QString::number(problem.NumFactors));
    showRecord();
}

void SetupWindow::showRecord()
{
    core::OptimizationProblem& problem = context().problem;
    m_target->setText(TargetText(problem));
    chooseGoalOption(GoalOptionIndex(problem.Goal));
    // A fresh problem (start-up, New) has no step type yet and starts with
    // variable steps; a problem already set up keeps the one it has.
    const int stepTypeIndex = problem.StepType == QLatin1String("Fixed") ? 1 : 0;
    stepTypeOption(stepTypeIndex)->setChecked(true);
    ChooseStepType(problem, stepTypeIndex);
    showResponsesState();
}

void SetupWindow::showResponsesState()
{
    const bool several = !context().problem.Responses.empty();
    for (QAbstractButton* option : m_goalOptions->buttons())
        option->setEnabled(!several);
    m_responsesNote->setVisible(several);
    // The note takes a line or two more than the window was sized for: it
    // grows rather than cutting off the step type options below.
    if (QMdiSubWindow* frame = subWindow(); frame && several)
        frame->resize(frame->size().expandedTo(frame->sizeHint()));
}

void SetupWindow::activated()
{
    context().runTime.ActiveWindow = QStringLiteral("SeqSimplexInitialize");
    UpdateCommandAvailability(context());
    chooseGoalOption(GoalOptionIndex(context().problem.Goal));
    m_target->setEnabled(context().problem.Goal == core::Goal::Target);
    showResponsesState();
}

QRadioButton* SetupWindow::goalOption(int index) const
{
    return qobject_cast<QRadioButton*>(m_goalOptions->button(index));
}

QRadioButton* SetupWindow::stepTypeOption(int index) const
{
    return qobject_cast<QRadioButton*>(m_stepTypeOptions->button(index));
}

void SetupWindow::setDefineInitialSimplexEnabled(bool enabled)
{
    m_defineInitialSimplex->setEnabled(enabled);
}

bool SetupWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_count)
            context().runTime.FocusedTextBox = QStringLiteral("text1");
        else if (watched == m_target)
            context().runTime.FocusedTextBox = QStringLiteral("text2");
    }
    return SimplexChildWindow::eventFilter(watched, event);
}

// Choosing an option in code runs its click handler, as a click would.
void SetupWindow::chooseGoalOption(int index)
{
    if (QRadioButton* option = goalOption(index))
        option->setChecked(true);
    goalOptionClicked(index);
}

void SetupWindow::goalOptionClicked(int index)
{
    const core::Choice<core::Goal> goal = context().problem.Goal;
    const double target = context().problem.TargetValue;
    ChooseGoalOption(context().problem, index, m_target->text(), goalHooks());
    m_target->setEnabled(index == 2);
    redrawPlotIfGoalChanged(goal, target);
}

// A target typed and finished (Enter, or the focus moving on) is taken as
// the target option's click takes it, rather than only at the next click
// or activation: what the plot and the run score by follows the box.
void SetupWindow::targetEdited()
{
    if (!isClosed() && goalOption(2)->isChecked())
        goalOptionClicked(2);
}

// The simplex plot draws the best result so far by the goal, and the target
// line: it follows a change of either at once, not at its next activation.
void SetupWindow::redrawPlotIfGoalChanged(const core::Choice<core::Goal>& goal, double target)
{
    const core::OptimizationProblem& problem = context().problem;
    if (problem.Goal != goal || problem.TargetValue != target)
        windows().refreshPlot();
}

// Only a run scored anew for a changed goal stores a snapshot here, and that
// changes the problem.
EngineHooks SetupWindow::goalHooks()
{
    EngineHooks hooks = WindowHooks(context());
    hooks.storeUndoSnapshot = [this, store = hooks.storeUndoSnapshot] {
        store();
        context().runTime.Modified = QStringLiteral("yes");
    };
    return hooks;
}

void SetupWindow::countChanged()
{
    // A message box runs its own event loop; a change that arrives while it
    // is up is checked once the box is gone, against the text as it then is.
    if (m_checkingCount) {
        m_countChangedMeanwhile = true;
        return;
    }
    m_checkingCount = true;
    do {
        m_countChangedMeanwhile = false;
        const Outcome outcome = CheckFactorCount(context().problem, m_count->text());
        if (outcome.ok) {
            m_countMessageShown.reset();
            continue;
        }
        // While the box stays bad, the same message is not shown again for
        // each further keystroke; a different complaint, or one after the
        // box was good in between, is.
        if (!outcome.messages.empty() && m_countMessageShown == outcome.messages.front())
            continue;
        if (!outcome.messages.empty())
            m_countMessageShown = outcome.messages.front();
        windows().present(outcome);
    } while (m_countChangedMeanwhile);
    m_checkingCount = false;
}

void SetupWindow::defineFactors()
{
    if (windows().validateFactorCount())
        windows().openFactorWindow();
}

void SetupWindow::defineInitialSimplex()
{
    InitialSimplexWindow* open = windows().initialSimplexWindow();
    std::optional<GridText> openGrid;
    if (open)
        openGrid = ReadGrid(*open->grid());
    const core::Choice<core::Goal> goal = context().problem.Goal;
    const double target = context().problem.TargetValue;
    const DefineInitialSimplexResult answer =
        DefineInitialSimplex(context().problem, m_count->text(), m_target->text(), openGrid, goalHooks());
    redrawPlotIfGoalChanged(goal, target);
    windows().present(answer.outcome);
    if (answer.outcome.ok)
        windows().openInitialSimplexWindow(answer.grid);
}

void SetupWindow::beginOptimization()
{
    const StepsOutcome answer = BeginOptimization(context().problem, WindowHooks(context()));
    ShowMessages(context().dialogs, answer.outcome.messages);
    if (answer.steps) {
        if (InitialSimplexWindow* initial = windows().initialSimplexWindow())
            initial->closeWindow(false);
        windows().openStepsWindow(&*answer.steps);
        windows().refreshPlot();
    }
    windows().putFocus(answer.outcome.focus);
}

} // namespace zeltomir::simplex
