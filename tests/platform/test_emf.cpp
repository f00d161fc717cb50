#include "platform/core/PlatformError.h"
#include "platform/core/WinMath.h"
#include "platform/gdi/EmfBytes.h"
#include "platform/gdi/EmfPlayer.h"
#include "platform/gdi/EmfReader.h"
#include "platform/gdi/EmfRecorder.h"
#include "platform/text/Utf.h"
#include "support/RawEmf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace zt::platform;
using namespace zt::platform::gdi;
using zt::testing::RawEmf;

namespace {

LogFont courier10()
{
    LogFont lf;
    lf.face = "Courier New";
    lf.height = pointsToLogicalHeight(10, 96);
    return lf;
}

// Records what the player asks of a target.
class RecordingTarget : public RenderTarget {
public:
    struct Shape {
        std::string kind;
        RectF rect;
        PenSpec pen;
        BrushSpec brush;
    };
    void setTransform(const Matrix& m) override { transform = m; }
    void setClip(const std::optional<std::vector<RectF>>& rects) override { clip = rects; }
    void drawRect(const RectF& r, const PenSpec& p, const BrushSpec& b) override { shapes.push_back({"rect", mapped(r), p, b}); }
    void drawEllipse(const RectF& r, const PenSpec& p, const BrushSpec& b) override { shapes.push_back({"ellipse", mapped(r), p, b}); }
    void drawRoundRect(const RectF& r, double, double, const PenSpec& p, const BrushSpec& b) override
    {
        shapes.push_back({"roundrect", mapped(r), p, b});
    }
    void drawPolyline(const std::vector<PointF>& pts, const PenSpec& p) override
    {
        lines.push_back(mappedPoints(pts));
        shapes.push_back({"polyline", {}, p, {}});
    }
    void drawPolygons(const std::vector<std::vector<PointF>>& polys, bool, const PenSpec& p, const BrushSpec& b) override
    {
        for (const auto& poly : polys)
            lines.push_back(mappedPoints(poly));
        shapes.push_back({"polygon", {}, p, b});
    }
    void drawGlyphs(const GlyphRun& run) override
    {
        runs.push_back(run);
        clipAtText.push_back(clip);
    }
    void drawImage(const RectF& dest, const Bitmap& image) override
    {
        images.push_back({mapped(dest), image});
    }

    RectF mapped(const RectF& r) const
    {
        const PointF a = transform.map(r.left, r.top), b = transform.map(r.right, r.bottom);
        return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    }
    std::vector<PointF> mappedPoints(const std::vector<PointF>& pts) const
    {
        std::vector<PointF> out;
        for (const auto& p : pts)
            out.push_back(transform.map(p.x, p.y));
        return out;
    }

    Matrix transform;
    std::optional<std::vector<RectF>> clip;
    std::vector<Shape> shapes;
    std::vector<std::vector<PointF>> lines;
    std::vector<GlyphRun> runs;
    std::vector<std::optional<std::vector<RectF>>> clipAtText;
    std::vector<std::pair<RectF, Bitmap>> images;
};

std::vector<std::uint32_t> recordTypes(const TMetafile& m)
{
    std::vector<std::uint32_t> types;
    for (const auto& r : readEmfRecords(m.Bytes()).records)
        types.push_back(r.type());
    return types;
}

TMetafile letterLikePage()
{
    auto rec = EmfRecorder::forPage(RefDevice::screen(), 794, 1123);
    const Handle font = rec.CreateFontIndirect(courier10());
    rec.SelectObject(font);
    rec.SetBkMode(TRANSPARENT);
    rec.SetTextColor(rgb(0, 0, 0));
    rec.TextOut(94, 19, "Kurzmitteilung");
    const Handle pen = rec.CreatePen(PS_SOLID, 1, rgb(0, 0, 0));
    rec.SelectObject(pen);
    rec.MoveTo(0, 400);
    rec.LineTo(20, 400);
    rec.SelectObject(kStockObject | BLACK_PEN);
    rec.DeleteObject(pen);
    rec.DeleteObject(font);
    return rec.Finish();
}

} // namespace

