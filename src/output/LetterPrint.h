#pragma once
// What the printed letter takes from the letter window: its lines as
// displayed, its fields and tick marks with their labels, and the fonts of
// the controls they come from. The fill step copies it into the report just
// before every run; the window hands it over without the report knowing Qt.

#include "files/LetterContent.h"
#include "report/QRGraphics.h"

#include <array>
#include <string>

namespace zt::report {
class TCustomBandoriaRep;
}

namespace zt::output {

class TfrmReport;

struct TLetterPrintSource {
    files::TLetterContent letter;
    // labels[n]: the caption of tick mark n (1-15); for 9 and 15 the text of
    // the field beside it.
    std::array<std::string, files::kTickMarkCount + 1> labels;
    report::TQRFont absenderFont, anschriftFont, mitteilungFont, titel1Font, titel2Font;
};

// The return-address line: the first sender line as it is, then ", " and
// each further line that is not empty.
std::string ReturnAddressLine(const std::vector<std::string>& absender);

// The fill step: fonts, texts and tick marks into the report's elements.
void FillLetterReport(TfrmReport& form, TLetterPrintSource source);

// The page line of the footer: "Seite n von N".
std::string PageCountLine(int page, int total);

// A letter's sources as a window without its own fonts would give them:
// the controls' design fonts (Courier New 10, the titles bold).
TLetterPrintSource DesignPrintSource(files::TLetterContent letter,
                                     std::array<std::string, files::kTickMarkCount + 1> labels);

// Where the preview window goes on a screen of the given size.
struct TPreviewPlacement {
    int width = 0, height = 0, left = 0, top = 0;
};
TPreviewPlacement PreviewPlacementFor(int screenWidth, int screenHeight);
// Thumbnails and search off, the window's bounds from the screen's size.
void PlacePreview(report::TCustomBandoriaRep& report, int screenWidth, int screenHeight);

} // namespace zt::output
