// The printed letter's report definition as the program builds it.

#include "output/uFrmReport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace zt::report;
using zt::output::TfrmReport;

namespace {

class LetterReport : public ::testing::Test {
protected:
    std::unique_ptr<TfrmReport> form = std::make_unique<TfrmReport>();
    TBandoriaRep& rep = *form->BandoriaRep1;
};

TEST_F(LetterReport, BandListHoldsTitleDetailChildAndFooterAtFullWidth)
{
    const auto& bands = rep.BandList();
    ASSERT_EQ(bands.size(), 4u);
    EXPECT_EQ(bands[0], form->TitleBand1);
    EXPECT_EQ(bands[1], form->DetailBand1);
    EXPECT_EQ(bands[2], form->QRChildBand1);
    EXPECT_EQ(bands[3], form->PageFooterBand1);
    for (TQRCustomBand* b : bands) {
        EXPECT_EQ(b->Width(), 662) << b->Name();
        EXPECT_EQ(b->Left(), 94) << b->Name();
        EXPECT_DOUBLE_EQ(static_cast<double>(b->Size().Value(TQRBandSize::iWidth)), 1751.5416666666667);
    }
}

TEST_F(LetterReport, BandsStackFromTheTopMargin)
{
    // 5 mm top margin at 96 pixels per inch.
    EXPECT_EQ(form->TitleBand1->Top(), 19);
    EXPECT_EQ(form->TitleBand1->Height(), 382);  // 101.07 mm
    EXPECT_EQ(form->DetailBand1->Top(), 19 + 382);
    EXPECT_EQ(form->QRChildBand1->Top(), form->DetailBand1->Top() + form->DetailBand1->Height());
}

TEST_F(LetterReport, PageSetupIsA4WithTheLetterMargins)
{
    TQRPage& p = rep.Page();
    EXPECT_EQ(p.PaperSize(), TQRPaperSize::A4);
    EXPECT_EQ(p.Units(), TQRUnit::MM);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.BottomMargin()), 10.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.Length()), 297.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.TopMargin()), 5.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.Width()), 210.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.LeftMargin()), 25.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.RightMargin()), 10.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.ColumnSpace()), 0.0);
    EXPECT_EQ(rep.Width(), 794);
    EXPECT_EQ(rep.Height(), 1123);
    EXPECT_EQ(rep.Options, FirstPageHeader | LastPageFooter);
    EXPECT_TRUE(rep.PrintIfEmpty());
    EXPECT_EQ(rep.ReportTitle(), "Zettelino für Windows");
    EXPECT_EQ(*rep.Functions().Find("REPORTTITLE"), "'Zettelino für Windows'");
    EXPECT_FALSE(form->Scaled());
}

TEST_F(LetterReport, PageMarksSitOnTheReportFromThePaperCorner)
{
    const auto marks = rep.PagePrintables();
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0], form->shapeFalt1);
    EXPECT_EQ(marks[1], form->shapeLoch);
    for (auto* s : {form->shapeFalt1, form->shapeLoch}) {
        EXPECT_EQ(s->Shape(), TQRShapeType::qrsHorLine);
        EXPECT_EQ(s->ParentBand(), nullptr);
        EXPECT_EQ(s->Left(), 0);
    }
    // 86.25 mm below the paper's top edge, whatever the top margin.
    EXPECT_DOUBLE_EQ(static_cast<double>(form->shapeFalt1->Size().Top()), 86.25);
    EXPECT_EQ(form->shapeFalt1->Top(), 326);
    EXPECT_EQ(form->shapeLoch->Top(), 551);
}

TEST_F(LetterReport, ChildBandFollowsTheDetailBand)
{
    EXPECT_EQ(form->QRChildBand1->ParentBand(), form->DetailBand1);
    EXPECT_EQ(form->QRChildBand1->PrintOrder, cboAfterParent);
    EXPECT_TRUE(form->DetailBand1->HasChild());
    EXPECT_EQ(rep.Controller().Detail, form->DetailBand1);
    EXPECT_EQ(rep.Controller().Header, form->TitleBand1);
}

TEST_F(LetterReport, ElementsCarryTheirFontsAndSizing)
{
    EXPECT_EQ(form->QRLabelAbsender->Font().Name, "Arial");
    EXPECT_EQ(form->QRLabelAbsender->Font().Size(), 8);
    EXPECT_TRUE(form->QRLabelAbsender->Font().Has(fsUnderline));
    EXPECT_TRUE(form->QRLabelTitel1->Font().Has(fsBold));
    EXPECT_EQ(form->QRMemoMitteilung->Font().Name, "Courier New");
    EXPECT_TRUE(form->QRMemoMitteilung->AutoStretch);
    EXPECT_FALSE(form->QRMemoMitteilung->AutoSize());
    EXPECT_FALSE(form->qrLabelDatum->WordWrap());
    EXPECT_EQ(form->qrLabelDatum->Alignment(), TAlignment::taRightJustify);
    EXPECT_FALSE(form->QRLabel12->AutoSize());
    EXPECT_TRUE(form->QRLabel18->AutoSize());
    EXPECT_FALSE(form->QRLabel18->WordWrap());
    EXPECT_FALSE(form->QRMemoAbsender->Transparent());
    EXPECT_EQ(form->QRShape1->Pen().Color, clGray);
    EXPECT_FALSE(form->DetailBand1->Frame().AnyFrame());
    EXPECT_EQ(form->DetailBand1->Frame().Style(), TPenStyle::psDash);
}

TEST_F(LetterReport, LabelsSizedToTextKeepTheirStoredWidths)
{
    // Courier New 8 pt measures 7 pixels a character: "Kenntnisnahme" is
    // 13 x 7 + 1 = 92 pixels, the 24.34 mm the definition stores.
    EXPECT_EQ(form->QRLabel4->Width(), 92);
    EXPECT_EQ(form->QRLabel7->Width(), 64);
    EXPECT_NEAR(static_cast<double>(form->QRLabel4->Size().Width()), 24.34, 0.01);
    // Left and top keep their stored fractions when only the width moved.
    EXPECT_DOUBLE_EQ(static_cast<double>(form->QRLabel4->Size().Left()), 133.88);
}

TEST_F(LetterReport, RightAlignedPageCountGrowsToTheLeft)
{
    TQRLabel& l = *form->QRLabelPageCount;
    const int right = l.Left() + l.Width();
    l.SetCaption("Seite 10 von 12");
    EXPECT_EQ(l.Left() + l.Width(), right);
}

} // namespace