TEST(EmfRecorder, HeaderDescribesThePage)
{
    const TMetafile page = letterLikePage();
    const auto& bytes = page.Bytes();
    const EmfHeaderInfo& h = page.Header();
    EXPECT_EQ(readU32(bytes.data()), EMR_HEADER);
    EXPECT_EQ(readU32(bytes.data() + 4), kHeaderRecordSize);
    EXPECT_EQ(readU32(bytes.data() + 40), kEmfSignature);
    EXPECT_EQ(h.bytes, bytes.size());
    EXPECT_EQ(h.records, recordTypes(page).size());
    EXPECT_EQ(h.handles, 3u) << "two objects at most at a time, plus the reserved index 0";
    EXPECT_EQ(h.deviceCx, 1920);
    EXPECT_EQ(h.millimetersCx, 508);
    // 794 x 1123 pixels at 96 per inch: an A4 sheet, in 0.01 mm.
    EXPECT_EQ(h.frame, (EmfRect{0, 0, 21008, 29713}));
    EXPECT_EQ(page.Width(), 794);
    EXPECT_EQ(page.Height(), 1123);
    // Bounds cover the text (from 94, 19) and the line (to 0, 400).
    EXPECT_EQ(h.bounds.left, 0);
    EXPECT_EQ(h.bounds.top, 19);
    EXPECT_EQ(h.bounds.right, 94 + 14 * 8 - 1);
    EXPECT_EQ(h.bounds.bottom, 400);
}

TEST(EmfRecorder, RecordsInCallOrderWithTheFullFontRecord)
{
    const TMetafile page = letterLikePage();
    EXPECT_EQ(recordTypes(page),
              (std::vector<std::uint32_t>{EMR_HEADER, EMR_EXTCREATEFONTINDIRECTW, EMR_SELECTOBJECT, EMR_SETBKMODE,
                                          EMR_SETTEXTCOLOR, EMR_EXTTEXTOUTW, EMR_CREATEPEN, EMR_SELECTOBJECT,
                                          EMR_MOVETOEX, EMR_LINETO, EMR_SELECTOBJECT, EMR_DELETEOBJECT,
                                          EMR_DELETEOBJECT, EMR_EOF}));
    const auto list = readEmfRecords(page.Bytes());
    EXPECT_TRUE(list.complete);
    const auto& font = list.records[1];
    EXPECT_EQ(font.size(), kFontRecordSize);
    EXPECT_EQ(font.i32(12), -13);
    EXPECT_EQ(font.i32(28), 400);
    EXPECT_EQ(text::utf16ToUtf8(std::u16string{char16_t(font.u16(40)), char16_t(font.u16(42))}), "Co");
    EXPECT_EQ(font.u32(kFontRecordSize - 8), kDesignVectorSignature);
    for (const auto& r : list.records)
        EXPECT_EQ(r.size() % 4, 0u);
}

TEST(EmfRecorder, TextCarriesTheMeasuredSpacing)
{
    auto rec = EmfRecorder::forPage(RefDevice::screen(), 200, 100);
    LogFont arial;
    arial.face = "Arial";
    arial.height = -13;
    rec.SelectObject(rec.CreateFontIndirect(arial));
    rec.TextOut(10, 20, "Wäi€");
    const TMetafile page = rec.Finish();
    const auto list = readEmfRecords(page.Bytes());
    const EmfRecordView& t = list.records[3];
    ASSERT_EQ(t.type(), EMR_EXTTEXTOUTW);
    EXPECT_EQ(t.i32(36), 10);
    EXPECT_EQ(t.i32(40), 20);
    EXPECT_EQ(t.u32(44), 4u);
    const auto font = FontService::instance().font(arial);
    const std::uint32_t offDx = t.u32(72);
    ASSERT_TRUE(t.has(offDx, 16));
    EXPECT_EQ(t.i32(offDx), font->advance(U'W'));
    EXPECT_EQ(t.i32(offDx + 4), font->advance(U'ä'));
    EXPECT_EQ(t.i32(offDx + 12), font->advance(U'€'));
    EXPECT_GT(t.i32(offDx), t.i32(offDx + 8)) << "W is wider than i";
    EXPECT_EQ(enumerateTexts(page), std::vector<std::string>{"Wäi€"});
}

