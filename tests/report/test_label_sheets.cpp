// Label sheets that skip their first labels, and child bands that print
// only where their conditions say; read back from the recorded pages.

#include "pages/QRPrinter.h"
#include "report/QRDataSet.h"
#include "report/QRPChildBand.h"
#include "report/QRPReport.h"
#include "support/PageContent.h"
#include "support/SmallReport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace zt::report;
using zt::testing::PageContent;
using zt::testing::readPageContent;

namespace {

int px(long double native)
{
    return static_cast<int>(Round(native * 96.0L / 254.0L));
}

std::vector<PageContent> pagesOf(TCustomBandoriaRep& r)
{
    std::vector<PageContent> pages;
    for (int i = 1; i <= r.QRPrinter->PageCount(); ++i)
        pages.push_back(readPageContent(*r.QRPrinter->GetPage(i)));
    return pages;
}

// A4 with 10 mm margins in two columns of labels 50 mm high: five labels
// down each column.
class LabelSheet : public zt::testing::SmallReportTest {
protected:
    void SetUp() override
    {
        SmallReportTest::SetUp();
        sheet = new TQRPBandoriaRep(&form);
        sheet->SetUnits(TQRUnit::MM);
        TQRPage& p = sheet->Page();
        p.SetPaperSize(TQRPaperSize::A4);
        p.SetTopMargin(10);
        p.SetBottomMargin(10);
        p.SetLeftMargin(10);
        p.SetRightMargin(10);
        p.SetColumns(2);
        p.SetColumnSpace(10);
        sheet->Options = 0;
        sheet->ShowProgress = false;
        TQRCustomBand* detail = sheet->CreateBand(rbDetail);
        detail->Size().SetHeight(50);
        TQRLabel* name = label(detail, "");
        name->Size().SetWidth(50);
        for (int i = 1; i <= 4; ++i)
            data.AddRecord({"L" + std::to_string(i)});
        data.Open();
        sheet->SetDataSet(&data);
        detail->BeforePrint = [this, name](TQRCustomBand*, bool&) { name->SetCaption(data.FieldByName("name")); };
    }
    PageContent prepared()
    {
        sheet->Prepare();
        const auto pages = pagesOf(*sheet);
        EXPECT_EQ(pages.size(), 1u);
        return pages.empty() ? PageContent{} : pages[0];
    }
    // The first column's left edge and the second's (90 mm and a 10 mm gap
    // further, give or take the pixel the band width is held in), in pixels.
    static void expectColumn(const zt::testing::PageText* t, int n)
    {
        ASSERT_NE(t, nullptr);
        if (n == 1)
            EXPECT_EQ(t->x, px(100));
        else
            EXPECT_NEAR(t->x, px(100 + 900 + 100), 1);
    }

    TQRMemoryDataSet data{{"name"}};
    TQRPBandoriaRep* sheet = nullptr;
};

TEST_F(LabelSheet, WithoutSkippedLabelsTheFirstLabelIsTheSheetsFirst)
{
    const PageContent p = prepared();
    EXPECT_EQ(p.strings(), (std::vector<std::string>{"L1", "L2", "L3", "L4"}));
    EXPECT_EQ(p.find("L1")->y, px(100));
    expectColumn(p.find("L1"), 1);
}

TEST_F(LabelSheet, ThreeSkippedLabelsLeaveTheFirstThreePlacesBlank)
{
    sheet->LabelSettings.SkipLabels = 3;
    for (int pass = 0; pass < 2; ++pass) { // every run skips them anew
        const PageContent p = prepared();
        ASSERT_EQ(p.strings(), (std::vector<std::string>{"L1", "L2", "L3", "L4"}));
        expectColumn(p.find("L1"), 1);
        EXPECT_EQ(p.find("L1")->y, px(100 + 3 * 500));
        EXPECT_EQ(p.find("L2")->y, px(100 + 4 * 500));
        // The column is full: the third label tops the next one.
        expectColumn(p.find("L3"), 2);
        EXPECT_EQ(p.find("L3")->y, px(100));
        EXPECT_EQ(p.find("L4")->y, px(100 + 500));
    }
}

TEST_F(LabelSheet, SkippedLabelsFollowTheDetailBandsHeightAndTheSettingsOfEachRun)
{
    sheet->LabelSettings.SkipLabels = 6;
    PageContent p = prepared();
    expectColumn(p.find("L1"), 2);
    EXPECT_EQ(p.find("L1")->y, px(100 + 500));
    EXPECT_EQ(p.find("L4")->y, px(100 + 4 * 500));
    sheet->LabelSettings.SkipLabels = 1;
    sheet->FindBand(rbDetail)->Size().SetHeight(40);
    p = prepared();
    expectColumn(p.find("L1"), 1);
    EXPECT_EQ(p.find("L1")->y, px(100 + 400));
    EXPECT_EQ(p.find("L2")->y, px(100 + 800));
    sheet->LabelSettings.SkipLabels = 0;
    EXPECT_EQ(prepared().find("L1")->y, px(100));
}

TEST_F(LabelSheet, WithoutPreparingAutomaticallyOnlyPrepareLabelsInsertsTheBlanks)
{
    sheet->PrepareAutomatically = false;
    sheet->LabelSettings.SkipLabels = 2;
    EXPECT_EQ(prepared().find("L1")->y, px(100));
    EXPECT_EQ(sheet->LabelSkipBand(), nullptr);
    sheet->PrepareLabels();
    ASSERT_NE(sheet->LabelSkipBand(), nullptr);
    EXPECT_EQ(prepared().find("L1")->y, px(100 + 2 * 500));
}

// Six records of 100 mm, two to a page, each followed by a 5 mm child band.
class ConditionalChild : public zt::testing::SmallReportTest {
protected:
    void SetUp() override
    {
        SmallReportTest::SetUp();
        detail = band(rbDetail, 100);
        TQRLabel* name = label(detail, "");
        for (int i = 1; i <= 6; ++i)
            data.AddRecord({"R" + std::to_string(i), i % 3 == 0 ? "True" : "False"});
        data.Open();
        rep->SetDataSet(&data);
        detail->BeforePrint = [this, name](TQRCustomBand*, bool&) { name->SetCaption(data.FieldByName("name")); };
        child = new TQRPChildBand(&form);
        child->SetParent(rep);
        child->SetParentBand(detail);
        child->Size().SetHeight(5);
        TQRLabel* text = label(child, "");
        child->BeforePrint = [this, text](TQRCustomBand*, bool&) { text->SetCaption("after " + data.FieldByName("name")); };
    }
    // The texts of each page.
    std::vector<std::vector<std::string>> run()
    {
        rep->Prepare();
        std::vector<std::vector<std::string>> out;
        for (const PageContent& p : pagesOf(*rep))
            out.push_back(p.strings());
        return out;
    }
    TQRMemoryDataSet data{{"name", "show"}};
    TQRCustomBand* detail = nullptr;
    TQRPChildBand* child = nullptr;
};

TEST_F(ConditionalChild, WithoutConditionsItFollowsEveryRecord)
{
    const auto pages = run();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0], (std::vector<std::string>{"R1", "after R1", "R2", "after R2"}));
}

