// The PDF writer's document: pages and content streams, text lines and
// their escaping, resources, cross-reference offsets, information entries.
// Every file written here passes qpdf --check.

#include "export/ExportFixture.h"
#include "export/PdfExport.h"
#include "export/QRPDFDocument.h"
#include "pages/QRPrinter.h"
#include "platform/fonts/FontService.h"
#include "platform/streams/Stream.h"
#include "base/QRError.h"
#include "support/Locales.h"

#include <array>
#include <clocale>
#include <regex>
#include <sstream>

using namespace zt::report;
using namespace zt::exporting;
using zt::testing::ExportReport;
using zt::testing::PdfFile;
using zt::testing::ScratchFolder;
using zt::testing::exportPdf;

namespace {

class PdfWriter : public ExportReport {
protected:
    void SetUp() override
    {
        ExportReport::SetUp();
        TQRPAbstractExportFilter::SetSuppressDateTime(false);
        TQRPDFDocumentFilter::MetaData().clear();
    }
    void TearDown() override
    {
        TQRPAbstractExportFilter::SetSuppressDateTime(false);
        TQRPDFDocumentFilter::MetaData().clear();
        ExportReport::TearDown();
    }
    TQRCustomBand* plainBand(long double heightMm)
    {
        TQRCustomBand* b = band(rbDetail, heightMm);
        b->TransparentBand = true;
        return b;
    }
    std::string pdf(const std::string& name = "out.pdf") { return scratch.file(name); }
    ScratchFolder scratch{"pdf-writer"};
};

TEST_F(PdfWriter, NoContentGivesOnePageWithBTAndETOfLength8)
{
    plainBand(10);
    const PdfFile doc = exportPdf(*rep, pdf());
    EXPECT_TRUE(doc.hasLine("/Count 1"));
    EXPECT_EQ(doc.streamOf(5), "BT\r\nET");
    EXPECT_EQ(doc.lengthOf(5), 8);
    EXPECT_EQ(doc.lines().front(), "%PDF-1.3");
    EXPECT_EQ(doc.lines()[1], "%\xC5\xADo\x81");
}

TEST_F(PdfWriter, FilterDrivenWithoutAReportWritesOneEmptyPageToItsStream)
{
    TQRPDFDocumentFilter f("");
    f.Start(2100, 2970, TQRFont{});
    f.Finish();
    ASSERT_NE(f.Stream(), nullptr);
    const auto& bytes = f.Stream()->Bytes();
    const PdfFile doc(std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(doc.streamOf(5), "BT\r\nET");
    EXPECT_TRUE(doc.hasLine("/MediaBox [0 0 595 842]"));
}

TEST_F(PdfWriter, A4GivesA595By842MediaBoxOnTheTreeAndThePage)
{
    label(plainBand(10), "x")->SetTransparent(true);
    const PdfFile doc = exportPdf(*rep, pdf());
    int boxes = 0;
    for (const auto& l : doc.lines())
        boxes += l == "/MediaBox [0 0 595 842]";
    EXPECT_EQ(boxes, 2);
}

TEST_F(PdfWriter, TextIsEscapedAndTheEuroSignWrittenAsOctal200)
{
    TQRCustomBand* b = plainBand(20);
    label(b, "a(b)\\c")->SetTransparent(true);
    label(b, "5 € für Öl", 5)->SetTransparent(true);
    const PdfFile doc = exportPdf(*rep, pdf());
    const std::string content = doc.streamOf(5);
    EXPECT_NE(content.find("Tm (a\\(b\\)\\\\c) Tj"), std::string::npos) << content;
    EXPECT_NE(content.find("Tm (5 \\200 f\xFCr \xD6l) Tj"), std::string::npos) << content;
    EXPECT_EQ(PdfEscapeText("\\()€"), "\\\\\\(\\)\\200");
}

TEST_F(PdfWriter, TextLinesCarryColourFontAndPositionFlippedToTheBaseline)
{
    TQRLabel* l = label(plainBand(20), "Hallo", 5, 20);
    l->SetTransparent(true);
    const PdfFile doc = exportPdf(*rep, pdf());
    const std::string content = doc.streamOf(5);
    // Device 113, 57 on the screen-resolution recorder; points 0.75 a unit:
    // x = 113 * 0.75 = 84.75, y = 841.89 - (10 + 57 * 0.75) = 789.14.
    EXPECT_EQ(content, "BT\r\n0.00 0.00 0.00 rg\r\n/F00 10 Tf\r\n 1 0 0 1 85 789 Tm (Hallo) Tj\r\nET");
}

TEST_F(PdfWriter, TwoFontsGetF00AndF01InOrderOfUseAndPointAtTheirFirstObjects)
{
    TQRCustomBand* b = plainBand(20);
    label(b, "courier")->SetTransparent(true);
    label(b, "arial", 5, 0, "Arial")->SetTransparent(true);
    label(b, "courier again", 10)->SetTransparent(true);
    const PdfFile doc = exportPdf(*rep, pdf(), [](TQRPDFDocumentFilter& f) { f.SetFontHandling(TFontHandling::fhNoEmbedding); });
    EXPECT_TRUE(doc.hasLine("  /F00 6 0 R "));
    EXPECT_TRUE(doc.hasLine("  /F01 8 0 R "));
    const long d6 = doc.find("6 0 obj");
    const long d8 = doc.find("8 0 obj");
    ASSERT_GT(d6, 0);
    ASSERT_GT(d8, 0);
    EXPECT_EQ(doc.lines()[static_cast<std::size_t>(d6) + 4], "/Name /F00");
    EXPECT_EQ(doc.lines()[static_cast<std::size_t>(d6) + 5], "/BaseFont /CourierNew");
    EXPECT_EQ(doc.lines()[static_cast<std::size_t>(d8) + 5], "/BaseFont /Arial");
    EXPECT_NE(doc.streamOf(5).find("/F01 10 Tf"), std::string::npos);
}

TEST_F(PdfWriter, EveryCrossReferenceOffsetPointsAtItsObjectLine)
{
    TQRCustomBand* b = band(rbDetail, 10);
    b->SetColor(clSilver);
    memo(b, 150, 0, 5);
    const PdfFile doc = exportPdf(*rep, pdf(), [](TQRPDFDocumentFilter& f) { f.AddTTFont("Courier New"); });
    const auto offsets = doc.xrefOffsets();
    ASSERT_GE(offsets.size(), 10u);
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const std::string head = std::to_string(i + 1) + " 0 obj\r\n";
        EXPECT_EQ(doc.bytes().substr(static_cast<std::size_t>(offsets[i]), head.size()), head) << "object " << i + 1;
    }
    EXPECT_TRUE(doc.hasLine("0 " + std::to_string(offsets.size() + 1)));
    EXPECT_TRUE(doc.hasLine("/Size " + std::to_string(offsets.size() + 1)));
    EXPECT_TRUE(doc.hasLine("/Info " + std::to_string(offsets.size() - 1) + " 0 R"));
    const long start = doc.find("startxref");
    const auto xref = static_cast<std::size_t>(std::stol(doc.lines()[static_cast<std::size_t>(start) + 1]));
    EXPECT_EQ(doc.bytes().substr(xref, 6), "xref\r\n");
    EXPECT_EQ(doc.lines().back(), "%%EOF");
}

TEST_F(PdfWriter, TextOnTopFalsePutsBTAndTheTextFirst)
{
    TQRCustomBand* b = band(rbDetail, 10);
    b->SetColor(clSilver);
    label(b, "x")->SetTransparent(true);
    const PdfFile onTop = exportPdf(*rep, pdf("top.pdf"));
    EXPECT_FALSE(onTop.streamOf(5).starts_with("BT"));
    EXPECT_NE(onTop.streamOf(5).find("re f\r\nBT\r\n"), std::string::npos);
    bool readBack = true;
    const PdfFile first = exportPdf(*rep, pdf("first.pdf"), [&](TQRPDFDocumentFilter& f) {
        f.SetTextOnTop(false);
        readBack = f.TextOnTop();
    });
    EXPECT_FALSE(readBack);
    const std::string s = first.streamOf(5);
    EXPECT_TRUE(s.starts_with("BT\r\n0.00 0.00 0.00 rg")) << s;
    EXPECT_NE(s.find("ET\r\n0.00 w\r\n0.75 0.75 0.75 rg"), std::string::npos) << s;
    // The CR LF before "endstream" counts.
    EXPECT_EQ(first.lengthOf(5), static_cast<long>(s.size()) + 2);
}

TEST_F(PdfWriter, RightAlignedRunEndsAtItsAnchor)
{
    TQRLabel* l = label(plainBand(10), "rechts", 0, 20);
    l->SetTransparent(true);
    l->SetAlignment(TAlignment::taRightJustify);
    const PdfFile doc = exportPdf(*rep, pdf());
    TQRFont f = l->Font();
    const int w = zt::platform::FontService::instance().font(f.ToLogFont(96))->textWidth("rechts");
    // The anchor is device 491 (130 mm on the screen-resolution recorder);
    // points 0.75 a unit (72 / 25.4 per mm over 0.37795 units per 0.1 mm).
    const long double pt = 2.8346456692913385826L / 3.7795L;
    const long long x = Round((491 - w) * pt);
    EXPECT_NE(doc.streamOf(5).find(" 1 0 0 1 " + std::to_string(x) + " "), std::string::npos) << doc.streamOf(5);
}

TEST_F(PdfWriter, TextOnlyPageHasTheTextPartPlus6AsLength)
{
    label(plainBand(10), "nur Text")->SetTransparent(true);
    const PdfFile doc = exportPdf(*rep, pdf());
    const std::string s = doc.streamOf(5);
    ASSERT_TRUE(s.starts_with("BT\r\n"));
    EXPECT_EQ(doc.lengthOf(5), static_cast<long>(s.size() - 4) + 6);
}

TEST_F(PdfWriter, InformationEntriesDateMetaDataAndEscapedValues)
{
    label(plainBand(10), "x")->SetTransparent(true);
    TQRPDFDocumentFilter::MetaData() = {"Keywords,letter", "a,b,c", " ,empty"};
    PdfFile doc = exportPdf(*rep, pdf("a.pdf"), [](TQRPDFDocumentFilter& f) {
        f.SetDocumentInfo("Zettelino", "Erika", "Brief (Entwurf", "Betreff");
    });
    EXPECT_TRUE(doc.hasLine("/Keywords(letter)"));
    EXPECT_TRUE(doc.hasLine("/Producer (Bandorias PDF Export)"));
    EXPECT_TRUE(doc.hasLine("/Subject (Betreff )"));
    EXPECT_TRUE(doc.hasLine("/Creator (Zettelino)"));
    EXPECT_TRUE(doc.hasLine("/Title (Brief \\(Entwurf)"));
    EXPECT_TRUE(doc.hasLine("/Author (Erika)"));
    int created = 0, meta = 0;
    for (const auto& l : doc.lines()) {
        created += l.starts_with("/CreationDate (");
        meta += l.starts_with("/a(") || l.starts_with("/(");
    }
    EXPECT_EQ(created, 1);
    EXPECT_EQ(meta, 0);
    TQRPAbstractExportFilter::SetSuppressDateTime(true);
    doc = exportPdf(*rep, pdf("b.pdf"));
    for (const auto& l : doc.lines())
        EXPECT_FALSE(l.starts_with("/CreationDate"));
    EXPECT_TRUE(doc.hasLine("/Creator (Bandorias)"));
}

TEST_F(PdfWriter, BoldItalicUnderlinedRunDrawsALineAndUsesTheBIKey)
{
    TQRLabel* l = label(plainBand(10), "unterstrichen");
    l->SetTransparent(true);
    TQRFont f = l->Font();
    f.Style = fsBold | fsItalic | fsUnderline;
    l->SetFont(f);
    const PdfFile doc = exportPdf(*rep, pdf());
    EXPECT_NE(doc.bytes().find("+CourierNew,BoldItalic\r\n"), std::string::npos);
    const std::string s = doc.streamOf(5);
    EXPECT_NE(s.find(" l s\r\nBT\r\n"), std::string::npos) << s;
    // The line ends where the text ends: 13 characters of 0.6 em at 10 points.
    std::smatch m;
    ASSERT_TRUE(std::regex_search(s, m, std::regex(R"((\d+) (\d+) m (\d+) \d+ l s)"))) << s;
    EXPECT_NEAR(std::stoi(m[3]) - std::stoi(m[1]), 78, 1) << s;
}

TEST_F(PdfWriter, ConcatenatingKeepsOneDocumentOverTwoRuns)
{
    label(plainBand(10), "x")->SetTransparent(true);
    TQRPDFDocumentFilter f(pdf());
    f.SetConcatenating(true);
    rep->ExportToFilter(&f);
    EXPECT_TRUE(f.Active());
    rep->ExportToFilter(&f);
    f.EndConcat();
    EXPECT_FALSE(f.Active());
    EXPECT_EQ(zt::testing::qpdfProblems(pdf()), "");
    const PdfFile doc(zt::testing::readBytes(pdf()));
    EXPECT_TRUE(doc.hasLine("/Count 2"));
    EXPECT_TRUE(doc.hasLine("/Kids [4 0 R 6 0 R]"));
}

TEST_F(PdfWriter, ASecondPageWithoutContentOnTheFirstStillCountsTwoPages)
{
    TQRPDFDocumentFilter f(pdf());
    f.Start(2100, 2970, TQRFont{});
    f.EndPage();
    f.NewPage();
    f.EndPage();
    f.NewPage();
    f.TextOut(100, 100, TQRFont{}, clWhite, TAlignment::taLeftJustify, "Seite 2");
    f.EndPage();
    f.Finish();
    EXPECT_EQ(zt::testing::qpdfProblems(pdf()), "");
    const PdfFile doc(zt::testing::readBytes(pdf()));
    EXPECT_TRUE(doc.hasLine("/Count 2"));
    EXPECT_EQ(doc.streamOf(5), "BT\r\nET");
    EXPECT_NE(doc.streamOf(7).find("(Seite 2) Tj"), std::string::npos);
}

TEST_F(PdfWriter, ShapeItemsRenderAsTheirLines)
{
    TQRPDFDocumentFilter f("");
    f.Start(2100, 2970, TQRFont{});
    TPDFItemRec box;
    box.ItemType = TPDFItemType::IT_GRAPHIC;
    box.Shape = TPDFShapeType::S_BOX;
    box.Filled = true;
    box.XPos = 10;
    box.YPos = 20;
    box.Width = 30;
    box.Height = 40;
    box.thickness = 0.75;
    box.RGBFColor = {255, 0, 0};
    f.RenderItem(box);
    TPDFItemRec line = box;
    line.Shape = TPDFShapeType::S_HLINE;
    line.Filled = false;
    f.RenderItem(line);
    TPDFItemRec circle = box;
    circle.Shape = TPDFShapeType::S_CIRCLE;
    circle.Filled = false;
    f.RenderItem(circle);
    TPDFItemRec invalid;
    EXPECT_THROW(f.RenderItem(invalid), EQRError);
    f.Finish();
    const auto& bytes = f.Stream()->Bytes();
    const PdfFile doc(std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(doc.streamOf(5), "0.75 w\r\n1.00 0.00 0.00 rg\r\n10 782 30 40 re f\r\n"
                               " 1 w\r\n0.00 0.00 0.00 RG\r\n10 802 m 40 802 l s\r\n"
                               " 1 w\r\n0.00 0.00 0.00 RG\r\n  25.0  821.9 m\r\n"
                               "33.3  821.9   40.0  812.9   40.0  801.9 c\r\n"
                               "40.0  790.8   33.3  781.9   25.0  781.9 c\r\n"
                               "16.7  781.9   10.0  790.8   10.0  801.9 c\r\n"
                               "10.0  812.9   16.7  821.9   25.0  821.9 c s\r\nBT\r\nET");
}

TEST_F(PdfWriter, NumbersKeepTheFullStopUnderACommaLocale)
{
    if (const auto missing = zt::testing::missingLocale("de_DE.UTF-8"))
        GTEST_SKIP() << *missing;
    struct BackToC {
        ~BackToC() { std::setlocale(LC_NUMERIC, "C"); }
    } backToC;
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr);
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(PdfFixed(0.75L, 2), "0.75");
    EXPECT_EQ(PdfPad(PdfFixed(25, 1), 6), "  25.0");
}

TEST_F(PdfWriter, FileThatCannotBeWrittenRaisesFromFinish)
{
    label(plainBand(10), "x");
    TQRPDFDocumentFilter f("/nonexistent/folder/out.pdf");
    EXPECT_ANY_THROW(rep->ExportToFilter(&f));
    EXPECT_FALSE(rep->Exporting);
}

} // namespace

