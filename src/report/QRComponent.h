#pragma once
// Components own the components created with them as owner and free them
// with themselves, like the form that holds a report owns its bands and
// printables. A component that goes away tells its owner's other components,
// so references to it can be dropped.

#include <string>
#include <vector>

namespace zt::report {

enum class TOperation { opInsert, opRemove };

class TQRComponent {
public:
    explicit TQRComponent(TQRComponent* owner);
    virtual ~TQRComponent();
    TQRComponent(const TQRComponent&) = delete;
    TQRComponent& operator=(const TQRComponent&) = delete;

    TQRComponent* Owner() const { return FOwner; }
    const std::vector<TQRComponent*>& Components() const { return FComponents; }
    TQRComponent* FindComponent(const std::string& name) const;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);

    // Loading state: components created while their owner loads are loading too.
    bool Loading() const { return FLoading; }
    void BeginLoading();
    // Ends loading of this component and, in creation order, of those it owns.
    void EndLoading();

    // A free number for the component's user.
    int Tag = 0;

    bool Designing() const { return FDesigning; }
    void SetDesigning(bool value) { FDesigning = value; }

    // Destroys the component; its owner lets go of it first.
    void Free();

protected:
    // Called once loading has ended.
    virtual void Loaded() {}
    virtual void NameChanged(const std::string& /*oldName*/) {}
    // Another component of the same owner is inserted or about to be removed.
    virtual void Notification(TQRComponent* /*component*/, TOperation /*operation*/) {}

private:
    void removeOwned(TQRComponent* c);

    TQRComponent* FOwner = nullptr;
    std::vector<TQRComponent*> FComponents;
    std::string FName;
    bool FLoading = false;
    bool FDesigning = false;
    bool FDestroying = false;
};

// The holder of a report and its parts, standing in for a form.
class TQRForm : public TQRComponent {
public:
    explicit TQRForm(TQRComponent* owner = nullptr) : TQRComponent(owner) {}
    bool Scaled() const { return FScaled; }
    void SetScaled(bool value) { FScaled = value; }

private:
    bool FScaled = true;
};

} // namespace zt::report
