#include "letter/window/PreviewPlace.h"

#include "output/LetterPrint.h"
#include "preview/TQRStandardPreview.h"

#include <QGuiApplication>
#include <QScreen>

namespace zt::letter {

QRect PrimaryScreenBounds()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
}

preview::TQRStandardPreview* OpenPreviewBesideLetter(pages::TQRPrinter* recorder)
{
    const QRect area = PrimaryScreenBounds();
    const output::TPreviewPlacement place = output::PreviewPlacementFor(area.width(), area.height());
    return preview::OpenPlacedPreview(recorder, QRect(place.left, place.top, place.width, place.height));
}

} // namespace zt::letter