namespace {

// A Windows bitmap file of two pixels side by side: red, then blue.
TQRPicture redBluePicture()
{
    std::vector<std::uint8_t> d = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                                   40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,
                                   8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                   0, 0, 255, 255, 0, 0, 0, 0};
    TQRPicture p;
    p.Data = d;
    p.Width = 2;
    p.Height = 1;
    return p;
}

// The colour at a point of a P6 image that pdftoppm wrote at 72 dpi.
std::array<int, 3> pixelAt(const std::string& ppm, int x, int y)
{
    std::istringstream in(ppm);
    std::string magic;
    int w = 0, h = 0, max = 0;
    in >> magic >> w >> h >> max;
    in.get();
    const auto at = static_cast<std::size_t>(in.tellg()) + (static_cast<std::size_t>(y) * w + x) * 3;
    return {static_cast<unsigned char>(ppm[at]), static_cast<unsigned char>(ppm[at + 1]),
            static_cast<unsigned char>(ppm[at + 2])};
}

TEST(PdfImages, AHugeImageControlIsWrittenSampledDownAtItsFullDrawnSize)
{
    TQRPDFDocumentFilter f("");
    f.SetCompressionOn(false);
    f.Start(2100, 2970, TQRFont{});
    TQRImage image(nullptr);
    image.SetPicture(redBluePicture());
    image.Stretch = true;
    image.SetBounds(0, 0, 30000, 30000);
    f.AcceptGraphic(0, 0, &image);
    f.Finish();
    const auto& bytes = f.Stream()->Bytes();
    const std::string doc(bytes.begin(), bytes.end());
    EXPECT_NE(doc.find("/Width 2048\r\n/Height 2048"), std::string::npos);
    // Drawn as large as the control: 30000 screen pixels are 22500 points.
    EXPECT_NE(doc.find("q 22500 0 0 22500 "), std::string::npos);
}

