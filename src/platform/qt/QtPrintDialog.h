#pragma once
// The system print dialog as Qt's print dialog, modal over the active window,
// centred horizontally and a third of the free height from the top.

#include "platform/printing/PrintDialog.h"

#include <QPrintDialog>

namespace zt::platform::qt {

class QtPrintDialog final : public printing::SystemPrintDialog {
public:
    std::optional<printing::PrintDialogAnswer> Run(const printing::PrintDialogRequest& request) override;

    // Told with the dialog once it is set up, before it runs (tests answer it from here).
    static void setOpenHook(std::function<void(QPrintDialog&)> hook);
};

// The dialog's options for the system's flags.
QAbstractPrintDialog::PrintDialogOptions dialogOptions(std::uint32_t flags);

// Installs the Qt printer driver and the Qt print dialog as the process's.
void installQtPrinting();

} // namespace zt::platform::qt
