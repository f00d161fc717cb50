// Report runs on small reports built in code, read back page by page from
// the recorded pages.

#include "pages/QRPrinter.h"
#include "platform/printing/FakePrinterDriver.h"
#include "report/QRBands.h"
#include "report/QRComposite.h"
#include "report/QRDataSet.h"
#include "report/QRDraw.h"
#include "report/QRLabels.h"
#include "report/QRReport.h"
#include "report/QRShapes.h"
#include "report/QRUnits.h"
#include "support/PageContent.h"
#include "support/SmallReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zt::report;
using zt::testing::PageContent;
using zt::testing::readPageContent;

namespace {

class ReportRun : public zt::testing::SmallReportTest {
protected:
    std::vector<PageContent> run()
    {
        rep->Prepare();
        std::vector<PageContent> pages;
        for (int i = 1; i <= rep->QRPrinter->PageCount(); ++i)
            pages.push_back(readPageContent(*rep->QRPrinter->GetPage(i)));
        return pages;
    }
    static std::vector<std::string> textsOf(const std::vector<PageContent>& pages)
    {
        std::vector<std::string> all;
        for (const PageContent& p : pages)
            for (const std::string& s : p.strings())
                all.push_back(s);
        return all;
    }
    static int y(long double native) { return static_cast<int>(Round(native * 96.0L / 254.0L)); }

};

TEST_F(ReportRun, WithoutDataTitleDetailAndSummaryPrintOnceEach)
{
    label(band(rbTitle, 10), "title");
    label(band(rbDetail, 10), "detail");
    label(band(rbSummary, 10), "summary");
    const auto pages = run();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].strings(), (std::vector<std::string>{"title", "detail", "summary"}));
    // Bands stack from the top margin: 100, 200, 300 tenths of a millimetre.
    EXPECT_EQ(pages[0].find("title")->y, y(100));
    EXPECT_EQ(pages[0].find("detail")->y, y(200));
    EXPECT_EQ(pages[0].find("summary")->y, y(300));
}

TEST_F(ReportRun, WithoutPrintIfEmptyNothingAtAllIsPrinted)
{
    label(band(rbDetail, 10), "detail");
    rep->SetPrintIfEmpty(false);
    EXPECT_TRUE(run().empty());
}

TEST_F(ReportRun, EveryRecordPrintsItsDetailAndAnEmptySetOnlyWithPrintIfEmpty)
{
    TQRMemoryDataSet data({"name"});
    for (const char* n : {"a", "b", "c"})
        data.AddRecord({n});
    data.Open();
    rep->SetDataSet(&data);
    TQRCustomBand* detail = band(rbDetail, 10);
    TQRLabel* l = label(detail, "");
    detail->BeforePrint = [&](TQRCustomBand*, bool&) { l->SetCaption(data.FieldByName("name")); };
    EXPECT_EQ(textsOf(run()), (std::vector<std::string>{"a", "b", "c"}));

    TQRMemoryDataSet empty({"name"});
    empty.Open();
    rep->SetDataSet(&empty);
    label(band(rbSummary, 10), "summary");
    // The detail prints once; its empty caption draws nothing.
    EXPECT_EQ(textsOf(run()), (std::vector<std::string>{"summary"}));
    rep->SetPrintIfEmpty(false);
    rep->Prepare();
    EXPECT_EQ(rep->QRPrinter->PageCount(), 0);
}

TEST_F(ReportRun, ARulePrintsOneLineAndADataPictureItsRecordsPictureIfAny)
{
    const unsigned char bmp[] = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0,
                                 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 0, 0, 0, 0};
    TQRMemoryDataSet data({"bild"});
    data.AddRecord({std::string(reinterpret_cast<const char*>(bmp), sizeof bmp)});
    data.AddRecord({""});
    data.Open();
    rep->SetDataSet(&data);
    TQRCustomBand* detail = band(rbDetail, 20);
    auto* rule = new TQRHRule(&form);
    rule->SetParent(detail);
    rule->Size().SetWidth(50);
    rule->Size().SetHeight(4);
    auto* picture = new TQRGrDBImage(&form);
    picture->SetParent(detail);
    picture->Size().SetLeft(60);
    picture->Size().SetWidth(20);
    picture->Size().SetHeight(10);
    picture->DataSet = &data;
    picture->DataField = "bild";
    const std::vector<PageContent> pages = run();
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].lines.size(), 2u);
    for (const auto& line : pages[0].lines) {
        EXPECT_EQ(line.y1, line.y2);
        EXPECT_GT(line.x2 - line.x1, 0);
    }
    EXPECT_EQ(pages[0].pictures, 1);
}

