// The PDF filter's own shape: placed in a report and exported, it gives the
// lines a report's shape of the same kind, box, pen and brush gives.

#include "export/PdfExport.h"
#include "export/QRPDFShape.h"
#include "pages/QRPrinter.h"
#include "report/QRShapes.h"
#include "support/PageContent.h"
#include "support/SmallReport.h"

#include <gtest/gtest.h>

#include <string>

using namespace zt::report;
using namespace zt::exporting;
using zt::testing::PdfFile;
using zt::testing::ScratchFolder;
using zt::testing::exportPdf;

namespace {

class PdfShapes : public zt::testing::SmallReportTest, public ::testing::WithParamInterface<TQRShapeType> {
protected:
    // The page's content stream of a report holding one shape of class T.
    template <class T>
    std::string exported(const std::string& name)
    {
        TQRForm f;
        auto* r = new TBandoriaRep(&f);
        r->SetUnits(TQRUnit::MM);
        r->Options = 0;
        r->ShowProgress = false;
        TQRCustomBand* b = r->CreateBand(rbDetail);
        b->Size().SetHeight(30);
        b->TransparentBand = true;
        auto* s = new T(&f);
        s->SetParent(b);
        s->Size().SetLeft(20);
        s->Size().SetTop(5);
        s->Size().SetWidth(40);
        s->Size().SetHeight(20);
        s->SetShape(GetParam());
        s->SetBrush({clRed, TBrushStyle::bsSolid});
        s->SetPen({TColor{0xFF0000}, TPenStyle::psSolid, 2}); // blue
        const PdfFile doc = exportPdf(*r, scratch.file(name));
        return doc.streamOf(5);
    }
    ScratchFolder scratch{"pdf-shapes"};
};

TEST_P(PdfShapes, TheFiltersShapeGivesTheLinesOfTheReportsShape)
{
    const std::string plain = exported<TQRShape>("shape.pdf");
    const std::string own = exported<TQRPDFShape>("pdfshape.pdf");
    EXPECT_EQ(own, plain);
    if (GetParam() == TQRShapeType::qrsRoundRect)
        return; // written as nothing
    // The stroke colour of the outline: blue.
    EXPECT_NE(own.find("0.00 0.00 1.00 RG"), std::string::npos) << own;
    if (GetParam() == TQRShapeType::qrsRectangle || GetParam() == TQRShapeType::qrsCircle) {
        EXPECT_NE(own.find("1.00 0.00 0.00 rg"), std::string::npos) << own;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, PdfShapes,
                         ::testing::Values(TQRShapeType::qrsRectangle, TQRShapeType::qrsCircle,
                                           TQRShapeType::qrsVertLine, TQRShapeType::qrsHorLine,
                                           TQRShapeType::qrsTopAndBottom, TQRShapeType::qrsRightAndLeft,
                                           TQRShapeType::qrsRoundRect, TQRShapeType::qrsLeftDiagonal,
                                           TQRShapeType::qrsRightDiagonal));

class PdfShapeOnThePage : public zt::testing::SmallReportTest {};

TEST_F(PdfShapeOnThePage, ItPrintsOnTheRecordedPageAsWell)
{
    auto* s = new TQRPDFShape(&form);
    s->SetParent(band(rbDetail, 30));
    s->Size().SetWidth(40);
    s->Size().SetHeight(20);
    rep->Prepare();
    ASSERT_EQ(rep->QRPrinter->PageCount(), 1);
    const auto page = zt::testing::readPageContent(*rep->QRPrinter->GetPage(1));
    // The shape's box (the band's background is a fill, not a rectangle).
    EXPECT_EQ(page.rectangles, 1);
}

} // namespace
