#include "output/uFrmReport.h"

#include "output/LetterBoxes.h"

#include <initializer_list>

namespace zt::output {

using namespace zt::report;

namespace {

// Form data keep sizes in tenths of a millimetre; the layout is given in millimetres.
constexpr long double tenths(long double mm)
{
    return mm * 10.0L;
}

TQRFont font(const char* face, int points, TFontStyles style = 0)
{
    TQRFont f;
    f.Name = face;
    f.SetSize(points);
    f.Style = style;
    f.Color = clBlack;
    return f;
}

void place(TQRPrintable& p, long double left, long double top, long double width, long double height)
{
    p.Size().ReadValues({tenths(height), tenths(left), tenths(top), tenths(width)});
}

enum class Sizing { Fixed, ToText };

template <class T>
T* textElement(TQRForm* owner, TQRControl* parent, const char* name, const TQRFont& f, Sizing sizing,
               std::initializer_list<long double> ltwh)
{
    auto* e = new T(owner);
    e->SetName(name);
    e->SetParent(parent);
    const long double* v = ltwh.begin();
    place(*e, v[0], v[1], v[2], v[3]);
    e->SetFont(f);
    e->ReadFontSize(f.Size());
    e->SetColor(clWhite);
    e->SetTransparent(false);
    e->SetAutoSize(sizing == Sizing::ToText);
    return e;
}

TQRLabel* label(TQRForm* owner, TQRControl* parent, const char* name, const char* caption, const TQRFont& f,
                Sizing sizing, std::initializer_list<long double> ltwh)
{
    auto* l = textElement<TQRLabel>(owner, parent, name, f, sizing, ltwh);
    l->SetCaption(caption);
    return l;
}

TQRMemo* memo(TQRForm* owner, TQRControl* parent, const char* name, const TQRFont& f,
              std::initializer_list<long double> ltwh)
{
    auto* m = textElement<TQRMemo>(owner, parent, name, f, Sizing::Fixed, ltwh);
    m->SetCaption(name);
    return m;
}

TQRShape* shape(TQRForm* owner, TQRControl* parent, const char* name, TQRShapeType type,
                std::initializer_list<long double> ltwh)
{
    auto* s = new TQRShape(owner);
    s->SetName(name);
    s->SetParent(parent);
    const long double* v = ltwh.begin();
    place(*s, v[0], v[1], v[2], v[3]);
    s->SetShape(type);
    return s;
}

template <class T>
T* band(TQRForm* owner, TCustomBandoriaRep* report, const char* name, TQRBandType type, long double heightMm)
{
    auto* b = new T(owner);
    b->SetName(name);
    b->SetParent(report);
    if (type != rbChild)
        b->SetBandType(type);
    // The stored width is the one the layout gives the letter's bands.
    b->Size().ReadValues({tenths(heightMm), 1751.5416666666667L});
    b->SetColor(clWhite);
    return b;
}

} // namespace

TfrmReport::TfrmReport()
{
    SetName("frmReport");
    BeginLoading();
    createReport();
    createTitleBand();
    createDetailBands();
    createFooterAndMarks();
    EndLoading();
}

void TfrmReport::createReport()
{
    BandoriaRep1 = new TBandoriaRep(this);
    TBandoriaRep& r = *BandoriaRep1;
    r.SetName("BandoriaRep1");
    r.SetFont(font("Arial", 10));
    r.ReadFontSize(10);

    TQRPage& page = r.Page();
    page.ReadValues({100.0L, 2970.0L, 50.0L, 2100.0L, 250.0L, 100.0L, 0.0L});
    page.SetColumns(1);
    page.SetOrientation(TPrinterOrientation::poPortrait);
    page.SetPaperSize(TQRPaperSize::A4);
    page.SetContinuous(false);
    r.SetUnits(TQRUnit::MM);

    r.Options = FirstPageHeader | LastPageFooter;
    r.SetPrintIfEmpty(true);
    r.SetReportTitle("Zettelino für Windows");
    r.SetZoom(100);

    TBandoriaRepPrinterSettings& ps = r.PrinterSettings();
    ps.Copies = 1;
    ps.OutputBin = TQRBin::Auto;
    ps.Duplex = false;
    ps.FirstPage = 0;
    ps.LastPage = 0;
    ps.UseStandardprinter = false;
    ps.UseCustomBinCode = false;
    ps.CustomBinCode = 0;
    ps.ExtendedDuplex = 0;
    ps.UseCustomPaperCode = false;
    ps.CustomPaperCode = 0;
    ps.PrintMetaFile = false;
    ps.MemoryLimit = 1000000;
    ps.PrintQuality = 0;
    ps.Collate = 0;
    ps.ColorOption = 0;

    r.PrevFormStyle = TPrevFormStyle::fsNormal;
    r.PreviewInitialState = TWindowState::wsNormal;
    r.PrevInitialZoom = TQRZoomState::qrZoomToFit;
    r.PreviewDefaultSaveType = TPrevSaveType::stPDF;
    // The letter is filed: its PDF is an archive document, tagged for screen readers.
    r.DocumentInfo.Archive = true;

    r.BeforePrint = [this](TCustomBandoriaRep* sender, bool& printReport) {
        BandoriaRep1BeforePrint(sender, printReport);
    };
    r.OnStartPage = [this](TCustomBandoriaRep* sender) { BandoriaRep1StartPage(sender); };
}

void TfrmReport::createTitleBand()
{
    TitleBand1 = band<TQRBand>(this, BandoriaRep1, "TitleBand1", rbTitle, 101.07L);
    TQRControl* b = TitleBand1;
    const TQRFont courier10 = font("Courier New", 10);
    const TQRFont courier8 = font("Courier New", 8);

    QRMemoAbsender = memo(this, b, "QRMemoAbsender", courier10, {0, 5.29L, 98.16L, 22.49L});
    QRLabelAbsender = label(this, b, "QRLabelAbsender", "QRLabelAbsender", font("Arial", 8, fsUnderline),
                            Sizing::Fixed, {0, 39.69L, 98.16L, 4.50L});
    QRMemoAnschrift = memo(this, b, "QRMemoAnschrift", courier10, {0, 44.45L, 98.16L, 23.55L});
    qrLabelDatum = label(this, b, "qrLabelDatum", "<Datum>", courier10, Sizing::Fixed,
                         {100.54L, 70.38L, 73.29L, 4.50L});
    qrLabelDatum->SetAlignment(TAlignment::taRightJustify);
    qrLabelDatum->SetWordWrap(false);
#ifdef ZT_TEST_EXTRA_FIELD
    // The test build's added field, on the date's line at the left margin.
    QRLabelAktenzeichen = label(this, b, "QRLabelAktenzeichen", "<Aktenzeichen>", courier10, Sizing::Fixed,
                                {0, 70.38L, 98.16L, 4.50L});
#endif
    // A reader hears the sender, the address and the date as a paragraph
    // each (empty lines inside them split nothing); the return-address line
    // repeats the sender for the envelope's window and is left out.
    QRMemoAbsender->Structure.Role = TQRStructureRole::srParagraph;
    QRLabelAbsender->Structure.Role = TQRStructureRole::srArtifact;
    QRMemoAnschrift->Structure.Role = TQRStructureRole::srParagraph;
    QRLabelTitel1 = label(this, b, "QRLabelTitel1", "QRLabelTitel1", font("Courier New", 10, fsBold), Sizing::Fixed,
                          {0, 85.20L, 172.24L, 5.56L});
    QRLabelTitel2 = label(this, b, "QRLabelTitel2", "QRLabelTitel2", font("Courier New", 10, fsBold), Sizing::Fixed,
                          {0, 90.49L, 172.24L, 5.56L});
    // The two subject lines are one heading.
    QRLabelTitel1->Structure.Role = TQRStructureRole::srHeading;
    QRLabelTitel2->Structure.Role = TQRStructureRole::srHeading;
    QRLabelTitel2->Structure.JoinsPrevious = true;

    QRShape1 = shape(this, b, "QRShape1", TQRShapeType::qrsRectangle, {130.18L, 3.17L, 44.71L, 50.01L});
    TQRPen grey;
    grey.Color = clGray;
    QRShape1->SetPen(grey);

    QRLabel19 = label(this, b, "QRLabel19", "Mit der Bitte um:", courier8, Sizing::Fixed,
                      {133.88L, 5.29L, 31.75L, 4.50L});
    // The request list, top to bottom: marks 1, 4, 7, 2, 5, 8, 3, 6, 9.
    QRLabel4 = label(this, b, "QRLabel4", TickMarkCaption(1), courier8, Sizing::ToText,
                     {133.88L, 11.38L, 24.34L, 4.23L});
    QRLabel7 = label(this, b, "QRLabel7", TickMarkCaption(4), courier8, Sizing::ToText,
                     {133.88L, 15.35L, 16.93L, 4.23L});
    QRLabel10 = label(this, b, "QRLabel10", TickMarkCaption(7), courier8, Sizing::ToText,
                      {133.88L, 19.58L, 16.93L, 4.23L});
    QRLabel5 = label(this, b, "QRLabel5", TickMarkCaption(2), courier8, Sizing::ToText,
                     {133.88L, 23.81L, 31.75L, 4.23L});
    QRLabel8 = label(this, b, "QRLabel8", TickMarkCaption(5), courier8, Sizing::ToText,
                     {133.88L, 28.05L, 18.79L, 4.23L});
    QRLabel11 = label(this, b, "QRLabel11", TickMarkCaption(8), courier8, Sizing::ToText,
                      {133.88L, 32.28L, 15.08L, 4.23L});
    QRLabel6 = label(this, b, "QRLabel6", TickMarkCaption(3), courier8, Sizing::ToText,
                     {133.88L, 36.51L, 24.34L, 4.23L});
    QRLabel9 = label(this, b, "QRLabel9", TickMarkCaption(6), courier8, Sizing::ToText,
                     {133.88L, 40.75L, 22.49L, 4.23L});
    // The "other" mark takes the box's inner width and two lines, so the
    // twenty characters its field accepts always print whole inside the box;
    // on one line at 32 mm without wrapping, words that did not fit were lost.
    QRLabel12 = label(this, b, "QRLabel12", "Sonstiges:", courier8, Sizing::Fixed, {133.88L, 44.98L, 38.10L, 7.41L});
    QRLabel12->SetWordWrap(true);
    for (TQRLabel* mark : {QRLabel4, QRLabel7, QRLabel10, QRLabel5, QRLabel8, QRLabel11, QRLabel6, QRLabel9, QRLabel12})
        mark->Structure.Role = TQRStructureRole::srListItem;
    // The box stands beside the sender on the page, but a reader hears what
    // is asked after the message it belongs to.
    for (TQRLabel* read : {QRLabel19, QRLabel4, QRLabel7, QRLabel10, QRLabel5, QRLabel8, QRLabel11, QRLabel6, QRLabel9,
                           QRLabel12})
        read->Structure.ReadingOrder = 1;
}

void TfrmReport::createDetailBands()
{
    DetailBand1 = band<TQRBand>(this, BandoriaRep1, "DetailBand1", rbDetail, 15.88L);
    // Grey and dashed, but with no side switched on: no frame is drawn.
    DetailBand1->Frame().SetColor(clGray);
    DetailBand1->Frame().SetStyle(TPenStyle::psDash);
    QRMemoMitteilung = memo(this, DetailBand1, "QRMemoMitteilung", font("Courier New", 10), {0, 1.59L, 172.24L, 13.23L});
    QRMemoMitteilung->AutoStretch = true;

    QRChildBand1 = band<TQRChildBand>(this, BandoriaRep1, "QRChildBand1", rbChild, 22.23L);
    QRChildBand1->SetParentBand(DetailBand1);
    TQRControl* c = QRChildBand1;
    const TQRFont courier8 = font("Courier New", 8);
    QRLabel20 = label(this, c, "QRLabel20", "Anlagen:", courier8, Sizing::Fixed, {0, 6.88L, 15.08L, 4.50L});
    QRLabel13 = label(this, c, "QRLabel13", TickMarkCaption(10), courier8, Sizing::ToText, {0, 12.96L, 16.93L, 3.97L});
    QRLabel14 = label(this, c, "QRLabel14", TickMarkCaption(11), courier8, Sizing::ToText,
                      {40.22L, 12.96L, 15.08L, 3.97L});
    QRLabel15 = label(this, c, "QRLabel15", TickMarkCaption(12), courier8, Sizing::ToText,
                      {80.17L, 12.96L, 11.38L, 3.97L});
    QRLabel16 = label(this, c, "QRLabel16", TickMarkCaption(13), courier8, Sizing::ToText, {0, 16.67L, 11.38L, 3.97L});
    QRLabel17 = label(this, c, "QRLabel17", TickMarkCaption(14), courier8, Sizing::ToText,
                      {40.22L, 16.67L, 13.23L, 3.97L});
    QRLabel18 = label(this, c, "QRLabel18", "Sonstiges:", courier8, Sizing::ToText, {80.17L, 16.67L, 18.79L, 3.97L});
    QRLabel18->SetWordWrap(false);
    for (TQRLabel* mark : {QRLabel13, QRLabel14, QRLabel15, QRLabel16, QRLabel17, QRLabel18})
        mark->Structure.Role = TQRStructureRole::srListItem;
    // The enclosures after what is asked (the box beside the sender).
    for (TQRLabel* read : {QRLabel20, QRLabel13, QRLabel14, QRLabel15, QRLabel16, QRLabel17, QRLabel18})
        read->Structure.ReadingOrder = 2;
}

void TfrmReport::createFooterAndMarks()
{
    PageFooterBand1 = band<TQRBand>(this, BandoriaRep1, "PageFooterBand1", rbPageFooter, 7.41L);
    QRLabelPageCount = label(this, PageFooterBand1, "QRLabelPageCount", "QRLabelPageCount", font("Courier New", 10),
                             Sizing::ToText, {138.91L, 1.59L, 34.13L, 4.50L});
    QRLabelPageCount->SetAlignment(TAlignment::taRightJustify);

    // Fold and punch marks sit on the page itself, measured from the paper's corner.
    shapeFalt1 = shape(this, BandoriaRep1, "shapeFalt1", TQRShapeType::qrsHorLine, {0, 86.25L, 7.94L, 3.44L});
    shapeLoch = shape(this, BandoriaRep1, "shapeLoch", TQRShapeType::qrsHorLine, {0, 145.79L, 7.94L, 3.44L});
}

void TfrmReport::BandoriaRep1BeforePrint(TCustomBandoriaRep* /*sender*/, bool& /*printReport*/)
{
    if (!LetterSource)
        return;
    if (std::optional<TLetterPrintSource> source = LetterSource())
        FillLetterReport(*this, std::move(*source));
}

void TfrmReport::BandoriaRep1StartPage(TCustomBandoriaRep* sender)
{
    // A failure here leaves the previous page line.
    try {
        QRLabelPageCount->SetCaption(PageCountLine(sender->PageNumber, PageTotal ? PageTotal() : 0));
    } catch (...) {
    }
}

} // namespace zt::output
