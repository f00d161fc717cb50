// What a run hands to a filter besides text: page, band and label
// backgrounds, frames as shapes, the band-high rules of shapes tagged 1000,
// the report's shapes and the band notices.

#include "export/ExportFixture.h"
#include "pages/QRPrinter.h"

using namespace zt::report;
using zt::testing::ExportReport;
using zt::testing::LoggedCall;
using zt::testing::LoggingFilter;

namespace {

int px(long double native)
{
    return static_cast<int>(Round(native * 0.37795L));
}

std::vector<LoggedCall> temporaries(const LoggingFilter& f)
{
    std::vector<LoggedCall> out;
    for (const auto& c : f.of("AcceptGraphic"))
        if (c.temporary)
            out.push_back(c);
    return out;
}

TEST_F(ExportReport, OpaqueBandGoesAsAFilledRectangleWithoutOutline)
{
    TQRCustomBand* b = band(rbDetail, 20);
    b->SetColor(clSilver);
    label(b, "x")->SetTransparent(true);
    LoggingFilter f;
    rep->ExportToFilter(&f);
    const auto t = temporaries(f);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].shape, TQRShapeType::qrsRectangle);
    EXPECT_EQ(t[0].brush.Style, TBrushStyle::bsSolid);
    EXPECT_EQ(t[0].brush.Color, clSilver);
    EXPECT_EQ(t[0].pen.Style, TPenStyle::psClear);
    EXPECT_EQ(t[0].x, px(100));
    EXPECT_EQ(t[0].y, px(100));
    EXPECT_EQ(t[0].width, px(2000) - px(100));
    EXPECT_EQ(t[0].height, px(300) - px(100));
}

TEST_F(ExportReport, TransparentBandAndWhiteOrTransparentLabelsSendNoBackground)
{
    TQRCustomBand* b = band(rbDetail, 20);
    b->TransparentBand = true;
    label(b, "white");
    label(b, "clear", 5)->SetTransparent(true);
    LoggingFilter f;
    rep->ExportToFilter(&f);
    EXPECT_TRUE(temporaries(f).empty());
    EXPECT_EQ(f.of("TextOut").size(), 2u);
}

TEST_F(ExportReport, ColouredLabelSendsItsBoxBeforeItsText)
{
    TQRCustomBand* b = band(rbDetail, 20);
    b->TransparentBand = true;
    TQRLabel* l = label(b, "rot", 5, 20);
    l->SetColor(clRed);
    LoggingFilter f;
    rep->ExportToFilter(&f);
    const auto t = temporaries(f);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].brush.Color, clRed);
    EXPECT_EQ(t[0].x, px(300));
    EXPECT_EQ(t[0].y, px(150));
    EXPECT_EQ(t[0].width, px(1300) - px(300));
    std::size_t box = 0, text = 0;
    for (std::size_t i = 0; i < f.calls.size(); ++i) {
        if (f.calls[i].temporary)
            box = i;
        if (f.calls[i].call == "TextOut")
            text = i;
    }
    EXPECT_LT(box, text);
}

TEST_F(ExportReport, FrameWithAllSidesIsOneOutlinedRectangle)
{
    TQRCustomBand* b = band(rbDetail, 20);
    b->TransparentBand = true;
    TQRLabel* l = label(b, "framed", 5, 20);
    l->SetTransparent(true);
    l->Frame().SetDrawTop(true);
    l->Frame().SetDrawBottom(true);
    l->Frame().SetDrawLeft(true);
    l->Frame().SetDrawRight(true);
    l->Frame().SetColor(clRed);
    LoggingFilter f;
    rep->ExportToFilter(&f);
    const auto t = temporaries(f);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].shape, TQRShapeType::qrsRectangle);
    EXPECT_EQ(t[0].brush.Style, TBrushStyle::bsClear);
    EXPECT_EQ(t[0].pen.Color, clRed);
    EXPECT_EQ(t[0].pen.Width, 1);
}

