#include "app/DocumentCommands.h"

#include "shell/CommandHandlers.h"

namespace zeltomir::app {

DocumentCommands::DocumentCommands(const DocumentContext& context)
    : m_files(context), m_undoRedo(context), m_clipboard(context), m_print(context)
{
}

void DocumentCommands::install(shell::CommandHandlers& handlers)
{
    handlers.newProblem = [this] { m_files.newProblem(); };
    handlers.openProblem = [this] { m_files.openProblemFile(); };
    handlers.simulatedProblem = [this] { m_files.newSimulatedProblem(); };
    handlers.save = [this] { m_files.saveSequence(); };
    handlers.print = [this] { m_print.printCommand(); };
    handlers.cut = [this] { m_clipboard.cutCommand(); };
    handlers.copy = [this] { m_clipboard.copyCommand(); };
    handlers.paste = [this] { m_clipboard.pasteCommand(); };
    handlers.undo = [this] { m_undoRedo.undoCommand(); };
    handlers.redo = [this] { m_undoRedo.redoCommand(); };
}

} // namespace zeltomir::app