TEST_F(ReportRun, NeedDataDrivesTheRecords)
{
    TQRLabel* l = label(band(rbDetail, 10), "");
    int n = 0;
    rep->OnNeedData = [&](TQRComponent*, bool& more) {
        more = n < 4;
        l->SetCaption("record " + std::to_string(++n));
    };
    EXPECT_EQ(textsOf(run()), (std::vector<std::string>{"record 1", "record 2", "record 3", "record 4"}));
}

TEST_F(ReportRun, PageHeadersAndFootersFollowTheOptions)
{
    label(band(rbPageHeader, 10), "header");
    label(band(rbPageFooter, 10), "footer");
    TQRLabel* l = label(band(rbDetail, 100), "");
    int n = 0;
    rep->OnNeedData = [&](TQRComponent*, bool& more) {
        more = n < 5;
        l->SetCaption("d" + std::to_string(++n));
    };
    // 297 - 20 mm margins - 10 mm footer leave room for two 100 mm details
    // below the header of pages 2 and 3 (and page 1 has none).
    auto pages = run();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].strings(), (std::vector<std::string>{"d1", "d2", "footer"}));
    EXPECT_EQ(pages[1].strings(), (std::vector<std::string>{"header", "d3", "d4", "footer"}));
    EXPECT_EQ(pages[2].strings(), (std::vector<std::string>{"header", "d5"}));
    EXPECT_EQ(pages[1].find("footer")->y, y(2970 - 100 - 100));

    n = 0;
    rep->Options = FirstPageHeader | LastPageFooter;
    pages = run();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].strings().front(), "header");
    EXPECT_EQ(pages[2].strings().back(), "footer");
}

TEST_F(ReportRun, AStretchingMemoContinuesAtItsPlaceInTheBand)
{
    label(band(rbTitle, 200), "title");
    TQRCustomBand* detail = band(rbDetail, 20);
    // 13 lines fit on page 1 below the 200 mm title, 64 on page 2.
    memo(detail, 70, 5, 10);
    label(band(rbPageFooter, 10), "footer");
    const auto pages = run();
    ASSERT_EQ(pages.size(), 2u);
    std::vector<std::string> expected;
    for (int i = 1; i <= 70; ++i)
        expected.push_back("line " + std::to_string(i));
    std::vector<std::string> printed;
    for (const auto& s : textsOf(pages))
        if (s.starts_with("line "))
            printed.push_back(s);
    EXPECT_EQ(printed, expected);
    // Page 2 starts at the top margin plus the memo's offset in its band.
    const PageContent& second = pages[1];
    EXPECT_EQ(second.texts.front().y, y(100 + 50));
    // Page 1 stops before the footer's reserve.
    int lowest = 0;
    for (const auto& t : pages[0].texts)
        if (t.text.starts_with("line "))
            lowest = std::max(lowest, t.y);
    EXPECT_LT(lowest, y(2970 - 100 - 100));
    EXPECT_EQ(pages[0].strings().back(), "footer");
}

TEST_F(ReportRun, AStretchThatCannotGrowOnAFreshPageEnds)
{
    // The band fills the page; its memo is shorter than one line, so no line
    // ever fits and no page can make room.
    TQRCustomBand* detail = band(rbDetail, 276);
    memo(detail, 5, 0, 1);
    const auto pages = run();
    EXPECT_LE(pages.size(), 2u);
    EXPECT_TRUE(rep->Available);
}

TEST_F(ReportRun, ABandTallerThanThePagePrintsWithoutABreak)
{
    label(band(rbTitle, 10), "title");
    label(band(rbDetail, 400), "tall");
    const auto pages = run();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].strings(), (std::vector<std::string>{"title", "tall"}));
}

TEST_F(ReportRun, ForcedPagesSkipTheFirstAfterTheTitle)
{
    label(band(rbTitle, 10), "title");
    TQRCustomBand* detail = band(rbDetail, 10);
    detail->ForceNewPage = true;
    TQRLabel* l = label(detail, "");
    int n = 0;
    rep->OnNeedData = [&](TQRComponent*, bool& more) {
        more = n < 3;
        l->SetCaption("d" + std::to_string(++n));
    };
    const auto pages = run();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].strings(), (std::vector<std::string>{"title", "d1"}));
    EXPECT_EQ(pages[2].strings(), (std::vector<std::string>{"d3"}));
}

