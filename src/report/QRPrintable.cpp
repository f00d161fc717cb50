#include "report/QRPrintable.h"

#include "report/QRBands.h"
#include "report/QRReport.h"

namespace zt::report {

TQRPrintable::TQRPrintable(TQRComponent* owner) : TQRControl(owner), FSize(std::make_unique<TQRPrintableSize>(this))
{
    FFrame.OnChange = [this] { Invalidate(); };
    SetColor(clWhite);
    SetInitialBounds({0, 0, 10, 10});
}

TQRPrintable::~TQRPrintable()
{
    if (FParentReport != nullptr)
        FParentReport->Controller().RemoveNotifyClient(this);
}

TQRCustomBand* TQRPrintable::ParentBand() const
{
    // Asked for every line a memo fits, where the cast cost more than the
    // rest of the fitting; a band stays a band until the parent changes.
    if (FParentBand == nullptr)
        FParentBand = dynamic_cast<TQRCustomBand*>(Parent());
    return FParentBand;
}

void TQRPrintable::ParentChanged(TQRControl* /*oldParent*/)
{
    FParentBand = nullptr;
    TQRControl* p = Parent();
    if (auto* band = dynamic_cast<TQRCustomBand*>(p)) {
        FParentReport = band->ParentReport();
        FSize->SetUnits(band->Size().Units());
        FSize->SetZoom(band->Zoom());
    } else if (auto* report = dynamic_cast<TCustomBandoriaRep*>(p)) {
        FParentReport = report;
        FSize->SetUnits(report->Units());
        FSize->SetZoom(report->Zoom());
    } else {
        FParentReport = nullptr;
    }
    FSize->SetParentReport(FParentReport);
    ApplyBandAlignment();
}

bool TQRPrintable::IsPrintable() const
{
    return FEnabled || !Visible();
}

void TQRPrintable::SetAlignment(TAlignment value)
{
    FAlignment = value;
    ApplyBandAlignment();
}

void TQRPrintable::SetAlignToBand(bool value)
{
    FAlignToBand = value;
    ApplyBandAlignment();
}

void TQRPrintable::ApplyBandAlignment()
{
    TQRCustomBand* band = ParentBand();
    if (!FAlignToBand || band == nullptr || FAligning || Loading())
        return;
    FAligning = true;
    int left = 0;
    if (FAlignment == TAlignment::taRightJustify)
        left = band->Width() - Width();
    else if (FAlignment == TAlignment::taCenter)
        left = (band->Width() - Width()) / 2;
    SetLeft(left);
    FAligning = false;
}

void TQRPrintable::BeginPrinting()
{
    FIsPrinting = true;
    FPrintFinished = true;
    QRPrinter = FParentReport != nullptr ? FParentReport->QRPrinter : nullptr;
}

void TQRPrintable::EndPrinting()
{
    FIsPrinting = false;
    QRPrinter = nullptr;
}

void TQRPrintable::ControllerNotification(TQRCustomController* /*controller*/, int operation)
{
    if (operation == 2)
        ApplyBandAlignment();
}

void TQRPrintable::Loaded()
{
    TQRControl::Loaded();
    FSize->Loaded();
    ApplyRememberedBounds();
    ApplyBandAlignment();
}

void TQRPrintable::BoundsChanged(const TRect& old)
{
    FSize->ControlResized(old);
    ApplyBandAlignment();
}

} // namespace zt::report