TEST(EmfRecorder, HandlesReuseTheLowestFreeIndex)
{
    auto rec = EmfRecorder::forPage(RefDevice::screen(), 10, 10);
    const Handle a = rec.CreatePen(PS_SOLID, 1, 0);
    const Handle b = rec.CreateBrushIndirect(BS_SOLID, 0);
    EXPECT_EQ(a, 1u);
    EXPECT_EQ(b, 2u);
    rec.DeleteObject(a);
    EXPECT_EQ(rec.CreateBrushIndirect(BS_SOLID, 0xFF), 1u);
    EXPECT_THROW(rec.DeleteObject(7), PlatformError);
    EXPECT_THROW(rec.SelectObject(9), PlatformError);
    EXPECT_EQ(rec.Finish().Header().handles, 3u);
}

TEST(EmfRecorder, SavedStatesMustMatch)
{
    auto rec = EmfRecorder::forPage(RefDevice::screen(), 10, 10);
    EXPECT_THROW(rec.RestoreDC(-1), PlatformError);
    rec.SaveDC();
    rec.IntersectClipRect(0, 0, 5, 5);
    rec.RestoreDC(-1);
    const TMetafile page = rec.Finish();
    EXPECT_EQ(recordTypes(page), (std::vector<std::uint32_t>{EMR_HEADER, EMR_SAVEDC, EMR_INTERSECTCLIPRECT,
                                                             EMR_RESTOREDC, EMR_EOF}));
    EXPECT_EQ(page.Header().bounds, (EmfRect{0, 0, -1, -1})) << "nothing drawn";
}

TEST(EmfRecorder, BitmapsAreStoredBottomUpWithPaddedRows)
{
    auto rec = EmfRecorder::forPage(RefDevice::screen(), 50, 50);
    Bitmap bmp{3, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF808080}};
    rec.StretchDraw({10, 10, 40, 30}, bmp);
    const TMetafile page = rec.Finish();
    const auto list = readEmfRecords(page.Bytes());
    const auto& r = list.records[1];
    ASSERT_EQ(r.type(), EMR_STRETCHDIBITS);
    const std::uint32_t offBits = r.u32(56);
    EXPECT_EQ(r.u32(60), 24u) << "two rows of 9 bytes padded to 12";
    // First stored row is the bottom one: white, black, grey (blue, green, red order).
    EXPECT_EQ(r.u8(offBits), 0xFF);
    EXPECT_EQ(r.u8(offBits + 3), 0x00);
    EXPECT_EQ(r.u8(offBits + 6), 0x80);
    // The second stored row starts with red.
    EXPECT_EQ(r.u8(offBits + 12 + 2), 0xFF);
    EXPECT_EQ(r.u8(offBits + 12 + 0), 0x00);

    RecordingTarget target;
    playEmf(page, target, {0, 0, 50, 50});
    ASSERT_EQ(target.images.size(), 1u);
    EXPECT_EQ(target.images[0].second.pixels, bmp.pixels) << "the player decodes what the recorder wrote";
    EXPECT_DOUBLE_EQ(target.images[0].first.left, 10);
    EXPECT_DOUBLE_EQ(target.images[0].first.right, 40);
}