TEST_F(ExportReport, FrameSidesGoAsOneLineEachTopBottomLeftRight)
{
    TQRCustomBand* b = band(rbDetail, 20);
    b->TransparentBand = true;
    b->Frame().SetDrawTop(true);
    b->Frame().SetDrawBottom(true);
    b->Frame().SetDrawRight(true);
    LoggingFilter f;
    rep->ExportToFilter(&f);
    const auto t = temporaries(f);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].shape, TQRShapeType::qrsHorLine);
    EXPECT_EQ(t[0].y, px(100));
    EXPECT_EQ(t[1].shape, TQRShapeType::qrsHorLine);
    EXPECT_GT(t[1].y, t[0].y);
    EXPECT_EQ(t[2].shape, TQRShapeType::qrsVertLine);
    EXPECT_EQ(t[2].x + t[2].width, px(2100 - 100));
}

TEST_F(ExportReport, ShapeTagged1000RunsTheWholeStretchedBand)
{
    TQRCustomBand* b = band(rbDetail, 10);
    b->TransparentBand = true;
    memo(b, 10, 0, 5)->SetTransparent(true);
    auto* s = new TQRShape(&form);
    s->SetParent(b);
    s->SetShape(TQRShapeType::qrsVertLine);
    s->Size().SetLeft(160);
    s->Size().SetWidth(2);
    s->Size().SetHeight(10);
    s->Tag = 1000;
    s->SetPen({clRed, TPenStyle::psDash, 2});
    LoggingFilter f;
    rep->ExportToFilter(&f);
    const auto graphics = f.of("AcceptGraphic");
    ASSERT_EQ(graphics.size(), 2u);
    EXPECT_FALSE(graphics[0].temporary);  // the shape as it is
    const LoggedCall& line = graphics[1];
    EXPECT_TRUE(line.temporary);
    EXPECT_EQ(line.shape, TQRShapeType::qrsVertLine);
    EXPECT_EQ(line.pen.Style, TPenStyle::psSolid);
    EXPECT_EQ(line.pen.Width, 2);
    EXPECT_EQ(line.brush.Style, TBrushStyle::bsClear);
    EXPECT_EQ(line.y, px(100));
    // Ten lines stretched the band well past its 10 mm.
    EXPECT_GT(line.height, px(200));
}

TEST_F(ExportReport, PageBackgroundComesFirstOnEveryPage)
{
    rep->BackgroundColor = clSilver;
    TQRCustomBand* b = band(rbDetail, 10);
    b->TransparentBand = true;
    memo(b, 120, 0, 5)->SetTransparent(true);
    LoggingFilter f;
    rep->ExportToFilter(&f);
    int pages = 0;
    for (std::size_t i = 0; i + 1 < f.calls.size(); ++i)
        if (f.calls[i].call == "NewPage") {
            ++pages;
            const LoggedCall& next = f.calls[i + 1];
            EXPECT_EQ(next.call, "AcceptGraphic");
            EXPECT_TRUE(next.temporary);
            EXPECT_EQ(next.x, 0);
            EXPECT_EQ(next.y, 0);
            EXPECT_EQ(next.brush.Color, clSilver);
            EXPECT_EQ(next.width, px(2100));
            EXPECT_EQ(next.height, px(2970));
        }
    EXPECT_EQ(pages, 2);
}

TEST_F(ExportReport, ReportShapesGoAtTheirDeviceCornerAndBandsAreNoticed)
{
    TQRCustomBand* b = band(rbDetail, 10);
    b->TransparentBand = true;
    label(b, "x")->SetTransparent(true);
    auto* mark = new TQRShape(&form);
    mark->SetParent(rep);
    mark->SetShape(TQRShapeType::qrsHorLine);
    mark->Size().SetLeft(5);
    mark->Size().SetTop(105);
    mark->Size().SetWidth(7);
    mark->Size().SetHeight(1);
    LoggingFilter f;
    rep->ExportToFilter(&f);
    const auto g = f.of("AcceptGraphic");
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0].x, px(50));
    EXPECT_EQ(g[0].y, px(1050));
    EXPECT_EQ(g[0].shape, TQRShapeType::qrsHorLine);
    const auto bands = f.of("AcceptBand");
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].x, 100);
    EXPECT_EQ(bands[0].y, 100);
    EXPECT_EQ(bands[0].expanded, 0);
}

} // namespace
