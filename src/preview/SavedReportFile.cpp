#include "preview/SavedReportFile.h"

#include "pages/QRPageList.h"
#include "platform/dialogs/UserDialogs.h"

namespace zt::preview {

using namespace zt::pages;

bool CheckWholeReportFile(const std::string& path)
{
    TQRPageList probe;
    probe.LoadFromFile(path);
    try {
        probe.RequireAllPages();
    } catch (const TQRIncompleteFileError& e) {
        const std::string stated = e.StatedPages() == 1 ? "eine Seite" : std::to_string(e.StatedPages()) + " Seiten";
        platform::showApplicationError("Die Datei „" + path + "“ ist beschädigt: Laut Dateikopf enthält sie " +
                                       stated + ", tatsächlich aber nur " + std::to_string(e.HeldPages()) +
                                       ". Der Bericht wurde nicht geöffnet.");
        return false;
    }
    return true;
}

} // namespace zt::preview