TEST_F(PdfWriter, StretchedPictureIsDrawnFromItsCompressedRgbData)
{
    plainBand(10);
    auto* image = new TQRImage(&form);
    image->SetParent(rep);
    image->Size().SetLeft(50);
    image->Size().SetTop(50);
    image->Size().SetWidth(40);
    image->Size().SetHeight(20);
    image->Stretch = true;
    image->SetPicture(redBluePicture());
    for (const bool compress : {true, false}) {
        const std::string path = pdf(compress ? "lzw.pdf" : "plain.pdf");
        const PdfFile doc =
            exportPdf(*rep, path, [&](TQRPDFDocumentFilter& f) { f.SetCompressionOn(compress); });
        const std::string s = doc.streamOf(5);
        EXPECT_NE(s.find(compress ? "/Filter [/ASCII85Decode /LZWDecode]" : "/Filter [/ASCII85Decode]"),
                  std::string::npos);
        const auto r = zt::testing::runTool("pdftoppm -r 72 -f 1 -l 1 " + zt::testing::quoted(path) + " " +
                                            zt::testing::quoted(scratch.file("page")));
        ASSERT_EQ(r.status, 0) << r.output;
        const std::string ppm = zt::testing::readBytes(scratch.file("page-1.ppm"));
        ASSERT_FALSE(ppm.empty());
        // 50 mm is 141.7 points; the picture is 113 by 57 points.
        EXPECT_EQ(pixelAt(ppm, 170, 170), (std::array<int, 3>{255, 0, 0}));
        EXPECT_EQ(pixelAt(ppm, 225, 170), (std::array<int, 3>{0, 0, 255}));
        EXPECT_EQ(pixelAt(ppm, 120, 120), (std::array<int, 3>{255, 255, 255}));
    }
}

} // namespace
