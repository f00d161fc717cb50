#pragma once
// Where previews go: beside the letter window on the primary screen, as the
// letter's own preview is placed.

#include <QRect>

namespace zt::pages {
class TQRPrinter;
}
namespace zt::preview {
class TQRStandardPreview;
}

namespace zt::letter {

// The primary screen's bounds (a 1024 × 768 stand-in without a screen).
QRect PrimaryScreenBounds();

// Opens the standard preview of a recorder without a report (a saved
// report file, a mail merge) where the letter's preview would be.
preview::TQRStandardPreview* OpenPreviewBesideLetter(pages::TQRPrinter* recorder);

} // namespace zt::letter
