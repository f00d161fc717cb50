// Fonts of an archive document: text in any script through composite fonts
// (two-byte codes, the embedded subset's glyphs), a Unicode map for every
// font, subsets named after the font whose bytes they hold, and fonts that
// cannot be embedded reported instead of written as if they were. Read back
// with pdftotext, pdffonts and pdftoppm.

#include "export/ExportFixture.h"
#include "export/PdfExport.h"
#include "export/QRPDFCompositeFont.h"
#include "export/QRPDFFonts.h"
#include "export/QRPDFSubset.h"
#include "export/QRPDFToUnicode.h"
#include "output/LetterPrint.h"
#include "output/uFrmReport.h"
#include "pages/QRPrinter.h"
#include "platform/fonts/FontService.h"
#include "platform/fonts/SfntFile.h"
#include "platform/text/Utf.h"

#include <algorithm>
#include <regex>
#include <tuple>
#include <sstream>

using namespace zt::report;
using namespace zt::exporting;
using zt::testing::ExportReport;
using zt::testing::PdfFile;
using zt::testing::ScratchFolder;
using zt::testing::exportPdf;
using zt::testing::quoted;
using zt::testing::runTool;

namespace {

struct ListedFont {
    std::string name, type, encoding, emb, sub, uni;
};

// pdffonts' table: name, type (one or two words), encoding, emb, sub, uni.
std::vector<ListedFont> listedFonts(const std::string& path)
{
    const auto r = runTool("pdffonts " + quoted(path));
    EXPECT_EQ(r.status, 0) << r.output;
    std::vector<ListedFont> out;
    std::istringstream lines(r.output);
    std::string line;
    std::getline(lines, line);
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        std::istringstream cols(line);
        std::vector<std::string> words;
        for (std::string w; cols >> w;)
            words.push_back(w);
        if (words.size() < 8)
            continue;
        // The last five columns are encoding, emb, sub, uni and the object.
        const std::size_t n = words.size();
        ListedFont f{words[0], {}, words[n - 6], words[n - 5], words[n - 4], words[n - 3]};
        for (std::size_t i = 1; i < n - 6; ++i)
            f.type += (i > 1 ? " " : "") + words[i];
        out.push_back(f);
    }
    return out;
}

std::string textOf(const std::string& path, const std::string& options = "")
{
    return runTool("pdftotext " + options + " -enc UTF-8 " + quoted(path) + " -").output;
}

// Each word with its box, as pdftotext places it (the page, not the head).
std::string wordsOf(const std::string& path)
{
    const std::string html = textOf(path, "-bbox");
    const std::size_t from = html.find("<doc>"), to = html.find("</doc>");
    EXPECT_NE(to, std::string::npos) << html;
    return from == std::string::npos || to == std::string::npos ? html : html.substr(from, to - from);
}

std::string pixelsOf(const std::string& path)
{
    const std::string out = path + "-page";
    EXPECT_EQ(runTool("pdftoppm -r 100 -gray -singlefile " + quoted(path) + " " + quoted(out)).status, 0);
    return zt::testing::readBytes(out + ".pgm");
}

class ArchiveFonts : public ExportReport {
protected:
    void SetUp() override
    {
        ExportReport::SetUp();
        detail = band(rbDetail, 60);
        detail->TransparentBand = true;
    }
    TQRLabel* text(const std::string& caption, long double top, const std::string& face, bool bold = false)
    {
        TQRLabel* l = label(detail, caption, top, 0, face);
        l->Size().SetWidth(180);
        TQRFont f = l->Font();
        if (bold)
            f.Style = {fsBold};
        l->SetFont(f);
        l->SetTransparent(true);
        return l;
    }
    std::string write(const std::string& name, bool archive,
                      TFontHandling handling = TFontHandling::fhEmbedSubset)
    {
        const std::string path = scratch.file(name);
        exportPdf(*rep, path, [&](TQRPDFDocumentFilter& f) {
            f.SetArchive(archive);
            f.SetFontHandling(handling);
        });
        return path;
    }
    TQRCustomBand* detail = nullptr;
    ScratchFolder scratch{"pdf-archive-fonts"};
};

