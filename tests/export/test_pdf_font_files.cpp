// Font files that are not a single TrueType font: a face of a collection
// (.ttc), which is read, licensed and subset as that face, and fonts with
// CFF outlines (.otf), embedded as OpenType font files of a Type 1 font.
// The faces come from Debian's fonts-wqy-microhei (two faces in one .ttc)
// and fonts-urw-base35 (.otf).

#include "export/ExportFixture.h"
#include "export/PdfExport.h"
#include "export/QRPDFFonts.h"
#include "export/QRPDFSubset.h"
#include "platform/fonts/FontService.h"
#include "platform/fonts/SfntFile.h"

#include <fstream>
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

constexpr const char* kMonoFace = "WenQuanYi Micro Hei Mono";  // the second face of its collection
constexpr const char* kCffFace = "Nimbus Sans";

std::vector<std::uint8_t> fileOf(const std::string& face, int* index = nullptr)
{
    zt::platform::LogFont lf;
    lf.face = face;
    lf.height = -1024;
    const auto font = zt::platform::FontService::instance().font(lf);
    if (index != nullptr)
        *index = font->face().index;
    return font->fontData();
}

bool startsWith(const std::vector<std::uint8_t>& bytes, std::string_view tag)
{
    return bytes.size() >= tag.size() && std::equal(tag.begin(), tag.end(), bytes.begin());
}

// Whether the bytes hold the text as a name table spells it for Windows (UTF-16BE).
bool holdsName(const std::vector<std::uint8_t>& bytes, std::string_view text)
{
    std::string wide;
    for (const char c : text)
        wide += std::string(1, '\0') + c;
    return std::string(bytes.begin(), bytes.end()).find(wide) != std::string::npos;
}

// The font's file with the OS/2 fsType of the face set, as a licence
// would have it.
std::vector<std::uint8_t> withFaceFsType(std::vector<std::uint8_t> file, int face, std::uint16_t fsType)
{
    const auto os2 = zt::platform::sfntTable(file, face, "OS/2");
    if (os2) {
        file[os2->offset + 8] = static_cast<std::uint8_t>(fsType >> 8);
        file[os2->offset + 9] = static_cast<std::uint8_t>(fsType);
    }
    return file;
}

TEST(FontCollections, TheFontServiceKeepsTheFaceIndexOfTheCollection)
{
    const auto face = zt::platform::FontService::instance().resolve(kMonoFace, false, false);
    ASSERT_EQ(face.family, kMonoFace) << "Debian's fonts-wqy-microhei is not installed";
    EXPECT_TRUE(face.file.ends_with(".ttc")) << face.file;
    EXPECT_EQ(face.index, 1);
    int index = -1;
    const auto file = fileOf(kMonoFace, &index);
    EXPECT_EQ(index, 1);
    ASSERT_TRUE(zt::platform::isFontCollection(file));
    const auto first = zt::platform::sfntDirectory(file, 0), second = zt::platform::sfntDirectory(file, 1);
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    EXPECT_FALSE(zt::platform::sfntDirectory(file, 2));
    EXPECT_FALSE(zt::platform::hasCffOutlines(file, 1));
}

TEST(FontCollections, TheLicenceBitsAreThoseOfTheFaceInUse)
{
    int index = 0;
    const auto file = fileOf(kMonoFace, &index);
    ASSERT_EQ(index, 1);
    EXPECT_EQ(EmbeddingPermission(file, index), TPDFEmbedding::Subset);
    EXPECT_EQ(EmbeddingPermission(withFaceFsType(file, index, 0x0002), index), TPDFEmbedding::Forbidden);
    EXPECT_EQ(EmbeddingPermission(withFaceFsType(file, index, 0x0100), index), TPDFEmbedding::WholeFileOnly);
}

TEST(FontCollections, ASubsetAndAWholeFaceAreFontsOfTheFaceInUse)
{
    const TPDFFontKey key = TPDFFontKey::Of(kMonoFace, false, false, 0);
    std::bitset<256> used;
    for (const unsigned char c : std::string("Abc"))
        used.set(c);
    const TPDFFontPlan plan = PlanPDFFont(key, TPDFFontOptions{TFontHandling::fhEmbedSubset}, &used);
    ASSERT_EQ(plan.faceIndex, 1);
    ASSERT_TRUE(plan.subset);
    EXPECT_TRUE(startsWith(plan.embedded, std::string_view("\0\1\0\0", 4)));
    EXPECT_TRUE(holdsName(plan.embedded, "Micro Hei Mono"));
    EXPECT_FALSE(plan.CffOutlines());
    // The whole face: a font file of its own, not the collection, and
    // not its first face.
    const TPDFFontPlan whole = PlanPDFFont(key, TPDFFontOptions{TFontHandling::fhAutoEmbed}, &used);
    ASSERT_FALSE(whole.subset);
    ASSERT_TRUE(startsWith(whole.embedded, std::string_view("\0\1\0\0", 4)));
    EXPECT_TRUE(holdsName(whole.embedded, "Micro Hei Mono"));
    const auto head = zt::platform::sfntTable(whole.embedded, 0, "head");
    ASSERT_TRUE(head);
    const auto ownHead = zt::platform::sfntTable(whole.data, 1, "head");
    ASSERT_TRUE(ownHead);
    EXPECT_TRUE(std::equal(whole.data.begin() + static_cast<long>(ownHead->offset + 12),
                           whole.data.begin() + static_cast<long>(ownHead->offset + ownHead->length),
                           whole.embedded.begin() + static_cast<long>(head->offset + 12)));
}

