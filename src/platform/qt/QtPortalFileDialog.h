#pragma once
// The desktop's own file chooser through the XDG desktop portal (the one
// GNOME, KDE and the other desktops show every program), asked over the
// session bus. Used wherever a portal with a file chooser answers; the
// caller falls back to the toolkit's dialog otherwise.

#include "platform/dialogs/UserDialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <string>

namespace zt::platform::qt {

enum class PortalOutcome {
    Unavailable, // no portal, or it failed: use another dialog
    Cancelled,
    Chosen,
};

struct PortalAnswer {
    PortalOutcome outcome = PortalOutcome::Unavailable;
    std::string path;
    int chosenFilter = 0; // 1-based, 0: not told
};

// Runs the portal's open or save dialog for `request`, modal over the
// active window.
PortalAnswer runPortalFileDialog(const FileDialogRequest& request, bool save);

// Whether a portal with a file chooser answers on the session bus (asked
// once per run). ZETTELINO_FILE_DIALOG=qt, or a platform without real
// windows, leaves it out.
bool portalFileChooserAvailable();

// A Qt name filter "Desc (*.a *.A)" as the portal's name and patterns.
struct PortalFilter {
    QString name;
    QStringList patterns;
};
QList<PortalFilter> portalFilters(const std::string& filter);

} // namespace zt::platform::qt