TEST_F(ReportRun, GroupsPrintHeadersAndFootersAroundTheirRecords)
{
    TQRMemoryDataSet data({"city", "name"});
    data.AddRecord({"Bonn", "a"});
    data.AddRecord({"Bonn", "b"});
    data.AddRecord({"Köln", "c"});
    data.Open();
    rep->SetDataSet(&data);
    TQRCustomBand* detail = band(rbDetail, 10);
    TQRLabel* name = label(detail, "");
    detail->BeforePrint = [&](TQRCustomBand*, bool&) { name->SetCaption(data.FieldByName("name")); };
    auto* group = new TQRGroup(&form);
    group->SetParent(rep);
    group->Size().SetHeight(10);
    group->Expression = "city";
    group->SetMaster(rep);
    TQRLabel* head = label(group, "");
    group->BeforePrint = [&](TQRCustomBand*, bool&) { head->SetCaption("[" + data.FieldByName("city")); };
    auto* footer = new TQRBand(&form);
    footer->SetParent(rep);
    footer->SetBandType(rbGroupFooter);
    footer->Size().SetHeight(10);
    label(footer, "]");
    group->SetFooterBand(footer);
    EXPECT_EQ(textsOf(run()), (std::vector<std::string>{"[Bonn", "a", "b", "]", "[Köln", "c", "]"}));
}

TEST_F(ReportRun, ColumnsFillTopToBottomThenAcross)
{
    rep->Page().SetColumns(2);
    rep->Page().SetColumnSpace(10);
    TQRCustomBand* detail = band(rbDetail, 100);
    TQRLabel* l = label(detail, "");
    l->Size().SetWidth(50);
    int n = 0;
    rep->OnNeedData = [&](TQRComponent*, bool& more) {
        more = n < 4;
        l->SetCaption("d" + std::to_string(++n));
    };
    const auto pages = run();
    ASSERT_EQ(pages.size(), 1u);
    const PageContent& p = pages[0];
    EXPECT_EQ(p.find("d3")->y, p.find("d1")->y);
    EXPECT_GT(p.find("d3")->x, p.find("d1")->x);
    EXPECT_EQ(p.find("d4")->x, p.find("d3")->x);
}

TEST_F(ReportRun, ChildBandsPrintBeforeOrAfterTheirParent)
{
    TQRCustomBand* detail = band(rbDetail, 10);
    label(detail, "parent");
    auto* before = new TQRChildBand(&form);
    before->SetParent(rep);
    before->SetParentBand(detail);
    before->Size().SetHeight(10);
    before->PrintOrder = cboBeforeAndAfter;
    label(before, "child");
    EXPECT_EQ(textsOf(run()), (std::vector<std::string>{"child", "parent", "child"}));
}

TEST_F(ReportRun, PagePrintablesPrintOnEveryPageAtPaperPositions)
{
    TQRLabel* l = label(band(rbDetail, 200), "");
    int n = 0;
    rep->OnNeedData = [&](TQRComponent*, bool& more) {
        more = n < 2;
        l->SetCaption("d" + std::to_string(++n));
    };
    auto* mark = new TQRShape(&form);
    mark->SetParent(rep);
    mark->SetShape(TQRShapeType::qrsHorLine);
    mark->Size().SetLeft(0);
    mark->Size().SetTop(100);
    mark->Size().SetWidth(8);
    mark->Size().SetHeight(4);
    const auto pages = run();
    ASSERT_EQ(pages.size(), 2u);
    for (const auto& p : pages) {
        ASSERT_EQ(p.lines.size(), 1u);
        EXPECT_EQ(p.lines[0].y1, y(1020));
        EXPECT_EQ(p.lines[0].x1, 0);
        EXPECT_EQ(p.lines[0].x2, y(80));
    }
}

TEST_F(ReportRun, AFixedLabelPrintsOnlyTheLinesThatFit)
{
    TQRLabel* l = label(band(rbDetail, 20), "first\rsecond");
    EXPECT_EQ(l->FormattedLines().size(), 2u);
    EXPECT_EQ(textsOf(run()), (std::vector<std::string>{"first"}));
    EXPECT_TRUE(l->PrintFinished());
}