TEST(EmfReader, RejectsWhatIsNoMetafile)
{
    EXPECT_THROW(TMetafile::FromBytes({}), PlatformError);
    EXPECT_THROW(TMetafile::FromBytes(std::vector<std::uint8_t>(200, 0)), PlatformError);
    auto bytes = RawEmf().finish();
    bytes[40] = 'X';
    EXPECT_THROW(TMetafile::FromBytes(bytes), PlatformError);
    auto tooLong = RawEmf().finish();
    patchU32(tooLong, 48, static_cast<std::uint32_t>(tooLong.size() + 4));
    EXPECT_THROW(TMetafile::FromBytes(tooLong), PlatformError);
}

TEST(EmfReader, ADamagedRecordEndsTheListThere)
{
    auto bytes = RawEmf().add(EMR_SETBKMODE, {1}).add(EMR_SETTEXTCOLOR, {0}).finish();
    patchU32(bytes, 108 + 12 + 4, 0xFFFFFFF0); // the second record claims far more than there is
    const auto list = readEmfRecords(bytes);
    EXPECT_FALSE(list.complete);
    ASSERT_EQ(list.records.size(), 2u);
    EXPECT_EQ(list.records[1].type(), EMR_SETBKMODE);

    auto odd = RawEmf().add(EMR_SETBKMODE, {1}).finish();
    patchU32(odd, 108 + 4, 10); // not a multiple of 4
    EXPECT_EQ(readEmfRecords(odd).records.size(), 1u);
}

TEST(EmfReader, TextsOfEveryKindInOrder)
{
    RawEmf raw;
    raw.text(0, 0, u"Seite 1", {});
    // An ANSI record with Windows-1252 bytes: "Grüße".
    std::vector<std::uint8_t> a;
    for (int i = 0; i < 4; ++i)
        putI32(a, 0);
    putU32(a, GM_COMPATIBLE);
    putF32(a, 1);
    putF32(a, 1);
    for (std::int64_t v : {0, 0, 5, 76, 0, 0, 0, -1, -1, 0})
        putU32(a, static_cast<std::uint32_t>(v));
    for (unsigned char c : std::string("Gr\xFC\xDF" "e"))
        a.push_back(c);
    while (a.size() % 4)
        a.push_back(0);
    raw.addBody(EMR_EXTTEXTOUTA, a);
    // A record whose string offset points outside it is skipped, not read.
    raw.add(EMR_EXTTEXTOUTW, {0, 0, 0, 0, 1, 0, 0, 0, 0, 3, 5000, 0, 0, 0, -1, -1, 0});
    raw.text(0, 0, u"von 2", {});
    const TMetafile page = TMetafile::FromBytes(raw.finish());
    EXPECT_EQ(enumerateTexts(page), (std::vector<std::string>{"Seite 1", "Grüße", "von 2"}));
}

TEST(EmfPlayer, StretchesTheFrameOntoTheDestination)
{
    auto rec = EmfRecorder::forPage(RefDevice::screen(), 100, 50);
    rec.Rectangle(10, 10, 20, 30);
    const TMetafile page = rec.Finish();
    RecordingTarget target;
    const PlayResult result = playEmf(page, target, {100, 0, 300, 100});
    EXPECT_TRUE(result.complete);
    ASSERT_EQ(target.shapes.size(), 1u);
    EXPECT_NEAR(target.shapes[0].rect.left, 120, 0.1);
    EXPECT_NEAR(target.shapes[0].rect.top, 20, 0.1);
    EXPECT_NEAR(target.shapes[0].rect.right, 140, 0.1);
    EXPECT_NEAR(target.shapes[0].rect.bottom, 60, 0.1);
    EXPECT_FALSE(target.shapes[0].pen.null) << "the stock black pen";
    EXPECT_EQ(target.shapes[0].brush.color, 0xFFFFFFu) << "the stock white brush";
}

