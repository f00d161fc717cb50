#pragma once
// A controller prints one detail section: its header, the groups, the
// sections of sub-controllers, the detail and the footer. The report run
// drives it; this unit keeps which bands belong where.

#include "report/QRComponent.h"

#include <functional>
#include <vector>

namespace zt::report {

class TCustomBandoriaRep;
class TQRCustomBand;
class TQRControllerBand;
class TQRGroup;
class TQRPrintable;
class TQRDataSet;

class TQRCustomController : public TQRComponent {
public:
    explicit TQRCustomController(TQRComponent* owner = nullptr) : TQRComponent(owner) {}

    TQRCustomBand* Header = nullptr;
    TQRCustomBand* Footer = nullptr;
    TQRCustomBand* Detail = nullptr;
    bool PrintIfEmpty = true;
    TCustomBandoriaRep* ParentReport = nullptr;
    std::function<void(TQRComponent* sender, bool& moreData)> OnNeedData;

    const std::vector<TQRGroup*>& Groups() const { return FGroups; }
    void AddGroup(TQRGroup* group);
    void RemoveGroup(TQRGroup* group);
    const std::vector<TQRControllerBand*>& SubControllers() const { return FSubs; }
    void AddSubController(TQRControllerBand* band);
    void RemoveSubController(TQRControllerBand* band);

    // Registers a printable for controller notifications.
    void AddNotifyClient(TQRPrintable* printable);
    void RemoveNotifyClient(TQRPrintable* printable);
    const std::vector<TQRPrintable*>& NotifyClients() const { return FNotifyClients; }
    // Tells every client; an operation of 2 re-applies band alignment.
    void NotifyClientsOf(int operation);

    // The bands of this controller in print order: header, group headers,
    // sections printed before the detail, detail, those after it, group
    // footers from the innermost group outwards, footer.
    void CollectBands(std::vector<TQRCustomBand*>& out) const;

    // Drops every reference to a band that goes away.
    void Forget(TQRCustomBand* band);

    // Prints this controller's section for a run of `report`: header,
    // groups, sub-sections, one detail per record (or once without data
    // when PrintIfEmpty), footer.
    void Execute(TCustomBandoriaRep& report, bool reportsOwn);
    // The data walked; none for a controller without a data set.
    virtual TQRDataSet* Data() const { return nullptr; }
    int DetailNumber = 0;
    // Reprints the headers of open groups that reprint on a new page.
    void ReprintGroupHeaders(TCustomBandoriaRep& report);

private:
    void printOnce(TCustomBandoriaRep& report);
    void runSubs(TCustomBandoriaRep& report, bool before);
    void openGroups(TCustomBandoriaRep& report);
    void closeGroups(TCustomBandoriaRep& report, bool all);
    bool advance(TQRComponent* owner, bool& moreData);

    std::vector<TQRGroup*> FGroups;
    std::vector<TQRControllerBand*> FSubs;
    std::vector<TQRPrintable*> FNotifyClients;
};

class TQRController : public TQRCustomController {
public:
    explicit TQRController(TQRComponent* owner = nullptr) : TQRCustomController(owner) {}
    TQRDataSet* DataSet = nullptr;
    TQRDataSet* Data() const override { return DataSet; }
};

} // namespace zt::report
