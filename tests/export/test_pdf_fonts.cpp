// Font resources: the key, TrueType objects with widths, encoding and
// descriptor, embedding of the face's own file, standard-font substitution,
// custom widths and encodings, and the glyph list behind the encodings.

#include "export/ExportFixture.h"
#include "export/PdfExport.h"
#include "export/QRPDFDocument.h"
#include "export/QRPDFFonts.h"
#include "export/QRPDFGlyphs.h"
#include "platform/fonts/FontService.h"
#include "base/QRError.h"

#include <filesystem>
#include <sstream>

using namespace zt::report;
using namespace zt::exporting;
using zt::testing::ExportReport;
using zt::testing::PdfFile;
using zt::testing::ScratchFolder;
using zt::testing::exportPdf;

namespace {

class PdfFonts : public ExportReport {
protected:
    void SetUp() override
    {
        ExportReport::SetUp();
        TQRCustomBand* b = band(rbDetail, 20);
        b->TransparentBand = true;
        courier = label(b, "Grüße");
        courier->SetTransparent(true);
    }
    // The lines of object n up to its "endobj".
    static std::vector<std::string> object(const PdfFile& doc, int n)
    {
        std::vector<std::string> out;
        for (long i = doc.find(std::to_string(n) + " 0 obj"); i >= 0 && i < static_cast<long>(doc.lines().size()); ++i) {
            out.push_back(doc.lines()[static_cast<std::size_t>(i)]);
            if (out.back() == "endobj")
                break;
        }
        return out;
    }
    TQRLabel* courier = nullptr;
    ScratchFolder scratch{"pdf-fonts"};
};

TEST(PdfFontKey, AFaceWithControlCharactersStillMakesAKeyThatReadsBack)
{
    const TPDFFontKey k = TPDFFontKey::Of("Odd\tFace\r", true, false, 7);
    EXPECT_EQ(k.face, "Odd Face");
    const TPDFFontKey back = TPDFFontKey::Parse(k.Text());
    EXPECT_EQ(back.face, "Odd Face");
    EXPECT_TRUE(back.Bold());
    EXPECT_EQ(back.charset, 7);
    EXPECT_EQ(TPDFFontKey::Parse("A\tB\tnot a number\tA").charset, 0);
}

TEST(PdfFontKey, FieldsAndPostScriptStyleName)
{
    EXPECT_EQ(TPDFFontKey::Of("Courier New", false, false, 1).Text(), "Courier New\t\t1\tCourierNew");
    EXPECT_EQ(TPDFFontKey::Of(" Arial ", true, true, 0).Text(), "Arial\tBI\t0\tArial,BoldItalic");
    const TPDFFontKey k = TPDFFontKey::Parse("Times New Roman\tI\t238\tTimesNewRoman,Italic");
    EXPECT_EQ(k.face, "Times New Roman");
    EXPECT_TRUE(k.Italic());
    EXPECT_FALSE(k.Bold());
    EXPECT_EQ(k.charset, 238);
    EXPECT_EQ(PDFCodePageOfCharset(238), 1250);
    EXPECT_EQ(PDFCodePageOfCharset(1), 1252);
    EXPECT_EQ(PdfResourceNumber(3), "03");
    EXPECT_EQ(PdfResourceNumber(12), "12");
}

TEST(PdfGlyphList, PublishedTableInNameOrderAndFirstMatchLookup)
{
    const auto& t = GlyphTable();
    ASSERT_EQ(t.size(), 1051u);
    EXPECT_EQ(t[0], (std::pair<char32_t, std::string>{0x41, "A"}));
    EXPECT_EQ(t[4], (std::pair<char32_t, std::string>{0xC1, "Aacute"}));
    EXPECT_EQ(t.back(), (std::pair<char32_t, std::string>{0x3B6, "zeta"}));
    EXPECT_EQ(GlyphName(U' '), "space");
    EXPECT_EQ(GlyphName(0x20AC), "Euro");
    EXPECT_EQ(GlyphName(0xE4), "adieresis");
    EXPECT_EQ(GlyphName(0x81), "");
}

TEST(PdfSubstitution, StandardNamesWithStyles)
{
    const std::vector<std::string> map{"Arial:Helvetica", "Times New Roman:Times", "Courier New:Courier",
                                       "Wingdings:Nonsense-Bold"};
    EXPECT_EQ(PDFStandardFontName(TPDFFontKey::Of("Times New Roman", true, true, 0), map), "Times-BoldItalic");
    EXPECT_EQ(PDFStandardFontName(TPDFFontKey::Of("Arial", false, true, 0), map), "Helvetica-Oblique");
    EXPECT_EQ(PDFStandardFontName(TPDFFontKey::Of("ARIAL", true, false, 0), map), "Helvetica-Bold");
    EXPECT_EQ(PDFStandardFontName(TPDFFontKey::Of("Verdana", false, false, 0), map), "Courier");
    EXPECT_EQ(PDFStandardFontName(TPDFFontKey::Of("Courier New", true, true, 0), map), "Courier-BoldOblique");
    EXPECT_EQ(PDFStandardFontName(TPDFFontKey::Of("Wingdings", false, false, 0), map), "Courier");
}

TEST(PdfSubstitution, AddFontMapTrimsAndReplacesTheSameEntry)
{
    TQRPDFDocumentFilter f("");
    f.AddFontMap("  Verdana : Helvetica ");
    f.AddFontMap("arial:helvetica");
    EXPECT_EQ(f.SubstitutedFonts(), (std::vector<std::string>{"arial:helvetica", "Times New Roman:Times",
                                                               "Courier New:Courier", "Verdana:Helvetica"}));
}

TEST_F(PdfFonts, CourierNewIsATrueTypeFontWithWidthsEncodingAndDescriptor)
{
    const PdfFile doc = exportPdf(*rep, scratch.file("tt.pdf"), [](TQRPDFDocumentFilter& f) { f.SetFontHandling(TFontHandling::fhNoEmbedding); });
    const auto font = object(doc, 6);
    ASSERT_GE(font.size(), 14u);
    EXPECT_EQ(font[3], "/Subtype /TrueType");
    EXPECT_EQ(font[4], "/Name /F00");
    EXPECT_EQ(font[5], "/BaseFont /CourierNew");
    EXPECT_EQ(font[6], "/FirstChar 0");
    EXPECT_EQ(font[7], "/LastChar 255");
    EXPECT_EQ(font[8], "/Widths [ ");
    std::istringstream widths(font[9]);
    std::vector<std::string> w;
    for (std::string n; widths >> n;)
        w.push_back(n);
    ASSERT_EQ(w.size(), 257u);
    EXPECT_EQ(w.back(), "]");
    // A fixed pitch of 0.6 em, in thousandths of the em.
    EXPECT_EQ(w['A'], w['i']);
    EXPECT_NEAR(std::stoi(w['A']), 600, 2);
    EXPECT_TRUE(font[10].starts_with("/Encoding  <</Type/Encoding /Differences [ 2 /"));
    EXPECT_NE(font[10].find("/Euro"), std::string::npos);
    EXPECT_NE(font[10].find("/adieresis/aring"), std::string::npos);
    EXPECT_EQ(font[11], "/FontDescriptor 7 0 R");
    const auto descriptor = object(doc, 7);
    EXPECT_EQ(descriptor[2], "/Type /FontDescriptor");
    bool hasFile = false, named = false;
    for (const auto& l : descriptor) {
        hasFile |= l.starts_with("/FontFile2");
        named |= l == "/FontName /F00";
    }
    EXPECT_FALSE(hasFile);
    EXPECT_TRUE(named);
    EXPECT_TRUE(doc.hasLine("/Flags 34") || doc.hasLine("/Flags 4") || doc.hasLine("/Flags 32"));
}

TEST_F(PdfFonts, NamedFaceIsEmbeddedWithItsFileBytesUnchanged)
{
    const PdfFile doc =
        exportPdf(*rep, scratch.file("embed.pdf"), [](TQRPDFDocumentFilter& f) { f.AddTTFont("Courier New"); });
    const zt::platform::LogFont lf{"Courier New", -1024};
    const auto bytes = zt::platform::FontService::instance().font(lf)->fontData();
    ASSERT_FALSE(bytes.empty());
    EXPECT_TRUE(doc.hasLine("/FontFile2 8 0 R"));
    EXPECT_TRUE(doc.hasLine("/Length 9 0 R /Length1 9 0 R "));
    EXPECT_EQ(doc.streamOf(8), std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(object(doc, 9)[1], "   " + std::to_string(bytes.size()));
    // Info and ProcSet follow the four font objects.
    EXPECT_TRUE(doc.hasLine("/ProcSet 11 0 R"));
}

TEST_F(PdfFonts, SubstitutionWritesOneType1ObjectPerFont)
{
    const PdfFile doc = exportPdf(*rep, scratch.file("sub.pdf"),
                                  [](TQRPDFDocumentFilter& f) { f.SetFontHandling(TFontHandling::fhSubstitute); });
    const auto font = object(doc, 6);
    EXPECT_EQ(font, (std::vector<std::string>{"6 0 obj", "<<", "/Type /Font", "/Subtype /Type1", "/Name /F00",
                                              "/BaseFont /Courier", "/Encoding /WinAnsiEncoding", ">>", "endobj"}));
    EXPECT_TRUE(doc.hasLine("/ProcSet 8 0 R"));
}

TEST_F(PdfFonts, CustomWidthsAndEncodingsAreWrittenAsGiven)
{
    std::string widths;
    for (int i = 0; i < 256; ++i)
        widths += std::to_string(500 + i % 3) + "  ";
    const PdfFile doc = exportPdf(*rep, scratch.file("custom.pdf"), [&](TQRPDFDocumentFilter& f) {
        f.AddCustomWidths("couriernew", widths);
        f.AddCustomWidths("CourierNew", "1 2 3");
        f.AddCustomEncoding("CourierNew", "32 /space 65 /A");
    });
    const auto font = object(doc, 6);
    EXPECT_TRUE(font[9].starts_with("500 501 502 500 "));
    EXPECT_EQ(font[10], "/Encoding  <</Type/Encoding /Differences [ 32 /space 65 /A ]>>");
}

TEST_F(PdfFonts, TooFewCustomWidthsStopTheExportWithoutAFile)
{
    std::string widths;
    for (int i = 0; i < 255; ++i)
        widths += "600 ";
    const std::string path = scratch.file("short.pdf");
    TQRPDFDocumentFilter f(path);
    f.AddCustomWidths("CourierNew", widths);
    try {
        rep->ExportToFilter(&f);
        FAIL() << "no error";
    } catch (const EQRError& e) {
        EXPECT_EQ(std::string(e.what()), "Not enough Custom widths (255 < 256) for font \"Courier New\t\t1\tCourierNew\"  ");
        EXPECT_EQ(e.kind(), ErrorKind::InternalFault);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(rep->Exporting);
}

} // namespace

namespace {

// A label in the given character set, as a report from a Cyrillic, Greek
// or Central European system carries it.
void inCharset(zt::report::TQRLabel* l, int charset)
{
    zt::report::TQRFont f = l->Font();
    f.Charset = charset;
    l->SetFont(f);
    l->SetTransparent(true);
}

} // namespace

TEST_F(PdfFonts, EveryCodePageWritesItsOwnLettersAndGlyphNames)
{
    courier->SetCaption("");
    TQRControl* b = courier->Parent();
    inCharset(label(b, "Здравствуйте, мир", 0), 204);          // Cyrillic, code page 1251
    inCharset(label(b, "Καλημέρα κόσμε", 6, 0, "Arial"), 161);  // Greek, 1253
    inCharset(label(b, "Zażółć gęślą jaźń", 12), 238);        // Polish, 1250
    for (const TFontHandling h : {TFontHandling::fhNoEmbedding, TFontHandling::fhEmbedSubset}) {
        const std::string path = scratch.file(h == TFontHandling::fhEmbedSubset ? "cp-sub.pdf" : "cp.pdf");
        const PdfFile doc = exportPdf(*rep, path, [h](TQRPDFDocumentFilter& f) { f.SetFontHandling(h); });
        EXPECT_NE(doc.bytes().find("/afii10017"), std::string::npos); // Cyrillic capital A by its glyph name
        const std::string text = zt::testing::runTool("pdftotext -enc UTF-8 " + zt::testing::quoted(path) + " -").output;
        for (const char* expected : {"Здравствуйте, мир", "Καλημέρα κόσμε", "Zażółć gęślą jaźń"})
            EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
}

// Hebrew and Vietnamese letters, ASCII ones among them, keep their glyph
// names: none of them may come out as a blank.
TEST_F(PdfFonts, HebrewAndVietnameseTextKeepsItsLetters)
{
    courier->SetCaption("");
    TQRControl* b = courier->Parent();
    inCharset(label(b, "\u05E9\u05DC\u05D5\u05DD", 0, 0, "DejaVu Sans"), 177);     // Hebrew, code page 1255
    inCharset(label(b, "Viet \u0102n \u01A1 \u0110\u01B0", 6, 0, "DejaVu Sans"), 163);  // Vietnamese, 1258
    const std::string path = scratch.file("he-vi.pdf");
    const PdfFile doc = exportPdf(*rep, path, [](TQRPDFDocumentFilter& f) { f.SetFontHandling(TFontHandling::fhEmbedSubset); });
    for (const char* name : {"/afii57689", "/afii57664", "/Abreve", "/uhorn", "/at/A/B/C"})
        EXPECT_NE(doc.bytes().find(name), std::string::npos) << name;
    const std::string text = zt::testing::runTool("pdftotext -enc UTF-8 " + zt::testing::quoted(path) + " -").output;
    for (const char* expected : {"Viet \u0102n \u01A1 \u0110\u01B0", "\u05E9"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

TEST(PdfCodePages, TheOutputCodePageServesTheDefaultCharacterSet)
{
    EXPECT_EQ(PDFCodePageOfCharset(0), 1252);
    TQRPAbstractExportFilter::SetCodepage(" 1250 ");
    EXPECT_EQ(PDFCodePageOfCharset(0), 1250);
    EXPECT_EQ(PdfEscapeText("Łódź (€)", PDFTextCodePage(0)), "\xA3\xF3" "d\x9F \\(\x80\\)");
    TQRPAbstractExportFilter::SetCodepage("kein");
    EXPECT_EQ(PDFCodePageOfCharset(1), 1252);
    TQRPAbstractExportFilter::SetCodepage("1252");
    EXPECT_EQ(PDFTextCodePage(128), 1252); // Shift-JIS is no single-byte code page
    EXPECT_EQ(PdfEscapeText("€ (1252)"), "\\200 \\(1252\\)");
}

// What a text line takes: its escaped text and marked codes in one pass,
// exactly what the two steps give, in every single-byte code page.
TEST(PdfCodePages, EscapingAndMarkingInOnePassGiveWhatEachGivesAlone)
{
    const std::string samples[] = {
        "",        "plain ASCII 0123", "\\(a)\\", "Grüße € (netto)", "Łódź – „Zitat“", "日本 ?", "\x01\x7F tab\t",
        "ǅ ſ ﬁ 😀", "(€)€(€)", "ß",
    };
    for (const int codePage : {1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 874}) {
        for (const std::string& s : samples) {
            std::bitset<256> alone, together;
            PdfMarkCodes(s, alone, codePage);
            std::string out = "prefix ";
            PdfAppendEscapedText(out, s, together, codePage);
            EXPECT_EQ(out, "prefix " + PdfEscapeText(s, codePage)) << codePage << ": " << s;
            EXPECT_EQ(together, alone) << codePage << ": " << s;
        }
    }
}
