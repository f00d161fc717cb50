// The desktop's recently used files: letters opened or saved here are added
// to them, and "Zuletzt geöffnet" in the Zettelino menu offers the last ones.

#include "letter/window/TFrmMain.h"

#include "platform/desktop/RecentFiles.h"
#include "platform/files/FileAccess.h"

#include <QAction>
#include <QMenu>
#include <cstdio>

namespace zt::letter {

namespace {

constexpr const char* kLetterMimeType = "application/x-zettelino-letter";
constexpr std::size_t kRecentShown = 6;

platform::desktop::RecentEntry letterEntry()
{
    return {kLetterMimeType, "zettelino", "zettelino %u"};
}

} // namespace

void TFrmMain::rememberRecent(const std::string& path)
{
    if (RecentList.empty())
        return;
    std::string why;
    // The letter is safe either way; the desktop's list is a convenience,
    // so its failure goes to the log instead of interrupting the user.
    if (!platform::desktop::addRecentFile(RecentList, path, letterEntry(), &why))
        std::fprintf(stderr, "zettelino: Die zuletzt verwendeten Dateien (%s) wurden nicht ergänzt: %s\n",
                     RecentList.c_str(), why.c_str());
}

void TFrmMain::fillRecentMenu()
{
    ZuletztGeoeffnet->clear();
    const std::vector<std::string> recent = RecentList.empty()
                                                ? std::vector<std::string>{}
                                                : platform::desktop::recentFiles(RecentList, "zettelino",
                                                                                 kLetterMimeType, kRecentShown);
    int n = 0;
    for (const std::string& path : recent) {
        ++n;
        QAction* entry = ZuletztGeoeffnet->addAction(QStringLiteral("&%1 ").arg(n) + QString::fromStdString(platform::files::fileNameOf(path)));
        entry->setObjectName(QStringLiteral("Zuletzt%1").arg(n));
        entry->setStatusTip(QString::fromStdString(path));
        entry->setToolTip(QString::fromStdString(path));
        connect(entry, &QAction::triggered, this, [this, path] { Guarded([&] { OpenRecentLetter(path); }); });
    }
    ZuletztGeoeffnet->setEnabled(n > 0);
}

void TFrmMain::OpenRecentLetter(const std::string& path)
{
    if (RefuseWhileWorking() || !MayLetLetterGo(Oeffnen))
        return;
    OpenLetterFile(path);
}

} // namespace zt::letter
