#pragma once
// The device-mode record on a QPrinter: which fields a printer announces,
// its default record, a QPrinter set up from a record, the record a QPrinter
// holds, and the device capabilities it reports. A field the printer does not
// announce is never applied, so the printer keeps its own value for it.

#include "platform/printing/DevMode.h"
#include "platform/printing/PrinterDriver.h"

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace zt::platform::qt {

// The dmFields a printer honours.
std::uint32_t announcedFields(const QPrinterInfo& info);
printing::DevMode defaultDevMode(const QPrinterInfo& info);

// Applies the fields of `mode` that are both set in it and in `announced`.
void configurePrinter(QPrinter& printer, const printing::DevMode& mode, std::uint32_t announced);
// `base` with the fields a QPrinter knows replaced by the printer's values.
printing::DevMode devModeOf(const QPrinter& printer, const printing::DevMode& base);
printing::DeviceCaps capsOf(const QPrinter& printer);

// Windows paper codes and QPageSize; an invalid page size for code 0, 256
// and codes Qt does not know.
QPageSize pageSizeOfCode(std::int32_t code);
QPrinter::DuplexMode duplexOfCode(std::int32_t dmDuplex);
std::int32_t duplexCode(QPrinter::DuplexMode mode);

} // namespace zt::platform::qt
