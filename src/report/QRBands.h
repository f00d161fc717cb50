#pragma once
// Bands: horizontal strips of a report, each with its size, flags, a chain
// of child bands and an optional linked band.

#include "report/QRBasePanel.h"
#include "report/QRPrintable.h"
#include "report/QRSizes.h"

#include <functional>
#include <memory>
#include <string>

namespace zt::report {

class TCustomBandoriaRep;
class TQRChildBand;
class TQRController;
class TQRDataSet;

class TQRCustomBand : public TQRBasePanel {
public:
    explicit TQRCustomBand(TQRComponent* owner);
    ~TQRCustomBand() override;

    TQRBandType BandType() const { return FBandType; }
    void SetBandType(TQRBandType type);
    TQRBandSize& Size() { return *FSize; }
    const TQRBandSize& Size() const { return *FSize; }
    TCustomBandoriaRep* ParentReport() const { return FParentReport; }
    virtual void SetParentReport(TCustomBandoriaRep* report);

    bool Enabled = true;
    bool ForceNewPage = false;
    bool ForceNewColumn = false;
    bool AlignToBottom = false;
    bool TransparentBand = false;
    bool KeepOnOnePage = false;
    bool PreCaluculateBandHeight = false;
    Native Expanded = 0;

    // Stretching while the band prints: whether the page leaves room for
    // `value` more, growing by it, and the height its memos would need.
    bool CanExpand(Native value) const;
    bool ExpandBand(Native value, Native& newExpanded, bool& hasExpanded);
    // ExpandBand for a caller that has just asked CanExpand(value).
    bool ExpandAsked(Native value, Native& newExpanded, bool& hasExpanded);
    void ExpandedHeight(Native& newHeight) const;

    bool HasChild() const;
    void SetHasChild(bool value);
    TQRChildBand* ChildBand() const;

    TQRCustomBand* LinkBand() const { return FLinkBand; }
    // Refused when the link chain from `band` leads back to this band.
    bool SetLinkBand(TQRCustomBand* band);

    std::function<void(TQRCustomBand* sender, bool& printBand)> BeforePrint;
    std::function<void(TQRCustomBand* sender, bool bandPrinted)> AfterPrint;

    // Creates a printable of class T in the band, 10 pixels right of the
    // right-most printable already there (at 1 when there is none).
    template <class T>
    T* AddPrintable()
    {
        const int left = NextPrintableLeft();
        auto* p = new T(Owner() != nullptr ? Owner() : this);
        p->SetParent(this);
        p->SetLeft(left);
        return p;
    }
    int NextPrintableLeft() const;

    void SetZoom(int value) override;
    // The design caption and the name prefix of new bands, by band type.
    virtual std::string BandTypeCaption() const;
    virtual std::string BandTypeNamePrefix() const;
    virtual void Hook() {}

    // A band with print conditions of its own: whether they let it print
    // now, the notice that it printed, and the start of each run.
    virtual bool PrintAllowed(const TCustomBandoriaRep& report) const;
    virtual void NotePrinted(const TCustomBandoriaRep& /*report*/) {}
    virtual void StartRun() {}

    // Drops references to a band that goes away.
    virtual void ForgetBand(TQRCustomBand* band);

    // The first band up the parent chain that is not a child band (itself
    // when it is none); nullptr for an orphaned child.
    const TQRCustomBand* LayoutBand() const;

protected:
    void Loaded() override;
    void BoundsChanged(const TRect& old) override;
    void ParentChanged(TQRControl* oldParent) override;

private:
    TQRBandType FBandType = rbTitle;
    std::unique_ptr<TQRBandSize> FSize;
    TCustomBandoriaRep* FParentReport = nullptr;
    TQRCustomBand* FLinkBand = nullptr;
};

class TQRBand : public TQRCustomBand {
public:
    explicit TQRBand(TQRComponent* owner) : TQRCustomBand(owner) {}
};

class TQRChildBand : public TQRCustomBand {
public:
    explicit TQRChildBand(TQRComponent* owner);

    TQRCustomBand* ParentBand() const { return FParentBand; }
    // Refused when the parent chain from `band` leads back to this band.
    bool SetParentBand(TQRCustomBand* band);
    TCBPrintOrder PrintOrder = cboAfterParent;

    void ForgetBand(TQRCustomBand* band) override;

private:
    TQRCustomBand* FParentBand = nullptr;
};

// A band that owns a controller; Master is the report or controller band
// whose controller runs this one.
class TQRControllerBand : public TQRCustomBand {
public:
    explicit TQRControllerBand(TQRComponent* owner);
    ~TQRControllerBand() override;

    TQRController& Controller() { return *FController; }
    TQRComponent* Master() const { return FMaster; }
    void SetMaster(TQRComponent* master);
    bool PrintBefore = false;
    bool PrintIfEmpty() const;
    void SetPrintIfEmpty(bool value);

    void SetParentReport(TCustomBandoriaRep* report) override;
    void ForgetBand(TQRCustomBand* band) override;

protected:
    void Notification(TQRComponent* component, TOperation operation) override;

private:
    std::unique_ptr<TQRController> FController;
    TQRComponent* FMaster = nullptr;
};

class TQRSubDetail : public TQRControllerBand {
public:
    explicit TQRSubDetail(TQRComponent* owner);
    TQRDataSet* DataSet() const;
    void SetDataSet(TQRDataSet* ds);
    TQRCustomBand* HeaderBand() const;
    void SetHeaderBand(TQRCustomBand* band);
    TQRCustomBand* FooterBand() const;
    void SetFooterBand(TQRCustomBand* band);
};

class TQRGroup : public TQRCustomBand {
public:
    explicit TQRGroup(TQRComponent* owner);
    ~TQRGroup() override;

    std::string Expression;
    bool ReprintOnNewPage = false;
    // Run state: the value of the current group, whether it is open and
    // whether its header has printed on the current page.
    std::string FValue;
    bool FOpen = false;
    int FHeaderPage = 0;
    TQRCustomBand* FooterBand() const { return FFooterBand; }
    void SetFooterBand(TQRCustomBand* band);
    // The report or controller band whose controller holds this group.
    TQRComponent* Master() const { return FMaster; }
    void SetMaster(TQRComponent* master);

    void SetParentReport(TCustomBandoriaRep* report) override;
    void ForgetBand(TQRCustomBand* band) override;

protected:
    void Notification(TQRComponent* component, TOperation operation) override;

private:
    TQRCustomBand* FFooterBand = nullptr;
    TQRComponent* FMaster = nullptr;
};

// The controller of a master: the report's own, or a controller band's.
TQRCustomController* ControllerOf(TQRComponent* master);

// Shows a message on the design surface; nothing is said without a handler.
void SetDesignMessageHandler(std::function<void(const std::string&)> handler);

} // namespace zt::report
