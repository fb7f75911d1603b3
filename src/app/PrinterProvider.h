#pragma once

// Where the print command sends its pages. The program prints to the
// system's default printer; a test supplies a printer that writes a PDF
// file, so that the pages can be checked.

#include <memory>

class QPrinter;

namespace zeltomir::app {

class PrinterProvider {
public:
    virtual ~PrinterProvider() = default;
    // A printer ready to print on; nullptr when there is none.
    virtual std::unique_ptr<QPrinter> makePrinter() = 0;
};

// The system's default printer, with no dialog and the printer's own page
// settings.
class DefaultPrinterProvider final : public PrinterProvider {
public:
    std::unique_ptr<QPrinter> makePrinter() override;
};

} // namespace zeltomir::app