TEST_F(ArchiveFonts, PolishGreekAndGermanTextReadsBackThroughEmbeddedSubsetsWithUnicodeMaps)
{
    text("Łukasz Żółć, Zażółć gęślą jaźń", 0, "Arial");
    text("Καλημέρα κόσμε – ΑΒΓΔ", 8, "Arial", true);
    text("Grüße, Maß: 100 € „Angebot“ (netto) C:\\Ablage", 16, "Courier New");
    const std::string path = write("unicode.pdf", true);
    const std::string read = textOf(path);
    for (const char* expected : {"Łukasz Żółć, Zażółć gęślą jaźń", "Καλημέρα κόσμε – ΑΒΓΔ",
                                 "Grüße, Maß: 100 € „Angebot“ (netto) C:\\Ablage"})
        EXPECT_NE(read.find(expected), std::string::npos) << expected << "\n" << read;

    const auto fonts = listedFonts(path);
    ASSERT_EQ(fonts.size(), 3u);
    const std::regex subsetName("[A-Z]{6}\\+Liberation(Sans|Sans-Bold|Mono)");
    std::vector<std::string> faces;
    for (const ListedFont& f : fonts) {
        EXPECT_TRUE(std::regex_match(f.name, subsetName)) << f.name;
        EXPECT_EQ(f.type, "CID TrueType") << f.name;
        EXPECT_EQ(f.encoding, "Identity-H") << f.name;
        EXPECT_EQ(f.emb + f.sub + f.uni, "yesyesyes") << f.name;
        faces.push_back(f.name.substr(7));
    }
    EXPECT_EQ(faces, (std::vector<std::string>{"LiberationSans", "LiberationSans-Bold", "LiberationMono"}));
    // No code page stands between the text and the page.
    EXPECT_EQ(read.find('?'), std::string::npos) << read;
}

// The same Latin-1 text as the plain document: the same words at the same
// places, the same pixels, the same text read back.
TEST_F(ArchiveFonts, LatinTextKeepsThePlainDocumentsWidthsPlacesAndGlyphs)
{
    text("Sehr geehrte Damen und Herren, Größe 5 € (netto)", 0, "Arial");
    text("Ihre Anfrage vom 09.12.2026 – Preise", 8, "Arial", true);
    text("Kenntnisnahme [X] Rücksprache [ ]", 16, "Courier New");
    text("Äußerst wichtig: MMMMWWWW iiiilll", 24, "Times New Roman");
    const std::string plain = write("plain.pdf", false), archive = write("archive.pdf", true);
    EXPECT_EQ(wordsOf(archive), wordsOf(plain));
    EXPECT_EQ(textOf(archive, "-layout"), textOf(plain, "-layout"));
    const std::string a = pixelsOf(plain), b = pixelsOf(archive);
    ASSERT_FALSE(a.empty());
    EXPECT_TRUE(a == b) << "the archive page looks different";
}

// An underline ends where the reader ends the text, also for letters no
// single-byte code page of the font holds.
TEST_F(ArchiveFonts, AnUnderlineEndsWithTheGreekWordItUnderlines)
{
    TQRLabel* l = text("ΩΜΕΓΑ", 0, "Arial");
    TQRFont f = l->Font();
    f.Style = {fsUnderline};
    f.SetSize(20);
    l->SetFont(f);
    const std::string path = write("underline.pdf", true);
    const PdfFile doc(zt::testing::readBytes(path));
    std::smatch m;
    const std::string content = doc.streamOf(5);
    ASSERT_TRUE(std::regex_search(content, m, std::regex("(\\d+) (\\d+) m (\\d+) (\\d+) l s"))) << content;
    const std::string words = wordsOf(path);
    std::smatch w;
    ASSERT_TRUE(std::regex_search(words, w, std::regex("xMin=\"([0-9.]+)\"[^>]*xMax=\"([0-9.]+)\""))) << words;
    EXPECT_NEAR(std::stod(m[1]), std::stod(w[1]), 1.0) << content;
    EXPECT_NEAR(std::stod(m[3]), std::stod(w[2]), 1.0) << content << words;
}

// A face with CFF outlines: a CID font whose codes are the glyph numbers
// the subset keeps.
TEST_F(ArchiveFonts, CffOutlinesKeepTheirGlyphNumbersInTheSubset)
{
    text("Nimbus: Grüße, 100 € (netto) MMWWiill", 0, "Nimbus Sans");
    const std::string plain = write("cff-plain.pdf", false);
    TQRLabel* other = text("Łódź ΑΒΓΔ", 8, "Nimbus Sans");
    const std::string archive = write("cff.pdf", true);
    const auto fonts = listedFonts(archive);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].type, "CID Type 0C (OT)");
    EXPECT_EQ(fonts[0].emb + fonts[0].sub + fonts[0].uni, "yesyesyes");
    EXPECT_TRUE(std::regex_match(fonts[0].name, std::regex("[A-Z]{6}\\+NimbusSans-Regular"))) << fonts[0].name;
    const std::string read = textOf(archive);
    EXPECT_NE(read.find("Nimbus: Grüße, 100 € (netto) MMWWiill\nŁódź ΑΒΓΔ"), std::string::npos) << read;
    // Without the second line: the plain document's words and pixels.
    other->SetCaption("");
    const std::string latin = write("cff-latin.pdf", true);
    EXPECT_EQ(wordsOf(latin), wordsOf(plain));
    EXPECT_TRUE(pixelsOf(latin) == pixelsOf(plain)) << "the archive page looks different";
}

