#include "report/QRComponent.h"

#include <algorithm>

namespace zt::report {

TQRComponent::TQRComponent(TQRComponent* owner) : FOwner(owner)
{
    if (FOwner != nullptr) {
        FLoading = FOwner->FLoading;
        FDesigning = FOwner->FDesigning;
        FOwner->FComponents.push_back(this);
    }
}

TQRComponent::~TQRComponent()
{
    FDestroying = true;
    if (FOwner != nullptr) {
        // Copy: a notified component may free others.
        const std::vector<TQRComponent*> siblings = FOwner->FComponents;
        for (TQRComponent* c : siblings)
            if (c != this && std::find(FOwner->FComponents.begin(), FOwner->FComponents.end(), c) !=
                                 FOwner->FComponents.end())
                c->Notification(this, TOperation::opRemove);
        FOwner->removeOwned(this);
        FOwner = nullptr;
    }
    // Newest first, as parts created later may refer to earlier ones.
    while (!FComponents.empty()) {
        TQRComponent* c = FComponents.back();
        delete c;  // removes itself from FComponents
    }
}

void TQRComponent::removeOwned(TQRComponent* c)
{
    auto it = std::find(FComponents.begin(), FComponents.end(), c);
    if (it != FComponents.end())
        FComponents.erase(it);
}

TQRComponent* TQRComponent::FindComponent(const std::string& name) const
{
    for (TQRComponent* c : FComponents)
        if (!name.empty() && c->FName == name)
            return c;
    return nullptr;
}

void TQRComponent::SetName(const std::string& name)
{
    if (name == FName)
        return;
    const std::string old = FName;
    FName = name;
    NameChanged(old);
}

void TQRComponent::BeginLoading()
{
    FLoading = true;
    for (TQRComponent* c : FComponents)
        c->BeginLoading();
}

void TQRComponent::EndLoading()
{
    if (FLoading) {
        FLoading = false;
        Loaded();
    }
    // Copy: Loaded may create components (a band's child, for instance).
    const std::vector<TQRComponent*> owned = FComponents;
    for (TQRComponent* c : owned)
        if (std::find(FComponents.begin(), FComponents.end(), c) != FComponents.end())
            c->EndLoading();
}

void TQRComponent::Free()
{
    if (!FDestroying)
        delete this;
}

} // namespace zt::report