TEST(EmfPlayer, GlyphsLandWhereTheSpacingArraySays)
{
    RawEmf raw(200, 100);
    raw.font(1, "Courier New", -13).add(EMR_SELECTOBJECT, {1}).add(EMR_SETBKMODE, {TRANSPARENT});
    raw.text(10, 20, u"abc", {7, 11, 13});               // top-aligned
    raw.add(EMR_SETTEXTALIGN, {TA_RIGHT | TA_BASELINE});
    raw.text(100, 50, u"xy", {8, 8});
    RecordingTarget target;
    playEmf(TMetafile::FromBytes(raw.finish()), target, {0, 0, 200, 100});
    ASSERT_EQ(target.runs.size(), 2u);
    const auto& top = target.runs[0];
    const int ascent = top.font->metrics().ascent;
    ASSERT_EQ(top.origins.size(), 3u);
    EXPECT_NEAR(top.origins[0].x, 10, 0.01);
    EXPECT_NEAR(top.origins[1].x, 17, 0.01);
    EXPECT_NEAR(top.origins[2].x, 28, 0.01);
    EXPECT_NEAR(top.origins[0].y, 20 + ascent, 0.01);
    EXPECT_NEAR(top.pixelSize, 13, 0.01);
    const auto& right = target.runs[1];
    EXPECT_NEAR(right.origins[0].x, 84, 0.01);
    EXPECT_NEAR(right.origins[0].y, 50, 0.01);
    EXPECT_TRUE(target.shapes.empty()) << "transparent text has no background";
}

TEST(EmfPlayer, OpaqueTextFillsItsCellWithTheBackground)
{
    RawEmf raw(200, 100);
    raw.font(1, "Courier New", -13).add(EMR_SELECTOBJECT, {1}).add(EMR_SETBKCOLOR, {0x00FFFF});
    raw.text(10, 20, u"ab", {8, 8});
    RecordingTarget target;
    playEmf(TMetafile::FromBytes(raw.finish()), target, {0, 0, 200, 100});
    ASSERT_EQ(target.shapes.size(), 1u);
    EXPECT_EQ(target.shapes[0].brush.color, 0x00FFFFu);
    EXPECT_NEAR(target.shapes[0].rect.left, 10, 0.01);
    EXPECT_NEAR(target.shapes[0].rect.right, 26, 0.01);
    EXPECT_NEAR(target.shapes[0].rect.top, 20, 0.01);
    EXPECT_NEAR(target.shapes[0].rect.bottom, 35, 0.01);
}

TEST(EmfPlayer, MapModesAndWorldTransformsOfOtherWriters)
{
    // 0.1 mm units with y up: 100 units to the right is 10 mm, about 37.8 pixels.
    RawEmf raw(400, 400);
    raw.add(EMR_SETMAPMODE, {MM_LOMETRIC}).add(EMR_SETVIEWPORTORGEX, {0, 200});
    raw.add(EMR_RECTANGLE, {100, 0, 200, -100});
    raw.add(EMR_SETMAPMODE, {MM_ANISOTROPIC})
        .add(EMR_SETWINDOWEXTEX, {1000, 1000})
        .add(EMR_SETVIEWPORTEXTEX, {100, 100})
        .add(EMR_SETVIEWPORTORGEX, {0, 0})
        .add(EMR_ELLIPSE, {0, 0, 500, 500});
    raw.add(EMR_SETMAPMODE, {MM_TEXT});
    raw.addFloats(EMR_SETWORLDTRANSFORM, {2, 0, 0, 3, 5, 7});
    raw.add(EMR_ROUNDRECT, {0, 0, 10, 10, 2, 2});
    RecordingTarget target;
    playEmf(TMetafile::FromBytes(raw.finish()), target, {0, 0, 400, 400});
    ASSERT_EQ(target.shapes.size(), 3u);
    const double px = 1920.0 / 508 / 10;  // pixels per 0.1 mm
    EXPECT_NEAR(target.shapes[0].rect.left, 100 * px, 0.01);
    EXPECT_NEAR(target.shapes[0].rect.top, 200, 0.01);
    EXPECT_NEAR(target.shapes[0].rect.bottom, 200 + 100 * 1440.0 / 381 / 10, 0.01);
    EXPECT_NEAR(target.shapes[1].rect.right, 50, 0.01);
    EXPECT_NEAR(target.shapes[2].rect.left, 5, 0.01);
    EXPECT_NEAR(target.shapes[2].rect.right, 25, 0.01);
    EXPECT_NEAR(target.shapes[2].rect.bottom, 37, 0.01);
}

