#pragma once

// File > Print and the Print button: the table of the active simplex window
// (factor grid, initial simplex, steps, vertex summary) goes to the printer,
// laid out and paginated by the grid itself. There is no dialog; the setup
// window, the practice windows and a closed window print nothing. No
// printer, or any failure on the way, ends in one message.

#include "app/DocumentContext.h"

#include <memory>

namespace zeltomir::app {

class PrinterProvider;

class PrintCommand {
public:
    // The context's references must outlive this object. Prints to the
    // default printer until another provider is set.
    explicit PrintCommand(const DocumentContext& context);
    ~PrintCommand();
    PrintCommand(const PrintCommand&) = delete;
    PrintCommand& operator=(const PrintCommand&) = delete;

    void setPrinterProvider(std::unique_ptr<PrinterProvider> provider);

    // True when a grid was printed; false when there was nothing to print
    // or printing failed (and was reported).
    bool printCommand();

private:
    DocumentContext m_context;
    std::unique_ptr<PrinterProvider> m_printers;
};

} // namespace zeltomir::app
