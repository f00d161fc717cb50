// The printed letter as PDF, read back by outside tools: qpdf checks the
// file, pdftotext reads the lines, pdffonts lists the fonts, pdfinfo the pages.

#include "export/PdfExport.h"
#include "export/QRExportLibrary.h"
#include "output/LetterPdf.h"
#include "output/LetterPrint.h"
#include "output/uFrmReport.h"
#include "pages/QRPrinter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

using namespace zt::report;
using namespace zt::exporting;
using zt::testing::PdfFile;
using zt::testing::ScratchFolder;
using zt::testing::runTool;
using zt::testing::quoted;

namespace {

std::array<std::string, 16> marks()
{
    return {"", "Kenntnisnahme", "Anruf/Rücksprache", "Stellungnahme", "Kontrolle", "Erledigung", "Entscheidung",
            "Rücknahme", "Verbleib", "", "Schreiben", "Rechnung", "Kopien", "Muster", "Vertrag", ""};
}

class PdfLetter : public ::testing::Test {
protected:
    void SetUp() override
    {
        letter.absender = {"Erika Mustermann", "Hauptstraße 5", "12345 Musterstadt"};
        letter.anschrift = {"Firma Beispiel GmbH", "Am Markt 1", "54321 Beispielhausen"};
        letter.titel1 = "Ihre Anfrage (Preise)";
        letter.datum = "Musterstadt, 09.12.2026";
        for (int i = 1; i <= 100; ++i)
            letter.mitteilung.push_back("Zeile " + std::to_string(i) + " Größe 5 € (netto) C:\\Ablage");
        form->LetterSource = [this] { return zt::output::DesignPrintSource(letter, marks()); };
        form->PageTotal = [this] { return total; };
        rep.ShowProgress = false;
    }
    // Prepare for the page total, then the export, as the preview's save does.
    std::string write(const std::string& name, const std::function<void(TQRPDFDocumentFilter&)>& configure = {})
    {
        rep.Prepare();
        total = rep.QRPrinter->PageCount();
        const std::string path = scratch.file(name);
        TQRPDFDocumentFilter filter(path);
        if (configure)
            configure(filter);
        rep.QRPrinter->ExportToFilter(&filter);
        return path;
    }

