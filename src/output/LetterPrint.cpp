#include "output/LetterPrint.h"

#include "files/LetterFields.h"
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

namespace {

using files::TLetterBlock;
using files::TLetterField;

// Where the letter's parts print: the report element of each block, field
// and tick mark, with the window's font it takes (none: its designed one).
// The two "other" fields print as the labels of their tick marks.
struct TBlockPrintPlace {
    TLetterBlock block;
    TQRMemo* TfrmReport::*memo;
    TQRFont TLetterPrintSource::*font;
};
constexpr TBlockPrintPlace kBlockPrintPlaces[] = {
    {TLetterBlock::Absender, &TfrmReport::QRMemoAbsender, &TLetterPrintSource::absenderFont},
    {TLetterBlock::Anschrift, &TfrmReport::QRMemoAnschrift, &TLetterPrintSource::anschriftFont},
    {TLetterBlock::Mitteilung, &TfrmReport::QRMemoMitteilung, &TLetterPrintSource::mitteilungFont},
};
struct TFieldPrintPlace {
    TLetterField field;
    TQRLabel* TfrmReport::*label;
    TQRFont TLetterPrintSource::*font;
};
constexpr TFieldPrintPlace kFieldPrintPlaces[] = {
    {TLetterField::Datum, &TfrmReport::qrLabelDatum, nullptr},
    {TLetterField::Titel1, &TfrmReport::QRLabelTitel1, &TLetterPrintSource::titel1Font},
    {TLetterField::Titel2, &TfrmReport::QRLabelTitel2, &TLetterPrintSource::titel2Font},
#ifdef ZT_TEST_EXTRA_FIELD
    {TLetterField::Aktenzeichen, &TfrmReport::QRLabelAktenzeichen, nullptr},
#endif
};
// Tick mark n's label (index 0 unused).
constexpr TQRLabel* TfrmReport::*kTickMarkPrintPlaces[files::kTickMarkCount + 1] = {
    nullptr,
    &TfrmReport::QRLabel4,
    &TfrmReport::QRLabel5,
    &TfrmReport::QRLabel6,
    &TfrmReport::QRLabel7,
    &TfrmReport::QRLabel8,
    &TfrmReport::QRLabel9,
    &TfrmReport::QRLabel10,
    &TfrmReport::QRLabel11,
    &TfrmReport::QRLabel12,
    &TfrmReport::QRLabel13,
    &TfrmReport::QRLabel14,
    &TfrmReport::QRLabel15,
    &TfrmReport::QRLabel16,
    &TfrmReport::QRLabel17,
    &TfrmReport::QRLabel18,
};

} // namespace

void FillLetterReport(TfrmReport& f, TLetterPrintSource s)
{
    f.QRLabelAbsender->SetFontSize(8);
    f.QRLabelAbsender->SetCaption(ReturnAddressLine(s.letter.absender));
    std::string author = s.letter.absender.empty() ? std::string() : s.letter.absender.front();
    for (const TBlockPrintPlace& p : kBlockPrintPlaces) {
        (f.*p.memo)->SetFont(s.*p.font);
        (f.*p.memo)->SetLines(std::move(s.letter.*files::LetterBlockInfo(p.block).lines));
    }
    for (const TFieldPrintPlace& p : kFieldPrintPlaces) {
        if (p.font != nullptr)
            (f.*p.label)->SetFont(s.*p.font);
        (f.*p.label)->SetCaption(files::FieldText(s.letter, p.field));
    }
    for (const files::TTickMarkInfo& m : files::kTickMarks) {
        const auto n = static_cast<std::size_t>(m.number);
        TQRLabel* const label = f.*kTickMarkPrintPlaces[n];
        const bool ticked = s.letter.marks[n];
        label->SetFontStyle(ticked ? TFontStyles{fsBold} : TFontStyles{0});
        label->SetCaption(TickMarkText(ticked, s.labels[n]));
        // A screen reader says the state in words instead of reading the brackets.
        label->Structure.ActualText = TickMarkSpoken(ticked, s.labels[n]);
    }
    // As a document manager lists a filed letter.
    TCustomBandoriaRep::TQRDocumentInfo& info = f.BandoriaRep1->DocumentInfo;
    info.Title = s.letter.titel1.empty() ? "Kurzmitteilung" : s.letter.titel1;
    info.Author = std::move(author);
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

TLetterPrintSource DesignPrintSource(files::TLetterContent letter,
                                     std::array<std::string, files::kTickMarkCount + 1> labels)
{
    TLetterPrintSource s;
    s.letter = std::move(letter);
    s.labels = std::move(labels);
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
