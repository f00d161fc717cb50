#include "output/LetterPrint.h"

#include "output/PlainText.h"
#include "output/uFrmReport.h"

namespace zt::output {

using namespace zt::report;

std::string ReturnAddressLine(const std::vector<std::string>& absender)
{
    if (absender.empty())
        return {};
    std::string line = absender.front();
    for (std::size_t i = 1; i < absender.size(); ++i)
        if (!absender[i].empty())
            line += ", " + absender[i];
    return line;
}

std::string PageCountLine(int page, int total)
{
    return "Seite " + std::to_string(page) + " von " + std::to_string(total);
}

void FillLetterReport(TfrmReport& f, TLetterPrintSource s)
{
    f.QRMemoAbsender->SetFont(s.absenderFont);
    f.QRMemoAbsender->SetLines(s.letter.absender);
    f.qrLabelDatum->SetCaption(s.letter.datum);
    f.QRLabelAbsender->SetFontSize(8);
    f.QRLabelAbsender->SetCaption(ReturnAddressLine(s.letter.absender));
    f.QRMemoAnschrift->SetFont(s.anschriftFont);
    f.QRMemoAnschrift->SetLines(std::move(s.letter.anschrift));
    f.QRLabelTitel1->SetFont(s.titel1Font);
    f.QRLabelTitel1->SetCaption(s.letter.titel1);
    f.QRLabelTitel2->SetFont(s.titel2Font);
    f.QRLabelTitel2->SetCaption(s.letter.titel2);
    f.QRMemoMitteilung->SetFont(s.mitteilungFont);
    f.QRMemoMitteilung->SetLines(std::move(s.letter.mitteilung));
    TQRLabel* const marks[files::kTickMarkCount + 1] = {
        nullptr,     f.QRLabel4,  f.QRLabel5,  f.QRLabel6,  f.QRLabel7,  f.QRLabel8,  f.QRLabel9,  f.QRLabel10,
        f.QRLabel11, f.QRLabel12, f.QRLabel13, f.QRLabel14, f.QRLabel15, f.QRLabel16, f.QRLabel17, f.QRLabel18};
    for (int n = 1; n <= files::kTickMarkCount; ++n) {
        const bool ticked = s.letter.marks[static_cast<std::size_t>(n)];
        marks[n]->SetFontStyle(ticked ? TFontStyles{fsBold} : TFontStyles{0});
        marks[n]->SetCaption(TickMarkText(ticked, s.labels[static_cast<std::size_t>(n)]));
        // A screen reader says the state in words instead of reading the brackets.
        marks[n]->Structure.ActualText = TickMarkSpoken(ticked, s.labels[static_cast<std::size_t>(n)]);
    }
    // As a document manager lists a filed letter.
    TCustomBandoriaRep::TQRDocumentInfo& info = f.BandoriaRep1->DocumentInfo;
    info.Title = s.letter.titel1.empty() ? "Kurzmitteilung" : s.letter.titel1;
    info.Author = s.letter.absender.empty() ? std::string() : s.letter.absender.front();
    info.Subject = "Kurzmitteilung";
    info.Creator = std::string("Zettelino ") + ZT_VERSION;
}

namespace {

TQRFont designFont(bool bold)
{
    TQRFont f;
    f.Name = "Courier New";
    f.SetSize(10);
    f.Style = bold ? TFontStyles{fsBold} : TFontStyles{0};
    return f;
}

} // namespace

TLetterPrintSource DesignPrintSource(const files::TLetterContent& letter,
                                     const std::array<std::string, files::kTickMarkCount + 1>& labels)
{
    TLetterPrintSource s;
    s.letter = letter;
    s.labels = labels;
    s.absenderFont = s.anschriftFont = s.mitteilungFont = designFont(false);
    s.titel1Font = s.titel2Font = designFont(true);
    return s;
}

TPreviewPlacement PreviewPlacementFor(int sw, int sh)
{
    TPreviewPlacement p;
    p.height = sh - sh * 10 / 100;
    p.width = sw - sw * 40 / 100;
    const int effW = p.width > 0 ? p.width : 500;
    const int effH = p.height > 0 ? p.height : 500;
    p.left = (sw - effW) / 2;
    p.top = (sh - effH) / 2;
    return p;
}

} // namespace zt::output

namespace zt::output {

void PlacePreview(report::TCustomBandoriaRep& report, int screenWidth, int screenHeight)
{
    report.PrevShowThumbs = false;
    report.PrevShowSearch = false;
    const TPreviewPlacement p = PreviewPlacementFor(screenWidth, screenHeight);
    report.PreviewHeight = p.height;
    report.PreviewWidth = p.width;
    report.PreviewLeft = p.left;
    report.PreviewTop = p.top;
}

} // namespace zt::output
