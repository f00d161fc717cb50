#include "report/QRController.h"

#include "report/QRBands.h"
#include "report/QRPrintable.h"

#include <algorithm>

namespace zt::report {

namespace {

template <class T>
void addOnce(std::vector<T*>& v, T* item)
{
    if (item != nullptr && std::find(v.begin(), v.end(), item) == v.end())
        v.push_back(item);
}

template <class T>
void removeAll(std::vector<T*>& v, const void* item)
{
    v.erase(std::remove(v.begin(), v.end(), item), v.end());
}

} // namespace

void TQRCustomController::AddGroup(TQRGroup* group) { addOnce(FGroups, group); }
void TQRCustomController::RemoveGroup(TQRGroup* group) { removeAll(FGroups, group); }
void TQRCustomController::AddSubController(TQRControllerBand* band) { addOnce(FSubs, band); }
void TQRCustomController::RemoveSubController(TQRControllerBand* band) { removeAll(FSubs, band); }
void TQRCustomController::AddNotifyClient(TQRPrintable* printable) { addOnce(FNotifyClients, printable); }
void TQRCustomController::RemoveNotifyClient(TQRPrintable* printable) { removeAll(FNotifyClients, printable); }

void TQRCustomController::NotifyClientsOf(int operation)
{
    const auto clients = FNotifyClients;
    for (TQRPrintable* p : clients)
        p->ControllerNotification(this, operation);
}

void TQRCustomController::CollectBands(std::vector<TQRCustomBand*>& out) const
{
    auto add = [&out](TQRCustomBand* b) {
        if (b != nullptr && std::find(out.begin(), out.end(), b) == out.end())
            out.push_back(b);
    };
    add(Header);
    for (TQRGroup* g : FGroups)
        add(g);
    auto subs = [&](bool before) {
        for (TQRControllerBand* s : FSubs)
            if (s->PrintBefore == before && std::find(out.begin(), out.end(), s) == out.end())
                s->Controller().CollectBands(out);
    };
    subs(true);
    add(Detail);
    subs(false);
    for (auto it = FGroups.rbegin(); it != FGroups.rend(); ++it)
        add((*it)->FooterBand());
    add(Footer);
}

void TQRCustomController::Forget(TQRCustomBand* band)
{
    if (Header == band)
        Header = nullptr;
    if (Footer == band)
        Footer = nullptr;
    if (Detail == band)
        Detail = nullptr;
    removeAll(FGroups, band);
    removeAll(FSubs, band);
}

} // namespace zt::report
