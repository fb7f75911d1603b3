#pragma once

// Cut, Copy and Paste of the toolbar and the Edit menu, on the control that
// RouteClipboardCommand names. A grid works on the user's selection (Paste
// at the current cell) through its own block actions, whose tab-separated
// text pastes into a spreadsheet or a statistics package as rows and
// columns; the grid has the focus again afterwards. A text box is given the
// focus again, with the selection it had, and carries the command out
// itself. A command that finds nothing to act on does nothing.

#include "app/ClipboardRouting.h"
#include "app/DocumentContext.h"

#include <memory>

class QLineEdit;

namespace zeltomir::shell {
class GridWidget;
}

namespace zeltomir::app {

class TextSelectionMemory;

class ClipboardCommands {
public:
    // The context's references must outlive this object.
    explicit ClipboardCommands(const DocumentContext& context);
    ~ClipboardCommands();
    ClipboardCommands(const ClipboardCommands&) = delete;
    ClipboardCommands& operator=(const ClipboardCommands&) = delete;

    void cutCommand() { run(ClipboardCommand::Cut); }
    void copyCommand() { run(ClipboardCommand::Copy); }
    void pasteCommand() { run(ClipboardCommand::Paste); }
    void run(ClipboardCommand command);

private:
    shell::GridWidget* gridOf(const QString& activeWindow) const;
    QLineEdit* practiceLevelBox(const QString& activeWindow) const;
    void onGrid(ClipboardCommand command, shell::GridWidget* grid) const;
    void onTextBox(ClipboardCommand command, QLineEdit* box) const;

    DocumentContext m_context;
    std::unique_ptr<TextSelectionMemory> m_selections;
};

} // namespace zeltomir::app