// No standard font and no font left out in an archive document: whatever
// the handling, the face's own file goes in.
TEST_F(ArchiveFonts, EveryHandlingEmbedsTheRealFontInAnArchiveDocument)
{
    text("Grüße aus Łódź", 0, "Arial");
    text("Kopien", 8, "Courier New", true);
    for (const TFontHandling h : {TFontHandling::fhSubstitute, TFontHandling::fhNoEmbedding,
                                  TFontHandling::fhAutoEmbed, TFontHandling::fhEmbedSubset}) {
        const std::string path = write("handling.pdf", true, h);
        const auto fonts = listedFonts(path);
        ASSERT_EQ(fonts.size(), 2u);
        for (const ListedFont& f : fonts) {
            EXPECT_EQ(f.type, "CID TrueType") << f.name;
            EXPECT_EQ(f.emb, "yes") << f.name;
            EXPECT_EQ(f.uni, "yes") << f.name;
            // Whole files are named without a subset's tag.
            EXPECT_EQ(f.sub, h == TFontHandling::fhAutoEmbed ? "no" : "yes") << f.name;
            EXPECT_TRUE(f.name.ends_with("LiberationSans") || f.name.ends_with("LiberationMono-Bold")) << f.name;
        }
        EXPECT_NE(textOf(path).find("Grüße aus Łódź"), std::string::npos);
    }
    // The plain document keeps its standard fonts.
    const auto plain = listedFonts(write("standard.pdf", false, TFontHandling::fhSubstitute));
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(plain[0].name, "Helvetica");
    EXPECT_EQ(plain[1].name, "Courier-Bold");
}

// The face's file with its OS/2 fsType set, as a restrictive licence has it.
std::vector<std::uint8_t> withFsType(std::vector<std::uint8_t> file, int face, std::uint16_t fsType)
{
    if (const auto os2 = zt::platform::sfntTable(file, face, "OS/2")) {
        file[os2->offset + 8] = static_cast<std::uint8_t>(fsType >> 8);
        file[os2->offset + 9] = static_cast<std::uint8_t>(fsType);
    }
    return file;
}

TEST(ArchiveFontEmbedding, AFontThatMayNotOrCannotBeEmbeddedIsReportedInGerman)
{
    const TPDFFontKey key = TPDFFontKey::Of("Arial", false, false, 0);
    TPDFFontOptions options{TFontHandling::fhEmbedSubset};
    options.archive = true;
    const std::shared_ptr<TPDFArchiveFont> good = OpenPDFArchiveFont(key);
    ASSERT_TRUE(good->composite);
    std::string codes;
    good->AppendCodes(codes, "Aß€Ω A");
    EXPECT_EQ(codes, std::string("\0\1\0\2\0\3\0\4\0\5\0\1", 12));

    TPDFArchiveFont restricted;
    const std::vector<std::uint8_t> restrictedFile =
        withFsType(std::vector<std::uint8_t>(good->data.begin(), good->data.end()), good->faceIndex, 0x0002);
    restricted.data = restrictedFile;
    restricted.faceIndex = good->faceIndex;
    SettlePDFArchiveFont(key, restricted);
    EXPECT_FALSE(restricted.composite);
    TPDFArchiveFont damaged;
    damaged.data = good->data.first(8);
    const TPDFFontKey broken = TPDFFontKey::Of("Kaputt", false, false, 0);
    SettlePDFArchiveFont(broken, damaged);
    EXPECT_FALSE(damaged.composite);

    const std::bitset<256> used("1111");
    std::vector<TPDFFontPlan> plans{PlanPDFFont(key, options, &used, good.get())};
    EXPECT_EQ(PDFFontsNotEmbedded(plans), "");
    EXPECT_FALSE(plans[0].embedded.empty());
    plans.push_back(PlanPDFFont(key, options, &used, &restricted));
    plans.push_back(PlanPDFFont(broken, options, &used, &damaged));
    EXPECT_TRUE(plans[1].embedded.empty());
    EXPECT_FALSE(plans[1].composite);
    EXPECT_TRUE(plans[1].toUnicode);  // its single-byte codes still read back as text
    EXPECT_EQ(PDFFontsNotEmbedded(plans), "Die Schrift „Arial“ darf nicht eingebettet werden. "
                                          "Die Schriftdatei von „Kaputt“ kann nicht gelesen werden.");
    // Outside an archive document nothing is reported.
    EXPECT_EQ(PlanPDFFont(key, TPDFFontOptions{TFontHandling::fhNoEmbedding}, &used).notEmbedded, "");
}

