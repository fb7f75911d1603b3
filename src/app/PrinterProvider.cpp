#include "app/PrinterProvider.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace zeltomir::app {

std::unique_ptr<QPrinter> DefaultPrinterProvider::makePrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

} // namespace zeltomir::app
