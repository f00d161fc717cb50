// Two small documents written byte for byte as stored in data/: one with
// the standard fonts, one with TrueType fonts described by their widths.
// Any change to what the writer puts out shows here first; a deliberate
// one is stored anew with ZT_WRITE_GOLDEN=1 set for one run (the second
// needs the Liberation fonts the machines have).

#include "export/QRPDFFilter.h"
#include "export/RedBlue.h"
#include "platform/streams/Stream.h"
#include "report/QRShapes.h"
#include "support/PdfFile.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace zt::report;
using namespace zt::exporting;
using zt::testing::qpdfProblems;
using zt::testing::readBytes;
using zt::testing::writeBytes;

namespace {

TQRFont font(const char* name, TFontStyles style = 0, int height = -13)
{
    TQRFont f;
    f.Name = name;
    f.Style = style;
    f.Height = height;
    return f;
}

// Text, shapes, a rule and a picture on two pages, and an empty third.
void drawDocument(TQRPDFDocumentFilter& f)
{
    f.Start(2100, 2970, TQRFont{});
    f.NewPage();
    f.TextOut(100, 100, font("Arial"), clWhite, TAlignment::taLeftJustify, "Kurzmitteilung (Entwurf)");
    f.TextOut(100, 160, font("Times New Roman", fsBold, -16), clWhite, TAlignment::taLeftJustify,
              "5 \u20AC f\u00FCr \u00D6l \\ Gr\u00FC\u00DFe");
    f.TextOut(1900, 220, font("Arial", fsItalic | fsUnderline), clWhite, TAlignment::taRightJustify, "rechts");
    f.TextOut(1050, 280, font("Courier New"), clWhite, TAlignment::taCenter, "Mitte");
    TQRShape box(nullptr);
    box.SetShape(TQRShapeType::qrsRectangle);
    box.SetBounds(0, 0, 400, 120);
    box.SetPen({clRed, TPenStyle::psSolid, 2});
    box.SetBrush({0x00E0E0E0, TBrushStyle::bsSolid});
    f.AcceptGraphic(100, 400, &box);
    TQRShape circle(nullptr);
    circle.SetShape(TQRShapeType::qrsCircle);
    circle.SetBounds(0, 0, 100, 100);
    f.AcceptGraphic(700, 400, &circle);
    TQRHRule rule(nullptr);
    rule.SetBounds(0, 0, 1800, 10);
    f.AcceptGraphic(100, 600, &rule);
    TQRImage image(nullptr);
    image.SetPicture(zt::testing::redBluePicture());
    image.Stretch = true;
    image.SetBounds(0, 0, 40, 20);
    f.AcceptGraphic(100, 700, &image);
    f.NewPage();
    f.TextOut(100, 100, font("Arial", fsBold), clWhite, TAlignment::taLeftJustify, "Seite 2 von 3");
    f.NewPage();
    f.SetDocumentInfo("Zettelino", "Max Mustermann", "Ihre Anfrage (M\u00E4rz)", "Betreff");
    f.Finish();
}

std::string written(TQRPDFDocumentFilter& f)
{
    const auto& bytes = f.Stream()->Bytes();
    return std::string(bytes.begin(), bytes.end());
}

class PdfGolden : public ::testing::Test {
protected:
    void SetUp() override
    {
        TQRPAbstractExportFilter::SetSuppressDateTime(true);
        TQRPDFDocumentFilter::MetaData() = {"Keywords,Brief, Vorlage", "Abteilung,Bauamt"};
    }
    void TearDown() override
    {
        TQRPAbstractExportFilter::SetSuppressDateTime(false);
        TQRPDFDocumentFilter::MetaData().clear();
    }

    void expectStored(const std::string& bytes, const std::string& name)
    {
        const std::string stored = std::string(ZT_TEST_DATA) + "/" + name;
        if (std::getenv("ZT_WRITE_GOLDEN") != nullptr)
            writeBytes(stored, bytes);
        // An independent reader takes it, and memory and file give the same bytes.
        const std::string path = scratch.file(name);
        writeBytes(path, bytes);
        EXPECT_EQ(qpdfProblems(path), "");
        const std::string expected = readBytes(stored);
        ASSERT_FALSE(expected.empty()) << stored;
        EXPECT_TRUE(bytes == expected) << name << " differs from " << stored << " (" << bytes.size() << " bytes, "
                                       << expected.size() << " stored)";
    }
    zt::testing::ScratchFolder scratch{"pdf-golden"};
};

TEST_F(PdfGolden, StandardFontsDocumentIsWrittenAsStored)
{
    TQRPDFDocumentFilter f("");
    f.SetFontHandling(TFontHandling::fhSubstitute);
    drawDocument(f);
    expectStored(written(f), "standard-fonts.pdf");
}

TEST_F(PdfGolden, TrueTypeWidthsDocumentIsWrittenAsStored)
{
    TQRPDFDocumentFilter f("");
    f.SetFontHandling(TFontHandling::fhNoEmbedding);
    f.SetTextOnTop(false);
    f.SetCompressionOn(false);
    drawDocument(f);
    expectStored(written(f), "truetype-widths.pdf");
}

TEST_F(PdfGolden, AFileGetsTheSameBytesAsMemory)
{
    TQRPDFDocumentFilter inMemory("");
    inMemory.SetFontHandling(TFontHandling::fhSubstitute);
    drawDocument(inMemory);
    const std::string path = scratch.file("file.pdf");
    TQRPDFDocumentFilter toFile(path);
    toFile.SetFontHandling(TFontHandling::fhSubstitute);
    drawDocument(toFile);
    EXPECT_TRUE(readBytes(path) == written(inMemory));
}

} // namespace
