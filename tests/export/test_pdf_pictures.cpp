// Pictures and rules in the PDF: where a data picture lands in its box by
// its fit, the bitmap each picture source gives, a rule's one line.

#include "export/PdfExport.h"
#include "export/RedBlue.h"
#include "export/QRPDFFilter.h"
#include "platform/streams/Stream.h"
#include "report/QRDataSet.h"
#include "report/QRShapes.h"

#include <gtest/gtest.h>

#include <string>

using namespace zt::report;
using namespace zt::exporting;

namespace {

using zt::testing::redBlueFile;

struct FitCase {
    bool graphic;
    TQRFitMode mode;
    bool stretch;
    int pictureW, pictureH;
    TQRPictureFit expected;
};

class PictureFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(PictureFit, PlacesTheDataPictureInItsBox)
{
    const FitCase& c = GetParam();
    TQRGrDBImage gr(nullptr);
    TQRDBImage plain(nullptr);
    TQRDBImage& image = c.graphic ? gr : plain;
    gr.FitMode = c.mode;
    image.Stretch = c.stretch;
    image.SetBounds(0, 0, 100, 50);
    const TQRPictureFit fit = FitDataPicture(image, c.pictureW, c.pictureH);
    EXPECT_EQ(fit.Left, c.expected.Left);
    EXPECT_EQ(fit.Top, c.expected.Top);
    EXPECT_EQ(fit.Width, c.expected.Width);
    EXPECT_EQ(fit.Height, c.expected.Height);
}

// A box of 100 x 50.
INSTANTIATE_TEST_SUITE_P(
    Modes, PictureFit,
    ::testing::Values(
        // Square picture: too tall for the box; wide picture: too wide.
        FitCase{false, TQRFitMode::fmInsideProp, false, 200, 200, {25, 0, 50, 50}},
        FitCase{false, TQRFitMode::fmInsideProp, false, 400, 100, {0, 12.5L, 100, 25}},
        FitCase{false, TQRFitMode::fmKeepWidth, true, 200, 200, {0, 0, 100, 50}},
        FitCase{true, TQRFitMode::fmInsideProp, false, 200, 200, {25, 0, 50, 50}},
        FitCase{true, TQRFitMode::fmKeepWidth, false, 200, 200, {0, 0, 100, 100}},
        FitCase{true, TQRFitMode::fmKeepHeight, false, 400, 100, {0, 0, 200, 50}},
        FitCase{true, TQRFitMode::fmProportional, false, 200, 200, {0, 0, 100, 100}},
        FitCase{true, TQRFitMode::fmProportional, false, 400, 100, {0, 0, 200, 50}},
        FitCase{true, TQRFitMode::fmProportional, true, 400, 100, {0, 0, 100, 50}}));

std::string documentOf(TQRPDFDocumentFilter& f)
{
    f.Finish();
    const auto& bytes = f.Stream()->Bytes();
    return std::string(bytes.begin(), bytes.end());
}

TQRPDFDocumentFilter& started(TQRPDFDocumentFilter& f)
{
    f.SetCompressionOn(false);
    f.Start(2100, 2970, TQRFont{});
    return f;
}

TEST(PdfPictures, AGraphicDataPictureIsCutToItsBoxOnlyWhenAskedTo)
{
    TQRMemoryDataSet ds({"Bild"});
    ds.AddRecord({redBlueFile()});
    ds.Open();
    for (const bool clip : {false, true}) {
        TQRGrDBImage image(nullptr);
        image.DataSet = &ds;
        image.DataField = "Bild";
        image.ClipImage = clip;
        image.SetBounds(0, 0, 40, 20);
        image.LoadPicture();
        TQRPDFDocumentFilter f("");
        started(f).AcceptGraphic(100, 100, &image);
        const std::string doc = documentOf(f);
        EXPECT_NE(doc.find(clip ? "/Width 40\r\n/Height 20" : "/Width 2\r\n/Height 1"), std::string::npos) << clip;
    }
    // Without its field nothing is written.
    TQRGrDBImage unbound(nullptr);
    unbound.SetBounds(0, 0, 40, 20);
    unbound.DataField = "Bild";
    TQRPDFDocumentFilter f("");
    started(f).AcceptGraphic(100, 100, &unbound);
    EXPECT_EQ(documentOf(f).find("/Width"), std::string::npos);
}

TEST(PdfPictures, APrinterPictureWithoutAPrinterKeepsTheScreensSize)
{
    const auto drawn = [](int tag) {
        TQRImage image(nullptr);
        TQRPicture p;
        const std::string file = redBlueFile();
        p.Data.assign(file.begin(), file.end());
        image.SetPicture(p);
        image.Tag = tag;
        image.SetBounds(0, 0, 40, 20);
        TQRPDFDocumentFilter f("");
        started(f).AcceptGraphic(100, 100, &image);
        const std::string doc = documentOf(f);
        const auto at = doc.find("q ");
        return at == std::string::npos ? std::string() : doc.substr(at, doc.find(" cm", at) - at);
    };
    // A box-sized bitmap drawn at one screen pixel per picture pixel.
    EXPECT_EQ(drawn(12345), "q 30 0 0 15 75 752");
    EXPECT_EQ(drawn(0), drawn(12345));
}

TEST(PdfPictures, ARuleIsOneLineThroughTheMiddleOfItsBoxInItsPensColour)
{
    TQRHRule rule(nullptr);
    rule.SetBounds(0, 0, 200, 10);
    rule.SetPen({clRed, TPenStyle::psSolid, 2});
    TQRPDFDocumentFilter f("");
    started(f).AcceptGraphic(100, 200, &rule);
    // 100 and 200 device units are 75 and 150 points; the box is 150 by 7.5.
    const zt::testing::PdfFile doc(documentOf(f));
    EXPECT_EQ(doc.streamOf(5), " 2 w\r\n1.00 0.00 0.00 RG\r\n75 688 m 225 688 l s\r\nBT\r\nET");
}

} // namespace
