// Files dropped on the letter window: a letter or a saved report opens, as
// a file manager's "open with" would, instead of its address being typed
// into the text control under the pointer.

#include "letter/window/TFrmMain.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace zt::letter {

namespace {

enum class TDropped { None, Letter, Report };

TDropped kindOf(const QString& path)
{
    if (path.endsWith(QLatin1String(".zlw"), Qt::CaseInsensitive))
        return TDropped::Letter;
    if (path.endsWith(QLatin1String(".qrp"), Qt::CaseInsensitive))
        return TDropped::Report;
    return TDropped::None;
}

// The one local letter or report file a drop carries, else empty.
QString droppedFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QString path = urls.front().toLocalFile();
    return kindOf(path) == TDropped::None ? QString() : path;
}

} // namespace

bool TFrmMain::fileDropFilter(QObject* watched, QDropEvent* event)
{
    if (!ownsWidget(watched))
        return false;
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return false;
    event->acceptProposedAction();
    if (event->type() == QEvent::Drop) {
        // Not inside the drop: its questions and dialogs would hold the
        // dragging program's drag open.
        QTimer::singleShot(0, this, [this, file = path.toStdString()] { Guarded([&] { OpenDroppedFile(file); }); });
    }
    return true;
}

void TFrmMain::OpenDroppedFile(const std::string& path)
{
    if (RefuseWhileWorking())
        return;
    switch (kindOf(QString::fromStdString(path))) {
    case TDropped::Letter:
        if (MayLetLetterGo(Oeffnen))
            OpenLetterFile(path);
        break;
    case TDropped::Report:
        if (OnOpenReportFile)
            OnOpenReportFile(path);
        break;
    case TDropped::None:
        break;
    }
}

} // namespace zt::letter