TEST_F(ReportRun, ARightAlignedAutoSizedLabelKeepsItsRightEdge)
{
    TQRLabel* l = label(band(rbDetail, 10), "short");
    l->SetAlignment(TAlignment::taRightJustify);
    l->SetAutoSize(true);
    const int edge = run()[0].find("short")->x;
    l->SetCaption("a much longer caption");
    EXPECT_EQ(run()[0].find("a much longer caption")->x, edge);
    l->SetCaption("x");
    EXPECT_EQ(run()[0].find("x")->x, edge);
}

TEST_F(ReportRun, TwoPreparesGiveTheSamePagesAndFireBeforePrintEachTime)
{
    label(band(rbDetail, 10), "d");
    int fired = 0;
    rep->BeforePrint = [&](TCustomBandoriaRep*, bool&) { ++fired; };
    const auto first = run();
    const auto second = run();
    EXPECT_EQ(first.size(), second.size());
    EXPECT_EQ(fired, 2);
}

TEST_F(ReportRun, BeforePrintCanStopTheRunBeforeAnyPage)
{
    label(band(rbDetail, 10), "d");
    rep->BeforePrint = [&](TCustomBandoriaRep*, bool& print) { print = false; };
    rep->Prepare();
    EXPECT_EQ(rep->QRPrinter->PageCount(), 0);
    EXPECT_TRUE(rep->Available);
}

TEST_F(ReportRun, UserCancelEndsTheRecordsAfterTheCurrentOne)
{
    TQRCustomBand* detail = band(rbDetail, 10);
    TQRLabel* l = label(detail, "");
    int n = 0;
    rep->OnNeedData = [&](TQRComponent*, bool& more) {
        more = n < 10;
        l->SetCaption("d" + std::to_string(++n));
    };
    detail->AfterPrint = [&](TQRCustomBand*, bool) {
        if (n == 2)
            rep->UserCancel = true;
    };
    EXPECT_EQ(textsOf(run()), (std::vector<std::string>{"d1", "d2"}));
}

TEST_F(ReportRun, CancelStopsTheRunAndEndsNoPage)
{
    TQRCustomBand* detail = band(rbDetail, 10);
    label(band(rbPageFooter, 10), "footer");
    TQRLabel* l = label(detail, "");
    int n = 0;
    rep->OnNeedData = [&](TQRComponent*, bool& more) {
        more = n < 10;
        l->SetCaption("d" + std::to_string(++n));
        if (n == 3)
            rep->Cancel();
    };
    // The third record was asked for; the loop stops before printing it.
    const auto texts = textsOf(run());
    EXPECT_EQ(texts, (std::vector<std::string>{"d1", "d2"}));
    EXPECT_TRUE(rep->Cancelled);
    EXPECT_TRUE(rep->Available);
}

TEST_F(ReportRun, ABusyReportIgnoresASecondOperation)
{
    label(band(rbDetail, 10), "d");
    int nested = -1;
    rep->BeforePrint = [&](TCustomBandoriaRep*, bool&) {
        if (nested == -1) {
            nested = 0;
            zt::pages::TQRPrinter* during = rep->QRPrinter;
            rep->Prepare();
            nested = rep->QRPrinter == during ? 1 : 2;
        }
    };
    run();
    EXPECT_EQ(nested, 1);
}

TEST(FrameThickness, FollowsTheDeviceResolution)
{
    TQRFrame frame;
    frame.SetWidth(1);
    EXPECT_EQ(FrameThickness(frame, 600.0L / 254.0L), 8);
    EXPECT_EQ(FrameThickness(frame, 96.0L / 254.0L), 1);
    frame.SetWidth(-1);
    EXPECT_EQ(FrameThickness(frame, 600.0L / 254.0L), 1);
    frame.SetWidth(0);
    EXPECT_EQ(FrameThickness(frame, 600.0L / 254.0L), 0);
}

} // namespace

