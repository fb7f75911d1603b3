#pragma once

// The document commands of the main window in one place: files, undo and
// redo, the clipboard and printing, installed as the main window's
// handlers.

#include "app/ClipboardCommands.h"
#include "app/DocumentContext.h"
#include "app/FileCommands.h"
#include "app/PrintCommand.h"
#include "app/UndoRedoCommands.h"

namespace zeltomir::shell {
struct CommandHandlers;
}

namespace zeltomir::app {

class DocumentCommands {
public:
    // The context's references must outlive this object.
    explicit DocumentCommands(const DocumentContext& context);

    // New, Open, Save, Print, Cut, Copy, Paste, Undo and Redo. The handlers
    // refer to this object, which must outlive them.
    void install(shell::CommandHandlers& handlers);

    FileCommands& files() { return m_files; }
    UndoRedoCommands& undoRedo() { return m_undoRedo; }
    ClipboardCommands& clipboard() { return m_clipboard; }
    PrintCommand& print() { return m_print; }

private:
    FileCommands m_files;
    UndoRedoCommands m_undoRedo;
    ClipboardCommands m_clipboard;
    PrintCommand m_print;
};

} // namespace zeltomir::app