    zt::files::TLetterContent letter;
    std::unique_ptr<zt::output::TfrmReport> form = std::make_unique<zt::output::TfrmReport>();
    TBandoriaRep& rep = *form->BandoriaRep1;
    int total = 0;
    ScratchFolder scratch{"pdf-letter"};
};

TEST_F(PdfLetter, PassesQpdfHasThePagesOfTheLayoutOnA4)
{
    const std::string path = write("letter.pdf");
    EXPECT_EQ(zt::testing::qpdfProblems(path), "");
    ASSERT_EQ(total, 2);
    const auto info = runTool("pdfinfo " + quoted(path));
    std::istringstream in(info.output.substr(std::min(info.output.size(), info.output.find("Pages:") + 6)));
    int pages = 0;
    in >> pages;
    EXPECT_EQ(pages, 2) << info.output;
    EXPECT_NE(info.output.find("595 x 842 pts (A4)"), std::string::npos) << info.output;
}

TEST_F(PdfLetter, PdftotextReadsEveryLineInOrderWithUmlautsEuroAndParentheses)
{
    const std::string path = write("letter.pdf");
    const auto text = runTool("pdftotext -layout -enc UTF-8 " + quoted(path) + " -");
    ASSERT_EQ(text.status, 0) << text.output;
    std::size_t at = 0;
    for (int i = 1; i <= 100; ++i) {
        const std::string line = "Zeile " + std::to_string(i) + " Größe 5 € (netto) C:\\Ablage";
        const std::size_t found = text.output.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << "\n" << text.output;
        at = found + line.size();
    }
    const std::size_t page1 = text.output.find("Seite 1 von 2");
    const std::size_t page2 = text.output.find("Seite 2 von 2");
    EXPECT_NE(page1, std::string::npos);
    EXPECT_NE(page2, std::string::npos);
    EXPECT_LT(page1, page2);
    EXPECT_NE(text.output.find("Erika Mustermann, Hauptstraße 5, 12345 Musterstadt"), std::string::npos);
    EXPECT_NE(text.output.find("Ihre Anfrage (Preise)"), std::string::npos);
    EXPECT_NE(text.output.find("Kenntnisnahme"), std::string::npos);
}

TEST_F(PdfLetter, PdffontsListsTheFixedPitchFontAndItsEmbedding)
{
    // The writer's font options are the plain document's: an archive one embeds every font.
    const std::string plain = write("plain.pdf", [](TQRPDFDocumentFilter& f) {
        f.SetArchive(false);
        f.SetFontHandling(TFontHandling::fhNoEmbedding);
    });
    const auto fonts = runTool("pdffonts " + quoted(plain));
    ASSERT_EQ(fonts.status, 0) << fonts.output;
    EXPECT_NE(fonts.output.find("CourierNew"), std::string::npos) << fonts.output;
    EXPECT_NE(fonts.output.find("TrueType"), std::string::npos);
    EXPECT_EQ(fonts.output.find(" yes "), std::string::npos) << fonts.output;

    const std::string embedded = write("embedded.pdf", [](TQRPDFDocumentFilter& f) {
        f.SetArchive(false);
        f.AddTTFont("Courier New");
    });
    EXPECT_EQ(zt::testing::qpdfProblems(embedded), "");
    const auto listed = runTool("pdffonts " + quoted(embedded));
    EXPECT_NE(listed.output.find("CourierNew"), std::string::npos);
    // name, type, encoding, emb, sub, uni: the embedded face says "yes" under emb.
    bool embeddedYes = false;
    std::istringstream lines(listed.output);
    for (std::string l; std::getline(lines, l);)
        if (l.starts_with("CourierNew ") && l.find("TrueType") != std::string::npos) {
            std::istringstream cols(l.substr(l.find("Custom") + 6));
            std::string emb;
            cols >> emb;
            embeddedYes |= emb == "yes";
        }
    EXPECT_TRUE(embeddedYes) << listed.output;
    const auto text = runTool("pdftotext -enc UTF-8 " + quoted(embedded) + " -");
    EXPECT_NE(text.output.find("Zeile 100 Größe 5 €"), std::string::npos);
}

TEST_F(PdfLetter, AFiledLetterStandsAloneAndSaysWhatItIs)
{
    letter.mitteilung.resize(3);
    const std::string path = write("filed.pdf");
    EXPECT_EQ(zt::testing::qpdfProblems(path), "");
    const auto fonts = runTool("pdffonts " + quoted(path));
    ASSERT_EQ(fonts.status, 0) << fonts.output;
    int listed = 0;
    std::istringstream lines(fonts.output);
    for (std::string l; std::getline(lines, l);)
        if (l.find("TrueType") != std::string::npos) {
            ++listed;
            EXPECT_NE(l.find(" yes yes "), std::string::npos) << l;
            EXPECT_EQ(l[6], '+') << l;
        }
    EXPECT_EQ(listed, 3) << fonts.output; // Courier New, its bold, Arial
    const auto info = runTool("pdfinfo " + quoted(path));
    EXPECT_NE(info.output.find("Title:           Ihre Anfrage (Preise)\n"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("Author:          Erika Mustermann\n"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("Subject:         Kurzmitteilung"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("Creator:         Zettelino "), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("CreationDate:    "), std::string::npos) << info.output;

    // Rendered where no font at all can be found, the page is the same.
    const std::string noFonts = scratch.file("fonts.conf");
    std::ofstream(noFonts) << "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" << scratch.file("cache")
                           << "</cachedir></fontconfig>\n";
    const std::string normal = scratch.file("normal"), bare = scratch.file("bare");
    ASSERT_EQ(runTool("pdftoppm -r 60 -gray -singlefile " + quoted(path) + " " + quoted(normal)).status, 0);
    ASSERT_EQ(runTool("FONTCONFIG_FILE=" + quoted(noFonts) + " pdftoppm -r 60 -gray -singlefile " + quoted(path) +
                      " " + quoted(bare)).status, 0);
    const std::string a = zt::testing::readBytes(normal + ".pgm"), b = zt::testing::readBytes(bare + ".pgm");
    ASSERT_EQ(a.size(), b.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        differing += a[i] != b[i];
    EXPECT_LE(differing, 10u);
}

TEST_F(PdfLetter, TheFooterSitsBelowTheMessageAndTheSenderLineAboveTheAddress)
{
    letter.mitteilung.resize(3);
    // The plain document, whose text strings can be searched for.
    const std::string path = write("short.pdf", [](TQRPDFDocumentFilter& f) { f.SetArchive(false); });
    EXPECT_EQ(zt::testing::qpdfProblems(path), "");
    const PdfFile doc(zt::testing::readBytes(path));
    // Baselines from the content stream: y grows upwards.
    const auto yOf = [&](const std::string& text) {
        const std::string s = doc.streamOf(5);
        const std::size_t at = s.find("(" + text);
        const std::size_t tm = s.rfind(" 1 0 0 1 ", at);
        std::istringstream in(s.substr(tm + 9));
        long x = 0, y = 0;
        in >> x >> y;
        return y;
    };
    const long sender = yOf("Erika Mustermann, Hauptstra");
    const long address = yOf("Firma Beispiel GmbH");
    const long message = yOf("Zeile 3 ");
    const long footer = yOf("Seite 1 von 1");
    EXPECT_GT(sender, address);
    EXPECT_GT(address, message);
    EXPECT_GT(message, footer);
    EXPECT_LT(footer, 842 / 10);
}

// The letter's PDF takes its page total from the report's first pass alone,
// which draws and keeps nothing: the same total and the same bytes as the
// way the preview's save goes (recorded pages first), for short and long
// letters, wrapped lines and an empty message.
TEST_F(PdfLetter, TheFirstPassAloneGivesThePreviewsTotalAndTheSameBytes)
{
    RegisterExportFilters();
    const auto withoutDate = [](const std::string& path) {
        return zt::testing::withoutInstants(zt::testing::readBytes(path));
    };
    const std::string wide(150, 'w');
    for (const int lines : {0, 1, 40, 65, 300}) {
        letter.mitteilung.clear();
        for (int i = 0; i < lines; ++i)
            letter.mitteilung.push_back(i % 7 == 3 ? wide + " " + wide : "Zeile " + std::to_string(i) + " Größe");
        const std::string before = write("prepared.pdf");
        const int preparedTotal = total;

        zt::output::TfrmReport other;
        int counted = -1;
        other.LetterSource = [this] { return zt::output::DesignPrintSource(letter, marks()); };
        other.PageTotal = [&counted] { return counted; };
        other.BandoriaRep1->ShowProgress = false;
        const std::string after = scratch.file("counted.pdf");
        zt::output::WriteLetterPdf(*other.BandoriaRep1, counted, after);
        EXPECT_EQ(counted, preparedTotal) << lines << " lines";
        EXPECT_EQ(withoutDate(after), withoutDate(before)) << lines << " lines";
    }
}

TEST_F(PdfLetter, CountingPagesLeavesTheRecordedPagesAsTheyWere)
{
    for (int i = 0; i < 200; ++i)
        letter.mitteilung.push_back("Zeile " + std::to_string(i));
    rep.Prepare();
    zt::pages::TQRPrinter* recorder = rep.QRPrinter;
    const int recorded = recorder->PageCount();
    EXPECT_EQ(rep.CountPages(), recorded);
    EXPECT_EQ(rep.QRPrinter, recorder);
    EXPECT_EQ(rep.QRPrinter->PageCount(), recorded);
    EXPECT_TRUE(rep.FinalPass);
    EXPECT_TRUE(rep.Available);
}

} // namespace
