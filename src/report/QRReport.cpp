#include "report/QRReport.h"

#include "base/QRPaper.h"
#include "pages/QRPrinter.h"
#include "platform/printing/Printer.h"
#include "report/QRBands.h"
#include "report/QRPreviewController.h"
#include "report/QRPrintable.h"

#include <algorithm>
#include <atomic>

namespace zt::report {

namespace {

std::function<int()>& printerPaperQuery()
{
    static std::function<int()> query;
    return query;
}

// The paper code of the application-wide printer's device mode; 0 without a
// printer or when its driver names no paper.
int currentPrinterPaper()
{
    namespace pp = platform::printing;
    pp::TPrinter& printer = pp::Printer();
    if (printer.Printers().empty())
        return 0;
    try {
        pp::DevMode mode;
        printer.GetPrinter(mode);
        return mode.Has(pp::DM_PAPERSIZE) ? mode.dmPaperSize : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

} // namespace

void SetPrinterPaperQuery(std::function<int()> query)
{
    printerPaperQuery() = std::move(query);
}

// --- TBandoriaRepBands -----------------------------------------------------

bool TBandoriaRepBands::has(TQRBandType t) const
{
    return FReport->FindBand(t) != nullptr;
}

void TBandoriaRepBands::set(TQRBandType t, bool v)
{
    TQRCustomBand* band = FReport->FindBand(t);
    if (v && band == nullptr)
        FReport->CreateBand(t);
    else if (!v && band != nullptr)
        band->Free();
}

// --- TCustomBandoriaRep ----------------------------------------------------

TCustomBandoriaRep::TCustomBandoriaRep(TQRComponent* owner)
    : TQRBasePanel(owner),
      FPrinterSettings(std::make_unique<TBandoriaRepPrinterSettings>()),
      FUserPrinterSettings(std::make_unique<TBandoriaRepPrinterSettings>()),
      FBands(std::make_unique<TBandoriaRepBands>(this)),
      FController(std::make_unique<TQRCustomController>())
{
    FController->ParentReport = this;
    FWindow = MakeReportWindow(*this);
    pages::SetSavedReportLoaded(false);
    TQRFont f;
    f.Name = "Arial";
    f.SetSize(10);
    SetFont(f);
    SetColor(clWhite);
    if (auto* form = dynamic_cast<TQRForm*>(owner))
        form->SetScaled(false);
    FPage = std::make_unique<TQRPage>(this);
    // The printer's paper, when there is a printer that names one.
    int code = printerPaperQuery() ? printerPaperQuery()() : currentPrinterPaper();
    FPage->SetPaperSize(PaperSizeFromCode(code).value_or(TQRPaperSize::Default));
    FPage->SetParentSizes();
}

TCustomBandoriaRep::~TCustomBandoriaRep()
{
    joinWorker();
    // The recorder's windows let go of it before the bands go.
    dropPageRecorder();
    FDestroying = true;
    DestroyControls();
    FBandList.clear();
}

void TCustomBandoriaRep::SetUnits(TQRUnit value)
{
    FPage->SetUnits(value);
    unitsOfControls(this, value);
}

void TCustomBandoriaRep::unitsOfControls(TQRControl* parent, TQRUnit units)
{
    for (TQRControl* c : parent->Controls()) {
        if (auto* band = dynamic_cast<TQRCustomBand*>(c))
            band->Size().SetUnits(units);
        else if (auto* p = dynamic_cast<TQRPrintable*>(c))
            p->Size().SetUnits(units);
        unitsOfControls(c, units);
    }
}

void TCustomBandoriaRep::SetZoom(int value)
{
    if (value < 1 || value > 300)
        return;
    TQRBasePanel::SetZoom(value);
    FPage->SetZoom(value);
    zoomControls(this, value);
    FPage->SetParentSizes();
    SetBandValues();
}

void TCustomBandoriaRep::zoomControls(TQRControl* parent, int zoom)
{
    for (TQRControl* c : parent->Controls()) {
        if (auto* band = dynamic_cast<TQRCustomBand*>(c))
            band->SetZoom(zoom);
        else if (auto* p = dynamic_cast<TQRPrintable*>(c))
            p->SetZoom(zoom);
        zoomControls(c, zoom);
    }
}

void TCustomBandoriaRep::SetReportTitle(const std::string& title)
{
    FReportTitle = title;
    FFunctions.Set("REPORTTITLE", TQRFunctionTable::Quote(title));
}

TQRCustomBand* TCustomBandoriaRep::CreateBand(TQRBandType type)
{
    TQRComponent* owner = Owner() != nullptr ? Owner() : this;
    auto* band = new TQRBand(owner);
    band->SetBandType(type);
    band->SetName(UniqueName(band->BandTypeNamePrefix()));
    band->SetParent(this);
    return band;
}

std::string TCustomBandoriaRep::UniqueName(const std::string& prefix) const
{
    const TQRComponent* owner = Owner() != nullptr ? Owner() : this;
    for (int n = 1;; ++n) {
        std::string name = prefix + std::to_string(n);
        if (owner->FindComponent(name) == nullptr)
            return name;
    }
}

void TCustomBandoriaRep::AddBand(TQRCustomBand* band)
{
    if (FDestroying || band == nullptr)
        return;
    if (std::find(FBandList.begin(), FBandList.end(), band) == FBandList.end())
        FBandList.push_back(band);
    SetBandValues();
}

void TCustomBandoriaRep::RemoveBand(TQRCustomBand* band)
{
    auto it = std::find(FBandList.begin(), FBandList.end(), band);
    if (it == FBandList.end())
        return;
    FBandList.erase(it);
    FController->Forget(band);
    for (TQRCustomBand* b : FBandList)
        b->ForgetBand(band);
    if (!FDestroying)
        SetBandValues();
}

TQRCustomBand* TCustomBandoriaRep::FindBand(TQRBandType type) const
{
    for (TQRCustomBand* b : FBandList)
        if (b->BandType() == type)
            return b;
    return nullptr;
}

TQRCustomBand* TCustomBandoriaRep::ChildOf(const TQRCustomBand* band) const
{
    for (TQRCustomBand* b : FBandList)
        if (b->BandType() == rbChild) {
            auto* child = dynamic_cast<TQRChildBand*>(b);
            if (child != nullptr && child->ParentBand() == band && band != nullptr)
                return b;
        }
    return nullptr;
}

void TCustomBandoriaRep::SetRotateBands(int value)
{
    FRotateBands = value;
    SetBandValues();
}

void TCustomBandoriaRep::SetHideBands(bool value)
{
    FHideBands = value;
    SetBandValues();
}

int TCustomBandoriaRep::TextWidth(const TQRFont& font, const std::string& text) const
{
    return FReferenceDC.TextWidth(font, text);
}

int TCustomBandoriaRep::TextHeight(const TQRFont& font, const std::string& /*text*/) const
{
    return FReferenceDC.TextHeight(font);
}

void TCustomBandoriaRep::AddNotifyClient(TQRPrintable* printable)
{
    FController->AddNotifyClient(printable);
}

std::vector<TQRPrintable*> TCustomBandoriaRep::PagePrintables() const
{
    std::vector<TQRPrintable*> out;
    for (TQRControl* c : Controls())
        if (auto* p = dynamic_cast<TQRPrintable*>(c))
            out.push_back(p);
    return out;
}

void TCustomBandoriaRep::Loaded()
{
    TQRBasePanel::Loaded();
    FPage->Loaded();
    ApplyRememberedBounds();
    SetBandValues();
}

void TCustomBandoriaRep::Notification(TQRComponent* component, TOperation operation)
{
    TQRBasePanel::Notification(component, operation);
    if (operation == TOperation::opRemove && component == PreviewController)
        PreviewController = nullptr;
}

void TCustomBandoriaRep::BoundsChanged(const TRect& old)
{
    if (FPage != nullptr && (Width() != old.Width || Height() != old.Height))
        FPage->ReportResized();
}

void TCustomBandoriaRep::FontChanged()
{
    // Characters are measured in the report's font.
    if (FPage != nullptr && !Loading())
        FPage->SetParentSizes();
}

// --- TBandoriaRep ----------------------------------------------------------

TBandoriaRep::TBandoriaRep(TQRComponent* owner) : TCustomBandoriaRep(owner)
{
    auto c = std::make_unique<TQRController>();
    c->ParentReport = this;
    setController(std::move(c));
}

void TBandoriaRep::AssignControllerBands()
{
    TQRCustomController& c = Controller();
    c.Detail = FindBand(rbDetail);
    c.Header = FindBand(rbTitle);
    c.Footer = FindBand(rbSummary);
}

} // namespace zt::report