TEST(EmfPlayer, ClippingIntersectsAndRestores)
{
    RawEmf raw(100, 100);
    raw.font(1, "Arial", -12).add(EMR_SELECTOBJECT, {1}).add(EMR_SETBKMODE, {TRANSPARENT});
    raw.add(EMR_SAVEDC, {});
    raw.add(EMR_INTERSECTCLIPRECT, {10, 10, 50, 50});
    raw.add(EMR_INTERSECTCLIPRECT, {30, 0, 90, 40});
    raw.text(0, 0, u"a", {5});
    raw.add(EMR_RESTOREDC, {-1});
    raw.text(0, 0, u"b", {5});
    // A region of two rectangles replaces the clip.
    raw.add(EMR_EXTSELECTCLIPRGN, {64, RGN_COPY, 32, 1, 2, 32, 0, 0, 20, 20, 0, 0, 10, 10, 10, 10, 20, 20});
    raw.text(0, 0, u"c", {5});
    RecordingTarget target;
    playEmf(TMetafile::FromBytes(raw.finish()), target, {0, 0, 100, 100});
    ASSERT_EQ(target.clipAtText.size(), 3u);
    ASSERT_TRUE(target.clipAtText[0].has_value());
    ASSERT_EQ(target.clipAtText[0]->size(), 1u);
    const RectF c = target.clipAtText[0]->front();
    EXPECT_DOUBLE_EQ(c.left, 30);
    EXPECT_DOUBLE_EQ(c.top, 10);
    EXPECT_DOUBLE_EQ(c.right, 50);
    EXPECT_DOUBLE_EQ(c.bottom, 40);
    EXPECT_FALSE(target.clipAtText[1].has_value());
    ASSERT_TRUE(target.clipAtText[2].has_value());
    EXPECT_EQ(target.clipAtText[2]->size(), 2u);
}

TEST(EmfPlayer, PolygonsPathsAndPatternFills)
{
    RawEmf raw(100, 100);
    raw.add(EMR_POLYGON16, {0, 0, 0, 0, 3, (10 | (20 << 16)), (30 | (20 << 16)), (20 | (40 << 16))});
    raw.add(EMR_BEGINPATH, {}).add(EMR_MOVETOEX, {0, 0}).add(EMR_LINETO, {10, 0}).add(EMR_LINETO, {10, 10});
    raw.add(EMR_CLOSEFIGURE, {}).add(EMR_ENDPATH, {}).add(EMR_FILLPATH, {0, 0, 0, 0});
    raw.add(EMR_CREATEBRUSHINDIRECT, {2, BS_SOLID, 0x0000FF, 0}).add(EMR_SELECTOBJECT, {2});
    // A pattern transfer without a source bitmap fills with the brush.
    std::vector<std::int64_t> blt{0, 0, 0, 0, 5, 5, 10, 10, PATCOPY, 0, 0};
    for (int i = 0; i < 6; ++i)
        blt.push_back(0);
    for (int i = 0; i < 6; ++i)
        blt.push_back(0);
    RawEmf& r = raw;
    std::vector<std::uint8_t> body;
    for (auto w : blt)
        putU32(body, static_cast<std::uint32_t>(w));
    body.resize(100 - 8, 0);
    r.addBody(EMR_BITBLT, body);
    RecordingTarget target;
    playEmf(TMetafile::FromBytes(raw.finish()), target, {0, 0, 100, 100});
    ASSERT_EQ(target.shapes.size(), 3u);
    EXPECT_EQ(target.shapes[0].kind, "polygon");
    ASSERT_GE(target.lines.size(), 2u);
    EXPECT_EQ(target.lines[0].size(), 3u);
    EXPECT_DOUBLE_EQ(target.lines[0][2].y, 40);
    EXPECT_EQ(target.shapes[1].kind, "polygon") << "the filled path";
    EXPECT_EQ(target.lines[1].size(), 3u);
    EXPECT_EQ(target.shapes[2].kind, "rect");
    EXPECT_EQ(target.shapes[2].brush.color, 0x0000FFu);
    EXPECT_TRUE(target.shapes[2].pen.null);
}

