#include "platform/printing/PrintDialog.h"

#include <atomic>

namespace zt::platform::printing {

namespace {

std::atomic<SystemPrintDialog*> installed{nullptr};

} // namespace

void setSystemPrintDialog(SystemPrintDialog* dialog)
{
    installed = dialog;
}

std::optional<PrintDialogAnswer> runSystemPrintDialog(const PrintDialogRequest& request)
{
    SystemPrintDialog* dialog = installed;
    if (dialog == nullptr)
        return std::nullopt;
    return dialog->Run(request);
}

} // namespace zt::platform::printing
