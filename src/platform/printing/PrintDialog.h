#pragma once
// The system print dialog: it starts from a printer and a device mode with
// the system's dialog flags and page numbers, and answers with the chosen
// printer, the device mode as the user left it, the flags and page numbers,
// or nothing when the user cancelled. A program installs the real dialog; a
// test installs scripted answers; without either every dialog is cancelled.

#include "platform/printing/DevMode.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zt::platform::printing {

// Print dialog flags (PRINTDLG Flags).
inline constexpr std::uint32_t PD_ALLPAGES = 0x00000000;
inline constexpr std::uint32_t PD_SELECTION = 0x00000001;
inline constexpr std::uint32_t PD_PAGENUMS = 0x00000002;
inline constexpr std::uint32_t PD_NOSELECTION = 0x00000004;
inline constexpr std::uint32_t PD_NOPAGENUMS = 0x00000008;
inline constexpr std::uint32_t PD_COLLATE = 0x00000010;
inline constexpr std::uint32_t PD_PRINTTOFILE = 0x00000020;
inline constexpr std::uint32_t PD_NOWARNING = 0x00000080;
inline constexpr std::uint32_t PD_SHOWHELP = 0x00000800;
inline constexpr std::uint32_t PD_ENABLEPRINTHOOK = 0x00001000;
inline constexpr std::uint32_t PD_ENABLESETUPHOOK = 0x00002000;
inline constexpr std::uint32_t PD_DISABLEPRINTTOFILE = 0x00080000;
inline constexpr std::uint32_t PD_HIDEPRINTTOFILE = 0x00100000;

struct PrintDialogRequest {
    std::string printer;      // the device the dialog starts on
    DevMode mode;             // its starting device mode
    std::uint32_t flags = 0;
    std::int32_t fromPage = 0, toPage = 0, minPage = 0, maxPage = 0;
    std::int32_t copies = 0;  // 0: the device mode's own copy count
    // Told when the dialog has opened and when it has gone.
    std::function<void()> onShow;
    std::function<void()> onClose;
};

struct PrintDialogAnswer {
    std::string printer;      // the chosen device
    DevMode mode;             // the device mode as the user left it
    std::uint32_t flags = 0;  // PD_SELECTION, PD_PAGENUMS, PD_COLLATE, PD_PRINTTOFILE as chosen
    std::int32_t fromPage = 0, toPage = 0;
    std::int32_t copies = 1;
};

class SystemPrintDialog {
public:
    virtual ~SystemPrintDialog() = default;
    // Runs the dialog modally; nullopt when it was cancelled.
    virtual std::optional<PrintDialogAnswer> Run(const PrintDialogRequest& request) = 0;
};

// The installed dialog (not owned); nullptr restores "always cancelled".
void setSystemPrintDialog(SystemPrintDialog* dialog);
// Runs the installed dialog.
std::optional<PrintDialogAnswer> runSystemPrintDialog(const PrintDialogRequest& request);

} // namespace zt::platform::printing
