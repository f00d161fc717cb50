#pragma once
// Base of everything printed in a band or directly on the page.

#include "report/QRControl.h"
#include "report/QRFrame.h"
#include "report/QRSizes.h"

#include <memory>
#include <string>

namespace zt::pages {
class TQRPrinter;
}

namespace zt::report {

using pages::TQRPrinter;
class TCustomBandoriaRep;
class TQRCustomBand;
class TQRCustomController;

class TQRPrintable : public TQRControl {
public:
    explicit TQRPrintable(TQRComponent* owner);
    ~TQRPrintable() override;

    TQRPrintableSize& Size() { return *FSize; }
    const TQRPrintableSize& Size() const { return *FSize; }
    TQRFrame& Frame() { return FFrame; }
    const TQRFrame& Frame() const { return FFrame; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { FEnabled = v; }
    TAlignment Alignment() const { return FAlignment; }
    virtual void SetAlignment(TAlignment value);
    bool AlignToBand() const { return FAlignToBand; }
    void SetAlignToBand(bool value);
    TExportType ExportAs = TExportType::exptText;
    int XLColumn = 0;
    TXLNumFormat XLNumFormat = TXLNumFormat::nfGeneral;

    int Zoom() const { return FSize->Zoom(); }
    void SetZoom(int value) { FSize->SetZoom(value); }
    TCustomBandoriaRep* ParentReport() const { return FParentReport; }
    // The band the printable sits in; nullptr on the report itself.
    TQRCustomBand* ParentBand() const;
    TQRPrinter* QRPrinter = nullptr;

    // Enabled, or not visible.
    virtual bool IsPrintable() const;
    virtual void ApplyBandAlignment();
    // Binds the printable to its report for a run, and releases it.
    virtual void BeginPrinting();
    virtual void EndPrinting();
    // Prints at the band's corner (or the paper's, for a printable on the
    // report), in native units; the base draws the frame.
    virtual void Print(int ofsX, int ofsY);
    virtual void GetExpandedHeight(Native& /*newHeight*/) {}
    virtual void GetFieldString(std::string& /*dataStr*/) {}
    // An operation of 2 re-applies the band alignment.
    virtual void ControllerNotification(TQRCustomController* controller, int operation);

    // Takes report, units and zoom from the parent again (its band moved).
    void RebindParent() { ParentChanged(Parent()); }

    bool IsPrinting() const { return FIsPrinting; }
    bool PrintFinished() const { return FPrintFinished; }
    // How far an unfinished print has come (a label: its next line), so the
    // run can tell a continuation that makes no progress.
    virtual int PrintPosition() const { return 0; }
    // Gives up what is left of an unfinished print.
    void AbandonPrint() { FPrintFinished = true; }

protected:
    void Loaded() override;
    void BoundsChanged(const TRect& old) override;
    void ParentChanged(TQRControl* oldParent) override;

    // The start of a shape's or picture's print: binds it for the run and
    // hands it to the export filter while the report exports. True when it
    // is to be drawn on the page now.
    bool startGraphic(int ofsX, int ofsY);

    bool FIsPrinting = false;
    bool FPrintFinished = true;

private:
    std::unique_ptr<TQRPrintableSize> FSize;
    TQRFrame FFrame;
    bool FEnabled = true;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    bool FAlignToBand = false;
    bool FAligning = false;
    TCustomBandoriaRep* FParentReport = nullptr;
    // The parent as a band once the cast found one; nullptr: not asked yet
    // (or no band), asked again.
    mutable TQRCustomBand* FParentBand = nullptr;
};

} // namespace zt::report
