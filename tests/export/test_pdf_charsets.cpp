// Fonts of the Japanese and Chinese character sets: the writer's single-byte
// text cannot hold them, so the export stops with a German message and
// writes no file, instead of printing Western letters in their place.

#include "export/QRPDFFilter.h"
#include "base/QRError.h"
#include "support/PdfFile.h"
#include "support/ScratchFolder.h"
#include "support/SmallReport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace zt::report;
using namespace zt::exporting;
using zt::testing::ScratchFolder;

namespace {

struct CharsetCase {
    int charset;
    const char* words;
    int codePage;
};

class PdfCharsets : public zt::testing::SmallReportTest, public ::testing::WithParamInterface<CharsetCase> {
protected:
    // A report with one line in Courier New of `charset`, exported to `path`.
    void exportWith(int charset, const std::string& path)
    {
        TQRLabel* l = label(band(rbDetail, 10), "Grüße");
        TQRFont f = l->Font();
        f.Charset = charset;
        l->SetFont(f);
        TQRPDFDocumentFilter filter(path);
        rep->ExportToFilter(&filter);
    }
    ScratchFolder scratch{"pdf-charsets"};
};

TEST_P(PdfCharsets, AFontOfTheCharacterSetStopsTheExportWithAGermanMessage)
{
    const CharsetCase& c = GetParam();
    const std::string path = scratch.file("brief.pdf");
    try {
        exportWith(c.charset, path);
        FAIL() << "no error for character set " << c.charset;
    } catch (const EQRError& e) {
        EXPECT_EQ(e.kind(), zt::platform::ErrorKind::DamagedInput);
        EXPECT_EQ(std::string(e.what()), std::string("Die Schrift „Courier New“ verwendet den ") + c.words +
                                              " Zeichensatz (Codepage " + std::to_string(c.codePage) +
                                              "), den ein PDF-Dokument hier nicht aufnehmen kann");
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    // The report is free for the next run.
    EXPECT_TRUE(rep->Available);
    EXPECT_FALSE(rep->Exporting);
}

INSTANTIATE_TEST_SUITE_P(JapaneseAndChinese, PdfCharsets,
                         ::testing::Values(CharsetCase{128, "japanischen", 932},
                                           CharsetCase{134, "vereinfachten chinesischen", 936},
                                           CharsetCase{136, "traditionellen chinesischen", 950}));

class PdfSingleByteCharsets : public zt::testing::SmallReportTest, public ::testing::WithParamInterface<int> {
protected:
    ScratchFolder scratch{"pdf-charsets"};
};

TEST_P(PdfSingleByteCharsets, AreWrittenInTheirCodePages)
{
    const std::string path = scratch.file("brief.pdf");
    TQRLabel* l = label(band(rbDetail, 10), "Grüße");
    TQRFont f = l->Font();
    f.Charset = GetParam();
    l->SetFont(f);
    TQRPDFDocumentFilter filter(path);
    EXPECT_NO_THROW(rep->ExportToFilter(&filter));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(zt::testing::qpdfProblems(path), "");
}

// Default, ANSI, Eastern Europe, Russian and Greek.
INSTANTIATE_TEST_SUITE_P(Others, PdfSingleByteCharsets, ::testing::Values(1, 0, 238, 204, 161));

} // namespace
