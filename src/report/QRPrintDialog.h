#pragma once
// The engine's print dialog: the system print dialog on the application-wide
// printer, with the device-mode results the engine needs besides the usual
// copies, range and printer.

#include "report/QRComponent.h"

#include <cstdint>
#include <functional>

namespace zt::report {

enum TPrintDialogOption : unsigned {
    poPrintToFile = 1u,
    poPageNums = 2u,
    poSelection = 4u,
    poWarning = 8u,
    poHelp = 16u,
    poDisablePrintToFile = 32u,
};
using TPrintDialogOptions = unsigned;

enum class TPrintRange { prAllPages, prSelection, prPageNums };

class TQRCommonDialog : public TQRComponent {
public:
    explicit TQRCommonDialog(TQRComponent* owner) : TQRComponent(owner) {}
    bool Ctl3D = true;
    int HelpContext = 0;
    std::function<void(TQRComponent* sender)> OnShow;
    std::function<void(TQRComponent* sender)> OnClose;
};

class TQRBasePrintDialog : public TQRCommonDialog {
public:
    using TQRCommonDialog::TQRCommonDialog;
};

class TQRPrintDialog : public TQRBasePrintDialog {
public:
    explicit TQRPrintDialog(TQRComponent* owner = nullptr) : TQRBasePrintDialog(owner) {}

    // True when the user confirmed; the printer chosen then is the
    // application-wide printer's, with the device mode the user left.
    bool Execute();

    int Copies() const { return FCopies; }
    // Also the application-wide printer's copy count.
    void SetCopies(int value);

    int Collate = 0;
    int FromPage = 0, ToPage = 0, MinPage = 0, MaxPage = 0;
    TPrintDialogOptions Options = 0;
    bool PrintToFile = false;
    TPrintRange PrintRange = TPrintRange::prAllPages;

    // From the device mode the dialog returned.
    int OutputBin = 0;             // raw paper source
    int PaperSize = 0;             // raw paper code
    long double Paperwidth = 0;    // 0.1 mm
    long double Paperlength = 0;
    std::int16_t Orientation = 0;  // 1 portrait, 2 landscape
    int PrintQuality = 0;
    int ColorOption = 0;
    bool Duplex = false;
    int DuplexCode = 0;
    std::uint32_t Fields = 0;      // dmFields

private:
    int FCopies = 1;
};

} // namespace zt::report
