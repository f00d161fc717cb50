#include "pages/QRPreviewInterface.h"

#include <mutex>

namespace zt::pages {

namespace {

struct Registry {
    std::mutex mutex;
    TQRStandardPreviewFactory standardPreview;
    TQRPreviewInterfaceClass interfaceClass;
    TQRProgressFormFactory progressForm;
};

Registry& registry()
{
    static Registry r;
    return r;
}

template <class T>
T copyOf(T Registry::*member)
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    return r.*member;
}

template <class T>
void store(T Registry::*member, T value)
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    r.*member = std::move(value);
}

} // namespace

platform::MessageTarget* TQRPreviewInterface::Show(TQRPrinter*)
{
    return nullptr;
}

platform::MessageTarget* TQRPreviewInterface::ShowModal(TQRPrinter*)
{
    return nullptr;
}

platform::MessageTarget* TQRStandardPreviewInterface::Show(TQRPrinter* printer)
{
    const auto open = copyOf(&Registry::standardPreview);
    return open ? open(printer, false) : nullptr;
}

platform::MessageTarget* TQRStandardPreviewInterface::ShowModal(TQRPrinter* printer)
{
    const auto open = copyOf(&Registry::standardPreview);
    return open ? open(printer, true) : nullptr;
}

void SetStandardPreviewFactory(TQRStandardPreviewFactory factory)
{
    store(&Registry::standardPreview, std::move(factory));
}

void SetPreviewInterfaceClass(TQRPreviewInterfaceClass make)
{
    store(&Registry::interfaceClass, std::move(make));
}

std::unique_ptr<TQRPreviewInterface> CreatePreviewInterface()
{
    const auto make = copyOf(&Registry::interfaceClass);
    if (make)
        if (auto made = make())
            return made;
    return std::make_unique<TQRStandardPreviewInterface>();
}

void SetProgressFormFactory(TQRProgressFormFactory factory)
{
    store(&Registry::progressForm, std::move(factory));
}

std::unique_ptr<TQRProgressWindow> CreateProgressForm(TQRPrinter* printer)
{
    const auto make = copyOf(&Registry::progressForm);
    return make ? make(printer) : nullptr;
}

} // namespace zt::pages