TEST(ArchiveFontEmbedding, CodesThatLookLikeDelimitersOrLineEndsAreEscaped)
{
    // 120 different characters take the codes 1-120, among them the bytes
    // of "\n", "\r", "(", ")" and "\\": read back as a reader unescapes a
    // literal string, every code comes back in order.
    const std::shared_ptr<TPDFArchiveFont> font = OpenPDFArchiveFont(TPDFFontKey::Of("Arial", false, false, 0));
    ASSERT_TRUE(font->composite);
    std::string text;
    for (char32_t c = 0x21; c < 0x21 + 94; ++c)
        zt::platform::text::appendUtf8(text, c);
    for (char32_t c = 0x100; c < 0x100 + 26; ++c)
        zt::platform::text::appendUtf8(text, c);
    std::string written;
    font->AppendCodes(written, text);
    font->AppendCodes(written, text); // the second time from what the font keeps
    std::vector<int> codes;
    std::string bytes;
    for (std::size_t i = 0; i < written.size(); ++i) {
        char b = written[i];
        ASSERT_NE(b, '\r');
        ASSERT_NE(b, '\n');
        if (b == '(' || b == ')')
            FAIL() << "an unescaped delimiter at byte " << i;
        if (b == '\\') {
            ASSERT_LT(i + 1, written.size());
            const char e = written[++i];
            b = e == 'n' ? '\n' : e == 'r' ? '\r' : e;
        }
        bytes += b;
    }
    ASSERT_EQ(bytes.size(), 2u * 240);
    for (std::size_t i = 0; i < bytes.size(); i += 2)
        codes.push_back(static_cast<unsigned char>(bytes[i]) << 8 | static_cast<unsigned char>(bytes[i + 1]));
    for (int i = 0; i < 240; ++i)
        EXPECT_EQ(codes[static_cast<std::size_t>(i)], i % 120 + 1);
}

TEST(ArchiveFontEmbedding, TheSubsetNameIsTheEmbeddedFontsOwn)
{
    for (const auto& [face, bold, name] : {std::tuple{"Arial", false, "LiberationSans"},
                                          std::tuple{"Arial", true, "LiberationSans-Bold"},
                                          std::tuple{"Courier New", false, "LiberationMono"},
                                          std::tuple{"Times New Roman", true, "LiberationSerif-Bold"}}) {
        const std::shared_ptr<TPDFArchiveFont> f = OpenPDFArchiveFont(TPDFFontKey::Of(face, bold, false, 0));
        EXPECT_EQ(FontPostScriptName(f->data, f->faceIndex), name);
    }
    EXPECT_EQ(FontPostScriptName(std::vector<std::uint8_t>(40, 0)), "");
}

// The short letter as an office writes it: Polish and Greek names and
// text, German quotes, dashes and the euro sign.
class ArchiveLetter : public ::testing::Test {
protected:
    void SetUp() override
    {
        letter.absender = {"Łukasz Żółć", "ul. Świętokrzyska 12", "00-001 Warszawa"};
        letter.anschrift = {"Γιώργος Παπαδόπουλος", "Οδός Αθηνάς 5", "10551 Αθήνα"};
        letter.titel1 = "Preis 100 € – „Angebot“";
        letter.titel2 = "Προσφορά für Łódź";
        letter.datum = "Kraków, 09.12.2026";
        letter.mitteilung = {"Sehr geehrter Herr Papadopoulos,", "vielen Dank für Ihr Angebot über 100 € – Größe/Maß.",
                             "Καλημέρα κόσμε! Zażółć gęślą jaźń.", "Mit freundlichen Grüßen"};
        form->LetterSource = [this] {
            return zt::output::DesignPrintSource(letter, {"", "Kenntnisnahme", "Anruf/Rücksprache"});
        };
        form->PageTotal = [this] { return total; };
        form->BandoriaRep1->ShowProgress = false;
    }
    std::string write(const std::string& name, bool archive)
    {
        TBandoriaRep& rep = *form->BandoriaRep1;
        rep.Prepare();
        total = rep.QRPrinter->PageCount();
        const std::string path = scratch.file(name);
        TQRPDFDocumentFilter filter(path);
        filter.SetArchive(archive);
        rep.QRPrinter->ExportToFilter(&filter);
        EXPECT_EQ(zt::testing::qpdfProblems(path), "");
        return path;
    }
    zt::files::TLetterContent letter;
    std::unique_ptr<zt::output::TfrmReport> form = std::make_unique<zt::output::TfrmReport>();
    int total = 0;
    ScratchFolder scratch{"pdf-archive-letter"};
};

