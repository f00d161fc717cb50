// Printables: sizes, band alignment, labels and memos, shapes, frames,
// expression values and data-bound pictures.

#include "platform/fonts/FontService.h"
#include "report/QRBands.h"
#include "report/QRDataSet.h"
#include "report/QRLabels.h"
#include "report/QRReport.h"
#include "report/QRShapes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zt::report;

namespace {

struct Printables : ::testing::Test {
    void SetUp() override { SetUSMeasureQuery([] { return false; }); }
    void TearDown() override { SetUSMeasureQuery({}); }

    TQRForm form;
    TBandoriaRep* rep = new TBandoriaRep(&form);
    TQRCustomBand* detail = rep->CreateBand(rbDetail);

    template <class T>
    T* in(TQRControl* parent)
    {
        auto* p = new T(&form);
        p->SetParent(parent);
        return p;
    }
};

TEST_F(Printables, NewLabelDefaults)
{
    auto* l = new TQRLabel(&form);
    EXPECT_TRUE(l->AutoSize());
    EXPECT_TRUE(l->WordWrap());
    EXPECT_EQ(l->WrapStyle(), TWrapStyle::BreakOnSpaces);
    EXPECT_EQ(l->MaxBreakChars, 0);
    EXPECT_FALSE(l->Transparent());
    EXPECT_FALSE(l->AutoStretch);
    EXPECT_FALSE(l->FullJustify);
    EXPECT_TRUE(l->Caption().empty());
    EXPECT_TRUE(l->CaptionBased());
    EXPECT_FALSE((TQRMemo(nullptr).CaptionBased()));
    EXPECT_EQ(l->Width(), 10);
    EXPECT_EQ(l->Height(), 10);
    EXPECT_EQ(l->Color(), clWhite);
    EXPECT_TRUE(l->Enabled());
    EXPECT_EQ(l->Alignment(), TAlignment::taLeftJustify);
    EXPECT_FALSE(l->AlignToBand());
    EXPECT_EQ(l->ExportAs, TExportType::exptText);
    EXPECT_EQ(l->XLNumFormat, TXLNumFormat::nfGeneral);
    EXPECT_TRUE(l->PrintFinished());
    EXPECT_FALSE(l->IsPrinting());
    EXPECT_NEAR(static_cast<double>(l->Size().Width()), 2.6458, 1e-4);  // 10 pixels in mm
}

TEST_F(Printables, NewShapeAndFrameDefaults)
{
    auto* s = new TQRShape(&form);
    EXPECT_EQ(s->Shape(), TQRShapeType::qrsRectangle);
    EXPECT_EQ(s->Width(), 65);
    EXPECT_EQ(s->Height(), 65);
    EXPECT_EQ(s->Pen(), TQRPen{});
    EXPECT_EQ(s->Brush().Color, clWhite);
    const TQRFrame& f = s->Frame();
    EXPECT_FALSE(f.DrawTop() || f.DrawBottom() || f.DrawLeft() || f.DrawRight());
    EXPECT_EQ(f.Color(), clBlack);
    EXPECT_EQ(f.Style(), TPenStyle::psSolid);
    EXPECT_EQ(f.Width(), 1);
}

TEST_F(Printables, FrameChangesRepaintTheirControl)
{
    auto* s = in<TQRShape>(detail);
    const int before = s->PaintRequests();
    s->Frame().SetDrawLeft(true);
    EXPECT_TRUE(s->Frame().AnyFrame());
    EXPECT_TRUE(s->Frame().Side(2));
    EXPECT_FALSE(s->Frame().Side(7));
    s->Frame().SetDrawLeft(true);  // no change, no repaint
    s->Frame().SetWidth(-1);
    EXPECT_EQ(s->PaintRequests(), before + 2);
}

struct PrintableCase {
    bool enabled;
    bool visible;
    bool printable;
};

class IsPrintable : public Printables, public ::testing::WithParamInterface<PrintableCase> {};

TEST_P(IsPrintable, EnabledOrNotVisible)
{
    auto* l = in<TQRLabel>(detail);
    l->SetEnabled(GetParam().enabled);
    l->SetVisible(GetParam().visible);
    EXPECT_EQ(l->IsPrintable(), GetParam().printable);
}

INSTANTIATE_TEST_SUITE_P(States, IsPrintable,
                         ::testing::Values(PrintableCase{true, true, true}, PrintableCase{false, true, false},
                                           PrintableCase{true, false, true}, PrintableCase{false, false, true}));

struct AlignCase {
    TAlignment alignment;
    int left;
};

class AlignToBand : public Printables, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(AlignToBand, PlacesThePrintableInItsBand)
{
    // A default band is 718 pixels wide on A4 with 10 mm margins.
    ASSERT_EQ(detail->Width(), 718);
    auto* s = in<TQRShape>(detail);
    s->SetLeft(100);
    s->SetAlignment(GetParam().alignment);
    s->SetAlignToBand(true);
    EXPECT_EQ(s->Left(), GetParam().left);
    s->SetLeft(5);  // moving it aligns it again
    EXPECT_EQ(s->Left(), GetParam().left);
    s->SetWidth(64);
    const int expected = GetParam().alignment == TAlignment::taRightJustify ? 718 - 64
                         : GetParam().alignment == TAlignment::taCenter   ? (718 - 64) / 2
                                                                            : 0;
    EXPECT_EQ(s->Left(), expected);
}

INSTANTIATE_TEST_SUITE_P(Alignments, AlignToBand,
                         ::testing::Values(AlignCase{TAlignment::taLeftJustify, 0},
                                           AlignCase{TAlignment::taRightJustify, 718 - 65},
                                           AlignCase{TAlignment::taCenter, (718 - 65) / 2}));

TEST_F(Printables, ControllerNotificationReappliesAlignment)
{
    auto* s = in<TQRShape>(detail);
    s->SetAlignment(TAlignment::taRightJustify);
    s->SetAlignToBand(true);
    rep->AddNotifyClient(s);
    rep->Page().SetRightMargin(20);  // the band narrows to 681 pixels
    ASSERT_EQ(detail->Width(), 681);
    EXPECT_EQ(s->Left(), 718 - 65);
    rep->Controller().NotifyClientsOf(1);
    EXPECT_EQ(s->Left(), 718 - 65);
    rep->Controller().NotifyClientsOf(2);
    EXPECT_EQ(s->Left(), 681 - 65);
    ASSERT_EQ(rep->Controller().NotifyClients().size(), 1u);
    s->Free();
    EXPECT_TRUE(rep->Controller().NotifyClients().empty());
}

TEST_F(Printables, AddPrintableGoesRightOfTheRightMost)
{
    auto* first = detail->AddPrintable<TQRLabel>();
    EXPECT_EQ(first->Left(), 1);
    EXPECT_EQ(first->Parent(), detail);
    EXPECT_EQ(first->Owner(), &form);
    first->SetAutoSize(false);
    first->SetBounds(200, 0, 50, 10);
    auto* s = in<TQRShape>(detail);
    s->SetBounds(20, 0, 65, 65);
    auto* next = detail->AddPrintable<TQRShape>();
    EXPECT_EQ(next->Left(), 260);
}

TEST_F(Printables, PagePrintablesMeasureFromThePaperCorner)
{
    auto* mark = in<TQRShape>(rep);
    mark->Size().SetTop(86.254L);
    EXPECT_EQ(mark->Top(), 326);
    rep->Page().SetTopMargin(40);
    EXPECT_EQ(mark->Top(), 326);
    EXPECT_EQ(rep->PagePrintables(), std::vector<TQRPrintable*>{mark});
    EXPECT_EQ(mark->ParentReport(), rep);
    EXPECT_EQ(mark->ParentBand(), nullptr);
}

TEST_F(Printables, ZoomReachesPrintablesOnBandsAndOnThePage)
{
    auto* inBand = in<TQRShape>(detail);
    auto* onPage = in<TQRShape>(rep);
    inBand->Size().SetWidth(10);
    onPage->Size().SetLeft(10);
    rep->SetZoom(150);
    EXPECT_EQ(inBand->Zoom(), 150);
    EXPECT_EQ(onPage->Zoom(), 150);
    EXPECT_EQ(inBand->Width(), 57);  // 37.8 pixels at 150 %
    EXPECT_EQ(onPage->Left(), 57);
    EXPECT_DOUBLE_EQ(static_cast<double>(inBand->Size().Width()), 10);
}

TEST_F(Printables, PrintablesFollowTheirBandToAnotherReport)
{
    auto* l = in<TQRLabel>(detail);
    auto* other = new TBandoriaRep(&form);
    other->SetUnits(TQRUnit::Inches);
    detail->SetParent(other);
    EXPECT_EQ(l->ParentReport(), other);
}

// --- labels and memos --------------------------------------------------------

TEST_F(Printables, TextWidthIsTheExtentPlusOne)
{
    TQRFont courier;
    courier.Name = "Courier New";
    courier.SetSize(8);
    const auto f = zt::platform::FontService::instance().font(courier.ToLogFont(96));
    EXPECT_EQ(rep->TextWidth(courier, "Kontrolle"), f->textExtent("Kontrolle").cx + 1);
    EXPECT_EQ(rep->TextWidth(courier, ""), 1);
    EXPECT_EQ(rep->TextHeight(courier, "x"), rep->TextHeight(courier, "Kontrolle und mehr"));
    EXPECT_EQ(rep->TextHeight(courier, ""), f->metrics().height);
}

TEST_F(Printables, AutoSizedLabelsFollowTheirWidestLine)
{
    auto* l = in<TQRLabel>(detail);
    TQRFont courier;
    courier.Name = "Courier New";
    courier.SetSize(8);
    l->SetFont(courier);
    l->SetCaption("Kontrolle");
    EXPECT_EQ(l->Width(), 64);  // 9 characters of 7 pixels, plus 1
    // Line feeds are dropped; carriage returns break the caption.
    l->SetCaption("ab\r\nKontrolle\nx");
    EXPECT_EQ(l->FormattedLines(), (std::vector<std::string>{"ab", "Kontrollex"}));
    EXPECT_EQ(l->Width(), 71);
    l->SetFontSize(16);
    EXPECT_GT(l->Width(), 64);
    l->SetAutoSize(false);
    l->SetWidth(30);
    l->SetCaption("a much longer caption");
    EXPECT_EQ(l->Width(), 30);
}

TEST_F(Printables, CaptionKeepsItsMirrors)
{
    auto* l = in<TQRLabel>(detail);
    l->SetCaption("Grüße");
    EXPECT_EQ(l->PrintCaption(), "Grüße");
    EXPECT_EQ(l->Widecaption(), u"Grüße");
}

TEST_F(Printables, LabelCaptionFollowsItsName)
{
    auto* l = in<TQRLabel>(detail);
    l->SetName("QRLabel1");
    EXPECT_EQ(l->Caption(), "QRLabel1");
    l->SetCaption("own text");
    l->SetName("QRLabel2");
    EXPECT_EQ(l->Caption(), "own text");
}

// A fill step sets a memo's lines before every run: the same lines keep
// their wrapping, other lines (or the same at another width) wrap anew.
TEST_F(Printables, MemoLinesSetAgainWrapOnlyWhenTheyChanged)
{
    auto* m = in<TQRMemo>(detail);
    m->SetAutoSize(false);
    m->SetWidth(60);
    const std::vector<std::string> lines = {"one two three four five six", "x"};
    m->SetLines(lines);
    const std::vector<std::string> wrapped = m->FormattedLines();
    ASSERT_GT(wrapped.size(), 2u);
    m->SetLines(std::vector<std::string>(lines));
    EXPECT_EQ(m->FormattedLines(), wrapped);
    m->SetLines({"one two three four five six seven eight nine ten", "x"});
    EXPECT_GT(m->FormattedLines().size(), wrapped.size());
    m->SetLines(lines);
    EXPECT_EQ(m->FormattedLines(), wrapped);
    m->SetWidth(400);
    m->SetLines(lines);
    EXPECT_EQ(m->FormattedLines(), lines);
}

TEST_F(Printables, MemoPrintsItsLinesNotItsCaption)
{
    auto* m = in<TQRMemo>(detail);
    m->SetName("QRMemo1");
    m->SetAutoSize(false);
    m->SetWidth(200);
    m->SetLines({"first", "", "third"});
    EXPECT_EQ(m->FormattedLines(), (std::vector<std::string>{"first", "", "third"}));
    m->BeginPrinting();
    EXPECT_TRUE(m->Caption().empty());
    EXPECT_TRUE(m->IsPrinting());
    EXPECT_EQ(m->FormattedLines().size(), 3u);
    m->EndPrinting();
    EXPECT_EQ(m->Caption(), "QRMemo1");
    EXPECT_FALSE(m->IsPrinting());
}

TEST_F(Printables, LabelBeginPrintingRefreshesThePrintCaption)
{
    auto* l = in<TQRLabel>(detail);
    l->SetCaption("Seite 1");
    l->BeginPrinting();
    EXPECT_EQ(l->PrintCaption(), "Seite 1");
    EXPECT_EQ(l->CurrentLine(), 0);
    l->EndPrinting();
}

struct ExprCase {
    const char* expression;
    const char* value;
};

class ExprValue : public Printables, public ::testing::WithParamInterface<ExprCase> {};

TEST_P(ExprValue, ShowsPlainValues)
{
    rep->SetReportTitle("Dr. O'Neill");
    rep->Functions().Set("PAGENUMBER", "3");
    auto* e = in<TQRExpr>(detail);
    e->SetExpression(GetParam().expression);
    EXPECT_EQ(e->Value(), GetParam().value);
    EXPECT_EQ(e->FormattedLines(), std::vector<std::string>{GetParam().value});
}

INSTANTIATE_TEST_SUITE_P(Values, ExprValue,
                         ::testing::Values(ExprCase{"PAGENUMBER", "3"}, ExprCase{" pagenumber ", "3"},
                                           ExprCase{"COLUMNNUMBER", "0"}, ExprCase{"REPORTTITLE", "Dr. O'Neill"},
                                           ExprCase{"'It''s'", "It's"}, ExprCase{"12.5", "12.5"},
                                           ExprCase{"'a' + 'b'", ""}, ExprCase{"SUM(X)", ""}, ExprCase{"", ""}));

// --- data sets and pictures --------------------------------------------------

TEST(MemoryDataSet, WalksItsRecords)
{
    TQRMemoryDataSet ds({"Name", "Ort"});
    ds.AddRecord({"Anna", "Bonn"});
    ds.AddRecord({"Bert"});
    EXPECT_TRUE(ds.Eof());  // closed
    EXPECT_EQ(ds.RecordCount(), 0);
    ds.Open();
    EXPECT_EQ(ds.RecordCount(), 2);
    std::vector<std::string> seen;
    for (ds.First(); !ds.Eof(); ds.Next())
        seen.push_back(ds.FieldByName("Name") + "/" + ds.FieldByName("Ort"));
    EXPECT_EQ(seen, (std::vector<std::string>{"Anna/Bonn", "Bert/"}));
    ds.Next();
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(ds.FieldByName("Name"), "");
    EXPECT_FALSE(ds.HasField("PLZ"));
    TQRMemoryDataSet empty({"A"});
    empty.Open();
    EXPECT_TRUE(empty.Eof());
}

TEST_F(Printables, DataBoundPictureLoadsFromTheCurrentRecord)
{
    TQRMemoryDataSet ds({"Bild"});
    ds.AddRecord({std::string("\x89PNG", 4)});
    auto* img = in<TQRDBImage>(detail);
    img->DataSet = &ds;
    img->DataField = "Bild";
    img->LoadPicture();
    EXPECT_TRUE(img->Picture().Empty());  // not open yet
    ds.Open();
    img->LoadPicture();
    EXPECT_EQ(img->Picture().Data.size(), 4u);
    img->DataField = "Fehlt";
    img->LoadPicture();
    EXPECT_TRUE(img->Picture().Empty());
    rep->SetDataSet(&ds);
    EXPECT_EQ(rep->DataSet(), &ds);
}

} // namespace