namespace {

TEST_F(ReportRun, AChainGoesOnWhereTheReportBeforeLeftOffAndCountsOnItsPages)
{
    label(band(rbDetail, 10), "first");
    label(band(rbPageFooter, 10), "footer one");
    auto* second = new TBandoriaRep(&form);
    second->SetUnits(TQRUnit::MM);
    label(band(rbDetail, 10), "unused");  // a second detail of the first report is never printed
    auto* b = second->CreateBand(rbDetail);
    b->Size().SetHeight(10);
    label(b, "second");
    auto* footer = second->CreateBand(rbPageFooter);
    footer->Size().SetHeight(10);
    label(footer, "footer two");
    TQRCompositeReport composite(&form);
    composite.OnAddReports = [&](TQRComponent*) {
        composite.AddReport(rep);
        composite.AddReport(second);
    };
    std::vector<std::string> started;
    composite.OnStartReport = [&](TQRComponent* r) { started.push_back(r->Name()); };
    std::vector<int> pages;
    second->OnStartPage = [&](TCustomBandoriaRep* r) { pages.push_back(r->PageNumber); };

    // Without a page of its own the second report prints under the first's
    // detail, and ends the page the chain shares.
    rep->PageNumber = 7;  // left from an earlier run: a chain starts at page 1
    composite.Prepare();
    ASSERT_NE(composite.QRPrinter(), nullptr);
    ASSERT_EQ(composite.QRPrinter()->PageCount(), 1);
    const auto shared = readPageContent(*composite.QRPrinter()->GetPage(1));
    EXPECT_EQ(shared.strings(), (std::vector<std::string>{"first", "second", "footer two"}));
    EXPECT_GT(shared.find("second")->y, shared.find("first")->y);
    EXPECT_EQ(second->PageNumber, 1);
    EXPECT_EQ(started.size(), 2u);

    // With one, it ends the first report's page and counts on from there.
    second->StartNewPageInComposite = true;
    composite.Prepare();
    ASSERT_EQ(composite.QRPrinter()->PageCount(), 2);
    const auto one = readPageContent(*composite.QRPrinter()->GetPage(1));
    const auto two = readPageContent(*composite.QRPrinter()->GetPage(2));
    EXPECT_EQ(one.strings(), (std::vector<std::string>{"first", "footer two"}));
    EXPECT_EQ(two.strings(), (std::vector<std::string>{"second", "footer two"}));
    EXPECT_EQ(pages, (std::vector<int>{2}));
    EXPECT_EQ(second->PageNumber, 2);
}

TEST_F(ReportRun, AReportOfAChainPrintsAsTheChainInOneJob)
{
    auto driver = zt::platform::printing::installFakePrinterDriver();
    label(band(rbDetail, 10), "first");
    auto* second = new TBandoriaRep(&form);
    second->SetUnits(TQRUnit::MM);
    second->ShowProgress = false;
    auto* b = second->CreateBand(rbDetail);
    b->Size().SetHeight(10);
    label(b, "second");
    second->StartNewPageInComposite = true;
    TQRCompositeReport composite(&form);
    composite.AddReport(rep);
    composite.AddReport(second);
    composite.Prepare(); // the chain's run makes its reports its own
    second->Print();
    ASSERT_EQ(driver->Jobs().size(), 1u);
    ASSERT_EQ(driver->LastJob().pages.size(), 2u);
    EXPECT_EQ(readPageContent(driver->LastJob().pages[0].drawing).strings(), (std::vector<std::string>{"first"}));
    EXPECT_EQ(readPageContent(driver->LastJob().pages[1].drawing).strings(), (std::vector<std::string>{"second"}));
    zt::platform::printing::setPrinterDriver(nullptr);
}

} // namespace

namespace {

TEST_F(ReportRun, OnPrintReplacesTheTextForThatPrintOnly)
{
    TQRLabel* l = label(band(rbDetail, 10), "stored");
    l->OnPrint = [](TQRComponent*, std::string& value) { value = "printed"; };
    EXPECT_EQ(textsOf(run()), (std::vector<std::string>{"printed"}));
    EXPECT_EQ(l->PrintCaption(), "stored");
}

TEST_F(ReportRun, FullJustificationSpreadsWordsOnlyWithinMaxBreakChars)
{
    TQRLabel* l = label(band(rbDetail, 10), "ab cd ef");
    l->FullJustify = true;
    l->MaxBreakChars = 0;
    auto words = run()[0].texts;
    ASSERT_EQ(words.size(), 3u);
    const int single = words[1].x - words[0].x;
    l->MaxBreakChars = 1000;
    words = run()[0].texts;
    ASSERT_EQ(words.size(), 3u);
    EXPECT_GT(words[1].x - words[0].x, single);
    // The last word ends near the label's right edge (100 mm wide).
    EXPECT_GT(words[2].x, y(100 + 800));
}

} // namespace
