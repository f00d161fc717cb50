#include "report/QRBands.h"

#include "base/QRError.h"
#include "report/QRPrintable.h"
#include "report/QRReport.h"

#include <algorithm>
#include <set>

namespace zt::report {

namespace {

std::function<void(const std::string&)>& designMessageHandler()
{
    static std::function<void(const std::string&)> handler;
    return handler;
}

void refuseCircle(const TQRComponent& band)
{
    if (band.Designing() && designMessageHandler())
        designMessageHandler()(qrmsg::CircularReference);
}

struct BandTexts {
    const char* caption;
    const char* prefix;
};

constexpr BandTexts kBandTexts[kBandTypeCount] = {
    {"Titel", "TitleBand"},
    {"Seitenkopf", "PageHeaderBand"},
    {"Detail", "DetailBand"},
    {"Seitenfuß", "PageFooterBand"},
    {"Zusammenfassung", "SummaryBand"},
    {"Gruppenkopf", "GroupHeaderBand"},
    {"Gruppenfuß", "GroupFooterBand"},
    {"Unterdetail", "SubDetailBand"},
    {"Spaltenkopf", "ColumnHeaderBand"},
    {"Überlagerung", "OverlayBand"},
    {"Frei", "WildBand"},
    {"Kind", "ChildBand"},
};

} // namespace

void SetDesignMessageHandler(std::function<void(const std::string&)> handler)
{
    designMessageHandler() = std::move(handler);
}

TQRCustomController* ControllerOf(TQRComponent* master)
{
    if (auto* r = dynamic_cast<TCustomBandoriaRep*>(master))
        return &r->Controller();
    if (auto* b = dynamic_cast<TQRControllerBand*>(master))
        return &b->Controller();
    return nullptr;
}

// --- TQRCustomBand ---------------------------------------------------------

TQRCustomBand::TQRCustomBand(TQRComponent* owner)
    : TQRBasePanel(owner), FSize(std::make_unique<TQRBandSize>(this))
{
    SetColor(clWhite);
    SetInitialBounds({0, 0, 0, 40});  // a new band is 40 pixels high
}

TQRCustomBand::~TQRCustomBand()
{
    DestroyControls();
    if (FParentReport != nullptr)
        FParentReport->RemoveBand(this);
}

void TQRCustomBand::SetBandType(TQRBandType type)
{
    if (type == FBandType)
        return;
    FBandType = type;
    if (FParentReport != nullptr)
        FParentReport->SetBandValues();
}

void TQRCustomBand::SetParentReport(TCustomBandoriaRep* report)
{
    if (report == FParentReport)
        return;
    TCustomBandoriaRep* old = FParentReport;
    FParentReport = report;
    FSize->SetParentReport(report);
    if (old != nullptr)
        old->RemoveBand(this);
    if (report != nullptr) {
        FSize->SetUnits(report->Units());
        FSize->SetZoom(report->Zoom());
        SetZoom(report->Zoom());
        report->AddBand(this);
    }
    for (TQRControl* c : Controls())
        if (auto* p = dynamic_cast<TQRPrintable*>(c))
            p->RebindParent();
}

void TQRCustomBand::ParentChanged(TQRControl* /*oldParent*/)
{
    TQRControl* p = Parent();
    if (auto* r = dynamic_cast<TCustomBandoriaRep*>(p)) {
        SetParentReport(r);
    } else if (auto* b = dynamic_cast<TQRCustomBand*>(p)) {
        // A band dropped on another band goes to that band's report.
        SetParent(b->ParentReport());
    } else {
        SetParentReport(nullptr);
    }
}

int TQRCustomBand::NextPrintableLeft() const
{
    bool any = false;
    int right = 0;
    for (TQRControl* c : Controls())
        if (dynamic_cast<TQRPrintable*>(c) != nullptr) {
            right = any ? std::max(right, c->Left() + c->Width()) : c->Left() + c->Width();
            any = true;
        }
    return any ? right + 10 : 1;
}

void TQRCustomBand::SetZoom(int value)
{
    TQRBasePanel::SetZoom(value);
    FSize->SetZoom(value);
}

std::string TQRCustomBand::BandTypeCaption() const
{
    return kBandTexts[FBandType].caption;
}

std::string TQRCustomBand::BandTypeNamePrefix() const
{
    return kBandTexts[FBandType].prefix;
}

void TQRCustomBand::Loaded()
{
    TQRBasePanel::Loaded();
    FSize->Loaded();
    ApplyRememberedBounds();
    if (FParentReport != nullptr && !FParentReport->Loading())
        FParentReport->SetBandValues();
}

void TQRCustomBand::BoundsChanged(const TRect& old)
{
    FSize->ControlResized(old);
    if (Height() != old.Height && FParentReport != nullptr)
        FParentReport->SetBandValues();
}

bool TQRCustomBand::HasChild() const
{
    return ChildBand() != nullptr;
}

TQRChildBand* TQRCustomBand::ChildBand() const
{
    if (FParentReport == nullptr)
        return nullptr;
    return static_cast<TQRChildBand*>(FParentReport->ChildOf(this));
}

void TQRCustomBand::SetHasChild(bool value)
{
    if (FParentReport == nullptr || value == HasChild())
        return;
    if (value) {
        TQRComponent* owner = Owner() != nullptr ? Owner() : FParentReport;
        auto* child = new TQRChildBand(owner);
        child->SetName(FParentReport->UniqueName(child->BandTypeNamePrefix()));
        child->SetParent(FParentReport);
        child->SetParentBand(this);
        return;
    }
    TQRChildBand* child = ChildBand();
    if (TQRChildBand* grandChild = child->ChildBand())
        grandChild->SetParentBand(this);
    child->Free();
}

bool TQRCustomBand::SetLinkBand(TQRCustomBand* band)
{
    std::set<const TQRCustomBand*> seen;
    for (const TQRCustomBand* b = band; b != nullptr && seen.insert(b).second; b = b->FLinkBand)
        if (b == this) {
            refuseCircle(*this);
            return false;
        }
    FLinkBand = band;
    return true;
}

void TQRCustomBand::ForgetBand(TQRCustomBand* band)
{
    if (FLinkBand == band)
        FLinkBand = nullptr;
}

const TQRCustomBand* TQRCustomBand::LayoutBand() const
{
    std::set<const TQRCustomBand*> seen;
    const TQRCustomBand* b = this;
    while (b != nullptr && b->FBandType == rbChild && seen.insert(b).second) {
        auto* child = dynamic_cast<const TQRChildBand*>(b);
        b = child != nullptr ? child->ParentBand() : nullptr;
    }
    return b != nullptr && b->FBandType == rbChild ? nullptr : b;
}

// --- TQRChildBand ----------------------------------------------------------

TQRChildBand::TQRChildBand(TQRComponent* owner) : TQRCustomBand(owner)
{
    SetBandType(rbChild);
}

bool TQRChildBand::SetParentBand(TQRCustomBand* band)
{
    std::set<const TQRCustomBand*> seen;
    for (const TQRCustomBand* b = band; b != nullptr && seen.insert(b).second;) {
        if (b == this) {
            refuseCircle(*this);
            return false;
        }
        auto* child = dynamic_cast<const TQRChildBand*>(b);
        b = child != nullptr ? child->FParentBand : nullptr;
    }
    FParentBand = band;
    if (ParentReport() != nullptr)
        ParentReport()->SetBandValues();
    return true;
}

void TQRChildBand::ForgetBand(TQRCustomBand* band)
{
    TQRCustomBand::ForgetBand(band);
    if (FParentBand == band)
        FParentBand = nullptr;
}

// --- TQRControllerBand -----------------------------------------------------

TQRControllerBand::TQRControllerBand(TQRComponent* owner)
    : TQRCustomBand(owner), FController(std::make_unique<TQRController>())
{
}

TQRControllerBand::~TQRControllerBand()
{
    SetMaster(nullptr);
}

void TQRControllerBand::SetMaster(TQRComponent* master)
{
    if (master == FMaster)
        return;
    // A section cannot run inside itself.
    std::set<const TQRComponent*> seen;
    for (TQRComponent* m = master; m != nullptr && seen.insert(m).second;) {
        if (m == this)
            return;
        auto* band = dynamic_cast<TQRControllerBand*>(m);
        m = band != nullptr ? band->FMaster : nullptr;
    }
    if (TQRCustomController* c = ControllerOf(FMaster))
        c->RemoveSubController(this);
    FMaster = master;
    if (TQRCustomController* c = ControllerOf(master))
        c->AddSubController(this);
    if (ParentReport() != nullptr)
        ParentReport()->SetBandValues();
}

bool TQRControllerBand::PrintIfEmpty() const
{
    return FController->PrintIfEmpty;
}

void TQRControllerBand::SetPrintIfEmpty(bool value)
{
    FController->PrintIfEmpty = value;
}

void TQRControllerBand::SetParentReport(TCustomBandoriaRep* report)
{
    FController->ParentReport = report;
    if (FMaster == nullptr && report != nullptr)
        SetMaster(report);
    TQRCustomBand::SetParentReport(report);
}

void TQRControllerBand::ForgetBand(TQRCustomBand* band)
{
    TQRCustomBand::ForgetBand(band);
    FController->Forget(band);
    if (FMaster == band)
        SetMaster(nullptr);
}

void TQRControllerBand::Notification(TQRComponent* component, TOperation operation)
{
    // A master that is gone can no longer be told anything.
    if (operation == TOperation::opRemove && component == FMaster)
        FMaster = nullptr;
}

TQRSubDetail::TQRSubDetail(TQRComponent* owner) : TQRControllerBand(owner)
{
    SetBandType(rbSubDetail);
    Controller().Detail = this;
}

TQRDataSet* TQRSubDetail::DataSet() const
{
    return const_cast<TQRSubDetail*>(this)->Controller().DataSet;
}

void TQRSubDetail::SetDataSet(TQRDataSet* ds)
{
    Controller().DataSet = ds;
}

TQRCustomBand* TQRSubDetail::HeaderBand() const
{
    return const_cast<TQRSubDetail*>(this)->Controller().Header;
}

void TQRSubDetail::SetHeaderBand(TQRCustomBand* band)
{
    Controller().Header = band;
    if (ParentReport() != nullptr)
        ParentReport()->SetBandValues();
}

TQRCustomBand* TQRSubDetail::FooterBand() const
{
    return const_cast<TQRSubDetail*>(this)->Controller().Footer;
}

void TQRSubDetail::SetFooterBand(TQRCustomBand* band)
{
    Controller().Footer = band;
    if (ParentReport() != nullptr)
        ParentReport()->SetBandValues();
}

// --- TQRGroup --------------------------------------------------------------

TQRGroup::TQRGroup(TQRComponent* owner) : TQRCustomBand(owner)
{
    SetBandType(rbGroupHeader);
}

TQRGroup::~TQRGroup()
{
    SetMaster(nullptr);
}

void TQRGroup::SetFooterBand(TQRCustomBand* band)
{
    if (band == this)
        return;
    FFooterBand = band;
    if (ParentReport() != nullptr)
        ParentReport()->SetBandValues();
}

void TQRGroup::SetMaster(TQRComponent* master)
{
    if (master == FMaster)
        return;
    if (TQRCustomController* c = ControllerOf(FMaster))
        c->RemoveGroup(this);
    FMaster = master;
    if (TQRCustomController* c = ControllerOf(master))
        c->AddGroup(this);
    if (ParentReport() != nullptr)
        ParentReport()->SetBandValues();
}

void TQRGroup::SetParentReport(TCustomBandoriaRep* report)
{
    if (FMaster == nullptr && report != nullptr)
        SetMaster(report);
    TQRCustomBand::SetParentReport(report);
}

void TQRGroup::Notification(TQRComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove && component == FMaster)
        FMaster = nullptr;
}

void TQRGroup::ForgetBand(TQRCustomBand* band)
{
    TQRCustomBand::ForgetBand(band);
    if (FFooterBand == band)
        FFooterBand = nullptr;
    if (FMaster == band)
        SetMaster(nullptr);
}

} // namespace zt::report