TEST_F(ConditionalChild, PagePrintsLimitsItPerPage)
{
    child->PagePrints = 1;
    for (int pass = 0; pass < 2; ++pass) { // the count starts anew with every run
        const auto pages = this->run();
        ASSERT_EQ(pages.size(), 3u);
        EXPECT_EQ(pages[0], (std::vector<std::string>{"R1", "after R1", "R2"}));
        EXPECT_EQ(pages[1], (std::vector<std::string>{"R3", "after R3", "R4"}));
        EXPECT_EQ(pages[2], (std::vector<std::string>{"R5", "after R5", "R6"}));
    }
}

TEST_F(ConditionalChild, NotOnFirstPageHoldsItBackOnPageOne)
{
    child->NotOnFirstPage = true;
    const auto pages = run();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0], (std::vector<std::string>{"R1", "R2"}));
    EXPECT_EQ(pages[1], (std::vector<std::string>{"R3", "after R3", "R4", "after R4"}));
}

TEST_F(ConditionalChild, ItsExpressionNamesAFieldOrAVariableThatMustHold)
{
    child->Expression = "show";
    auto pages = run();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0], (std::vector<std::string>{"R1", "R2"}));
    EXPECT_EQ(pages[1], (std::vector<std::string>{"R3", "after R3", "R4"}));
    EXPECT_EQ(pages[2], (std::vector<std::string>{"R5", "R6", "after R6"}));
    // A report variable: the page number is not 0 on any page.
    child->Expression = "PAGENUMBER";
    EXPECT_EQ(run()[0], (std::vector<std::string>{"R1", "after R1", "R2", "after R2"}));
    child->Expression = "False";
    EXPECT_EQ(run()[2], (std::vector<std::string>{"R5", "R6"}));
}

TEST_F(ConditionalChild, NotOnLastPageHoldsItBackUnderTheLastPagesFooter)
{
    child->SetParentBand(nullptr);
    child->SetParentBand(band(rbPageFooter, 10));
    child->NotOnLastPage = true;
    child->BeforePrint = nullptr;
    label(child, "more follows");
    rep->Options = LastPageFooter;
    const auto pages = run();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].back(), "more follows");
    EXPECT_EQ(pages[1].back(), "more follows");
    EXPECT_EQ(pages[2], (std::vector<std::string>{"R5", "R6"}));
}

// The data sets on the report's form exist for the run alone, nested ones
// too, and a child band's expression reads their fields.
TEST_F(ConditionalChild, TheFormsDataSetsServeTheExpressionDuringTheRunOnly)
{
    auto* settings = new TQRTable(&form, {"Fusszeile"});
    settings->SetName("Einstellungen");
    settings->AddRecord({"N"});
    settings->Open();
    auto* holder = new TQRComponent(&form);
    auto* nested = new TQRTable(holder, {"Extra"});
    EXPECT_EQ(rep->AllDataSets(), nullptr);

    std::vector<TQRDataSet*> seen;
    rep->BeforePrint = [&](TQRComponent*, bool&) { seen = *rep->AllDataSets(); };
    child->Expression = "Einstellungen.Fusszeile";
    EXPECT_EQ(run()[0], (std::vector<std::string>{"R1", "R2"}));
    EXPECT_EQ(seen, (std::vector<TQRDataSet*>{settings, nested}));
    EXPECT_EQ(rep->AllDataSets(), nullptr);

    // A bare name finds the field in the first set that has it.
    auto* more = new TQRTable(holder, {"Anhang"});
    more->AddRecord({"Ja"});
    more->Open();
    child->Expression = "Anhang";
    EXPECT_EQ(run()[0], (std::vector<std::string>{"R1", "after R1", "R2", "after R2"}));

    // A run that fails drops them as well.
    rep->BeforePrint = [](TQRComponent*, bool&) { throw std::runtime_error("abgebrochen"); };
    EXPECT_THROW(rep->Prepare(), std::runtime_error);
    EXPECT_EQ(rep->AllDataSets(), nullptr);
    EXPECT_TRUE(rep->Available);
}

} // namespace