TEST(EmfPlayer, HostileFieldsAreSkippedSafely)
{
    RawEmf raw(100, 100);
    raw.add(EMR_POLYGON, {0, 0, 0, 0, 0x7FFFFFFF, 1, 2});        // count far beyond the record
    raw.add(EMR_CREATEPEN, {0x7FFFFFFF, 0, 1, 0, 0});            // handle beyond any table
    raw.add(EMR_SELECTOBJECT, {0x7FFFFFFF});
    raw.add(EMR_RESTOREDC, {-5});                                // nothing saved
    raw.add(EMR_EXTSELECTCLIPRGN, {0x7FFFFFF0, RGN_AND});
    raw.add(EMR_POLYPOLYGON16, {0, 0, 0, 0, 2, 3, 2, 5, 0, 0, 0});  // counts that do not add up
    raw.addFloats(EMR_SETWORLDTRANSFORM, {std::numeric_limits<float>::infinity(), 0, 0, 1, 0, 0});
    raw.add(EMR_SETMAPMODE, {MM_ANISOTROPIC}).add(EMR_SETWINDOWEXTEX, {0, 0});
    raw.add(EMR_SETBKMODE, {TRANSPARENT}).text(1, 1, u"ok", {});
    RecordingTarget target;
    const auto result = playEmf(TMetafile::FromBytes(raw.finish()), target, {0, 0, 100, 100});
    EXPECT_TRUE(result.complete);
    EXPECT_TRUE(target.shapes.empty());
    ASSERT_EQ(target.runs.size(), 1u) << "the player goes on after what it skipped";
    EXPECT_TRUE(std::isfinite(target.runs[0].origins[0].x));
}

TEST(Dib, DecodesPaletteAndTrueColourKinds)
{
    // 2 x 2, 1 bit per pixel, top-down, black and white palette.
    std::vector<std::uint8_t> bmi;
    for (std::int64_t v : {40, 2, -2})
        putU32(bmi, static_cast<std::uint32_t>(v));
    putU16(bmi, 1);
    putU16(bmi, 1);
    for (int i = 0; i < 6; ++i)
        putU32(bmi, 0);
    putU32(bmi, 0x000000);
    putU32(bmi, 0xFFFFFF);
    const std::vector<std::uint8_t> bits{0x80, 0, 0, 0, 0x40, 0, 0, 0};
    const auto bmp = decodeDib(bmi.data(), bmi.size(), bits.data(), bits.size());
    ASSERT_TRUE(bmp.has_value());
    EXPECT_EQ(bmp->pixels, (std::vector<std::uint32_t>{0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFFFFFFFF}));
    // Too few bits for the rows, or absurd sizes, give nothing.
    EXPECT_FALSE(decodeDib(bmi.data(), bmi.size(), bits.data(), 4).has_value());
    auto huge = bmi;
    patchU32(huge, 4, 0x7FFFFFFF);
    EXPECT_FALSE(decodeDib(huge.data(), huge.size(), bits.data(), bits.size()).has_value());
    EXPECT_FALSE(decodeDib(bmi.data(), 30, bits.data(), bits.size()).has_value());
}
