#include "export/QRExportLibrary.h"

#include "export/QRPDFFilter.h"
#include "platform/text/AsciiCase.h"

namespace zt::exporting {

using namespace zt::report;

void TQRExportFilterLibrary::AddFilter(TQRExportFilterClass aFilter)
{
    if (aFilter == nullptr)
        return;
    const auto filter = aFilter->Create({});
    auto entry = std::make_unique<TQRExportFilterLibraryEntry>(aFilter, filter->Name(), filter->FileExtension());
    for (const auto& e : FFilterList)
        if (e->ExportFilterClass()->ClassName == aFilter->ClassName)
            return;
    FFilterList.push_back(std::move(entry));
}

void TQRExportFilterLibrary::RemoveFilter(TQRExportFilterClass aFilter)
{
    if (aFilter == nullptr)
        return;
    try {
        const std::string name = aFilter->Create({})->Name();
        for (auto it = FFilterList.begin(); it != FFilterList.end(); ++it)
            if ((*it)->FilterName() == name) {
                FFilterList.erase(it);
                return;
            }
    } catch (...) {
        // The library stays as it was.
    }
}

const TQRExportFilterLibraryEntry* TQRExportFilterLibrary::GetFilterByExtension(const std::string& fext) const
{
    for (const auto& e : FFilterList)
        if (platform::text::equalsIgnoringAsciiCase(e->Extension(), fext))
            return e.get();
    return nullptr;
}

std::string TQRExportFilterLibrary::SaveDialogFilterString() const
{
    std::string s = "Bandoria-Datei(*.QRP)|*.QRP";
    for (const auto& e : FFilterList)
        s += "|" + e->FilterName() + " (*." + e->Extension() + ")|*." + e->Extension();
    return s;
}

TQRExportFilterLibrary& QRExportFilterLibrary()
{
    static TQRExportFilterLibrary library;
    return library;
}

void RegisterExportFilters()
{
    QRExportFilterLibrary().AddFilter(FilterClassOf<TQRPDFDocumentFilter>());
}

} // namespace zt::exporting