TEST_F(ArchiveLetter, ReadsAsItsPageShowsWithEveryFontEmbeddedAndStaysSmall)
{
    const std::string path = write("brief.pdf", true);
    const std::string read = textOf(path, "-layout");
    for (const char* expected : {"Łukasz Żółć", "ul. Świętokrzyska 12", "Γιώργος Παπαδόπουλος", "10551 Αθήνα",
                                 "Preis 100 € – „Angebot“", "Προσφορά für Łódź", "Kraków, 09.12.2026",
                                 "vielen Dank für Ihr Angebot über 100 € – Größe/Maß.",
                                 "Καλημέρα κόσμε! Zażółć gęślą jaźń.", "[ ] Kenntnisnahme", "Seite 1 von 1"})
        EXPECT_NE(read.find(expected), std::string::npos) << expected << "\n" << read;
    EXPECT_EQ(read.find('?'), std::string::npos) << read;
    const auto fonts = listedFonts(path);
    EXPECT_EQ(fonts.size(), 3u);
    for (const ListedFont& f : fonts) {
        EXPECT_EQ(f.emb + f.sub + f.uni, "yesyesyes") << f.name;
        EXPECT_TRUE(std::regex_match(f.name, std::regex("[A-Z]{6}\\+Liberation(Sans|Mono|Mono-Bold)"))) << f.name;
    }
    EXPECT_LT(zt::testing::readBytes(path).size(), 45u * 1024u);
}

TEST_F(ArchiveLetter, AGermanLetterReadsTheSameAsThePlainOne)
{
    letter.absender = {"Erika Mustermann", "Hauptstraße 5", "12345 Musterstadt"};
    letter.anschrift = {"Firma Beispiel GmbH", "Am Markt 1", "54321 Beispielhausen"};
    letter.titel2 = "Größe (netto) C:\\Ablage";
    letter.mitteilung = {"Sehr geehrte Damen und Herren,", "anbei die Unterlagen über 100 €.", "Mit freundlichen Grüßen"};
    const std::string plain = write("plain.pdf", false), archive = write("archive.pdf", true);
    EXPECT_EQ(textOf(archive, "-layout"), textOf(plain, "-layout"));
    EXPECT_EQ(wordsOf(archive), wordsOf(plain));
    EXPECT_TRUE(pixelsOf(archive) == pixelsOf(plain)) << "the archive page looks different";
}

TEST(ToUnicodeMap, MapsEachCodeOnceInOrderWithSurrogatePairsAndBlocksOfAHundred)
{
    const auto lines = ToUnicodeCMap({{3, U'€'}, {1, U'A'}, {2, U'\U0001D11E'}, {1, U'B'}, {4, U'\0'}}, 2);
    const auto at = std::find(lines.begin(), lines.end(), "3 beginbfchar");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at - 1), "endcodespacerange");
    EXPECT_EQ(*(at - 2), "<0000> <FFFF>");
    EXPECT_EQ(std::vector<std::string>(at + 1, at + 5),
              (std::vector<std::string>{"<0001> <0041>", "<0002> <D834DD1E>", "<0003> <20AC>", "endbfchar"}));
    EXPECT_EQ(lines.back(), "end");

    std::vector<std::pair<std::uint32_t, char32_t>> many;
    for (std::uint32_t code = 0; code < 250; ++code)
        many.emplace_back(code, U'a' + code);
    const auto big = ToUnicodeCMap(many, 1);
    EXPECT_NE(std::find(big.begin(), big.end(), "<00> <FF>"), big.end());
    EXPECT_EQ(std::count(big.begin(), big.end(), "100 beginbfchar"), 2);
    EXPECT_EQ(std::count(big.begin(), big.end(), "50 beginbfchar"), 1);
    EXPECT_NE(std::find(big.begin(), big.end(), "<F9> <015A>"), big.end());
}

} // namespace
