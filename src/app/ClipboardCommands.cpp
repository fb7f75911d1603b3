#include "app/ClipboardCommands.h"

#include "app/TextSelectionMemory.h"
#include "core/ProblemRecord.h"
#include "practice/windows/PracticeWindow.h"
#include "practice/windows/PracticeWindows.h"
#include "shell/GridWidget.h"
#include "simplex/windows/SimplexWindows.h"

#include <QLineEdit>

namespace zeltomir::app {

ClipboardCommands::ClipboardCommands(const DocumentContext& context)
    : m_context(context), m_selections(std::make_unique<TextSelectionMemory>())
{
}

ClipboardCommands::~ClipboardCommands() = default;

void ClipboardCommands::run(ClipboardCommand command)
{
    const core::RunTimeState& runTime = m_context.runTime;
    const QString active = runTime.ActiveWindow;
    switch (RouteClipboardCommand(command, active, runTime.FocusedTextBox, runTime.FocusTarget)) {
    case ClipboardControl::Nothing:
        return;
    case ClipboardControl::Grid:
        onGrid(command, gridOf(active));
        return;
    case ClipboardControl::SetupCountBox:
        onTextBox(command, m_context.simplexWindows.setupCountBox());
        return;
    case ClipboardControl::SetupTargetBox:
        onTextBox(command, m_context.simplexWindows.setupTargetBox());
        return;
    case ClipboardControl::StepsResponses:
        onGrid(command, m_context.simplexWindows.stepsResponseGrid());
        return;
    case ClipboardControl::StepsResultBox:
        onTextBox(command, m_context.simplexWindows.stepsResultBox());
        return;
    case ClipboardControl::PracticeLevelBox:
        onTextBox(command, practiceLevelBox(active));
        return;
    }
}

shell::GridWidget* ClipboardCommands::gridOf(const QString& activeWindow) const
{
    if (IsPracticeWindowCode(activeWindow)) {
        // A practice window referred to is loaded by the reference.
        practice::PracticeWindow* window = m_context.practiceWindows.windowForActiveCode(activeWindow);
        return window ? window->grid() : nullptr;
    }
    // A closed simplex window has no selection the user could mean.
    return m_context.simplexWindows.gridOf(activeWindow);
}

QLineEdit* ClipboardCommands::practiceLevelBox(const QString& activeWindow) const
{
    practice::PracticeWindow* window = m_context.practiceWindows.windowForActiveCode(activeWindow);
    if (!window)
        return nullptr;
    // Activated, the window gives the focus back to its own control; the
    // command goes to the level box the learner worked in last.
    m_context.practiceWindows.show(window->which());
    return window->lastFocusedLevelBox();
}

void ClipboardCommands::onGrid(ClipboardCommand command, shell::GridWidget* grid) const
{
    if (!grid)
        return;
    grid->setFocus(Qt::OtherFocusReason);
    switch (command) {
    case ClipboardCommand::Cut:
        grid->cutBlock(grid->selectedBlock());
        break;
    case ClipboardCommand::Copy:
        grid->copyBlock(grid->selectedBlock());
        break;
    case ClipboardCommand::Paste:
        grid->paste();
        break;
    }
    grid->setFocus(Qt::OtherFocusReason);
}

void ClipboardCommands::onTextBox(ClipboardCommand command, QLineEdit* box) const
{
    // A disabled box (the target while the goal is not a target value)
    // cannot take the focus and must not take a paste either.
    if (!box || !box->isEnabled() || box->isHidden())
        return;
    m_selections->refocus(box);
    switch (command) {
    case ClipboardCommand::Cut:
        box->cut();
        break;
    case ClipboardCommand::Copy:
        box->copy();
        break;
    case ClipboardCommand::Paste:
        box->paste();
        break;
    }
}

} // namespace zeltomir::app