class PdfFontFiles : public ExportReport {
protected:
    // A document with one line in `face`, rendered at 72 dpi where the
    // system has no fonts at all: the count of its dark pixels.
    std::pair<PdfFile, int> write(const std::string& face, const std::string& name,
                                  const std::function<void(TQRPDFDocumentFilter&)>& configure)
    {
        TQRCustomBand* b = band(rbDetail, 20);
        b->TransparentBand = true;
        label(b, "Grüße aus Köln", 0, 0, face)->SetTransparent(true);
        const std::string path = scratch.file(name);
        PdfFile doc = exportPdf(*rep, path, configure);
        const std::string noFonts = scratch.file("fonts.conf");
        std::ofstream(noFonts) << "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" << scratch.file("cache")
                               << "</cachedir></fontconfig>\n";
        const std::string image = scratch.file(name + "-page");
        const auto r = runTool("FONTCONFIG_FILE=" + quoted(noFonts) + " pdftoppm -r 72 -gray -singlefile " +
                               quoted(path) + " " + quoted(image));
        EXPECT_EQ(r.status, 0) << r.output;
        const std::string pgm = zt::testing::readBytes(image + ".pgm");
        std::istringstream in(pgm);
        std::string magic;
        int w = 0, h = 0, max = 0;
        in >> magic >> w >> h >> max;
        in.get();
        int dark = 0;
        for (auto at = static_cast<std::size_t>(in.tellg()); at < pgm.size(); ++at)
            dark += static_cast<unsigned char>(pgm[at]) < 128;
        return {std::move(doc), dark};
    }
    std::string fontsOf(const std::string& name) { return runTool("pdffonts " + quoted(scratch.file(name))).output; }
    std::string textOf(const std::string& name)
    {
        return runTool("pdftotext -enc UTF-8 " + quoted(scratch.file(name)) + " -").output;
    }

    ScratchFolder scratch{"pdf-font-files"};
};

TEST_F(PdfFontFiles, AFaceOfACollectionIsEmbeddedAsThatFace)
{
    const auto [doc, dark] = write(kMonoFace, "ttc.pdf", [](TQRPDFDocumentFilter& f) {
        f.SetFontHandling(TFontHandling::fhEmbedSubset);
    });
    EXPECT_TRUE(doc.hasLine("%PDF-1.3"));
    EXPECT_TRUE(doc.hasLine("/Subtype /TrueType"));
    EXPECT_NE(doc.bytes().find("/FontFile2 8 0 R"), std::string::npos);
    // The embedded subset is of the face in use, whose names it keeps.
    const std::string file = doc.streamOf(8);
    EXPECT_TRUE(holdsName(std::vector<std::uint8_t>(file.begin(), file.end()), "Micro Hei Mono"));
    const std::string fonts = fontsOf("ttc.pdf");
    EXPECT_NE(fonts.find("+WenQuanYiMicroHeiMono"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find(" yes yes "), std::string::npos) << fonts;
    EXPECT_NE(textOf("ttc.pdf").find("Grüße aus Köln"), std::string::npos);
    EXPECT_GT(dark, 40);
}

TEST_F(PdfFontFiles, CffOutlinesAreEmbeddedAsAnOpenTypeFontFile)
{
    ASSERT_TRUE(startsWith(fileOf(kCffFace), "OTTO")) << "Debian's fonts-urw-base35 is not installed";
    for (const bool subset : {true, false}) {
        const std::string name = subset ? "otf-subset.pdf" : "otf-whole.pdf";
        const auto [doc, dark] = write(kCffFace, name, [subset](TQRPDFDocumentFilter& f) {
            if (subset)
                f.SetFontHandling(TFontHandling::fhEmbedSubset);
            else
                f.AddTTFont(kCffFace);
        });
        EXPECT_TRUE(doc.hasLine("%PDF-1.6")) << name;
        EXPECT_TRUE(doc.hasLine("/Subtype /Type1")) << name;
        EXPECT_FALSE(doc.hasLine("/Subtype /TrueType")) << name;
        EXPECT_NE(doc.bytes().find("/FontFile3 "), std::string::npos) << name;
        EXPECT_EQ(doc.bytes().find("/FontFile2 "), std::string::npos) << name;
        EXPECT_NE(doc.bytes().find("/Subtype /OpenType /Length "), std::string::npos) << name;
        const std::string fonts = fontsOf(name);
        EXPECT_NE(fonts.find("Type 1C (OT)"), std::string::npos) << fonts;
        EXPECT_NE(fonts.find(subset ? " yes yes " : " yes no "), std::string::npos) << fonts;
        EXPECT_NE(textOf(name).find("Grüße aus Köln"), std::string::npos) << name;
        // Drawn from the embedded file alone, the line has its ink.
        EXPECT_GT(dark, 40) << name;
    }
}

} // namespace
