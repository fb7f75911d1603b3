#include "app/PrintCommand.h"

#include "app/DocumentMessages.h"
#include "app/PrinterProvider.h"
#include "core/ProblemRecord.h"
#include "shell/DialogService.h"
#include "shell/GridWidget.h"
#include "simplex/windows/SimplexWindows.h"

#include <QPrinter>

namespace zeltomir::app {

PrintCommand::PrintCommand(const DocumentContext& context)
    : m_context(context), m_printers(std::make_unique<DefaultPrinterProvider>())
{
}

PrintCommand::~PrintCommand() = default;

void PrintCommand::setPrinterProvider(std::unique_ptr<PrinterProvider> provider)
{
    if (provider)
        m_printers = std::move(provider);
}

bool PrintCommand::printCommand()
{
    // gridOf names only the simplex windows with a table.
    shell::GridWidget* grid = m_context.simplexWindows.gridOf(m_context.runTime.ActiveWindow);
    if (!grid)
        return false;
    const std::unique_ptr<QPrinter> printer = m_printers->makePrinter();
    if (!printer || !printer->isValid() || !grid->print(*printer)) {
        m_context.dialogs.show(PrintingFailed());
        return false;
    }
    return true;
}

} // namespace zeltomir::app
