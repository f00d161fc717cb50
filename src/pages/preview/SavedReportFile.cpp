#include "pages/preview/SavedReportFile.h"

#include "pages/QRPageList.h"
#include "platform/dialogs/UserDialogs.h"

namespace zt::pages {

bool CheckWholeReportFile(const std::string& path)
{
    TQRPageList probe;
    probe.LoadFromFile(path);
    try {
        probe.RequireAllPages();
    } catch (const TQRIncompleteFileError& e) {
        platform::showApplicationError("Die Datei „" + path + "“ ist beschädigt: Laut Dateikopf enthält sie " +
                                       std::to_string(e.StatedPages()) + " Seiten, tatsächlich aber nur " +
                                       std::to_string(e.HeldPages()) + ". Der Bericht wurde nicht geöffnet.");
        return false;
    }
    return true;
}

} // namespace zt::pages
