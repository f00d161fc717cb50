// The archive document of any report: its structure from the bands' and
// printables' roles (or their kinds, when they say nothing), its text
// strings, and the PDF/A-2u and PDF/UA-1 rules checked by pdfa_check.py,
// which must itself catch a document that breaks them.

#include "export/ExportFixture.h"
#include "export/RedBlue.h"
#include "export/PdfExport.h"
#include "export/QRPDFDocument.h"
#include "report/QRComposite.h"
#include "report/QRShapes.h"
#include "support/PdfFile.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <regex>

using namespace zt::report;
using namespace zt::exporting;
using zt::testing::ExportReport;
using zt::testing::PdfFile;
using zt::testing::ScratchFolder;
using zt::testing::quoted;
using zt::testing::runTool;

namespace {

const std::string kCheck = "python3 " + quoted(std::string(ZT_TEST_DATA) + "/../pdfa_check.py");

// The structure as pdfinfo prints it, one element or text a line.
std::string structure(const std::string& path)
{
    return runTool("pdfinfo -struct-text " + quoted(path)).output;
}

std::size_t count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

class PdfArchive : public ExportReport {
protected:
    void SetUp() override
    {
        ExportReport::SetUp();
        TQRPDFDocumentFilter::MetaData().clear();
    }
    void TearDown() override
    {
        TQRPDFDocumentFilter::MetaData().clear();
        TQRPAbstractExportFilter::SetSuppressDateTime(false);
        ExportReport::TearDown();
    }
    std::string archive(const std::string& name)
    {
        const std::string path = scratch.file(name);
        zt::testing::exportPdf(*rep, path, [](TQRPDFDocumentFilter& f) { f.SetArchive(true); });
        return path;
    }
    TQRShape* box(TQRControl* parent)
    {
        auto* s = new TQRShape(&form);
        s->SetParent(parent);
        s->Size().SetWidth(20);
        s->Size().SetHeight(5);
        return s;
    }
    ScratchFolder scratch{"pdf-archive"};
};

// A report that says nothing of its structure: 250 pages of a memo whose
// paragraphs are split at empty lines, a title, page headers and footers
// and a box. Every rule holds, the header and footer are artifacts, each
// paragraph is one element however many pages it spans.
TEST_F(PdfArchive, AReportThatSaysNothingIsTaggedFromItsBandsAndPrintables)
{
    rep->DocumentInfo.Title = "Bericht";
    label(band(rbTitle, 10), "Der Titel");
    label(band(rbPageHeader, 10), "Kopfzeile des Berichts");
    label(band(rbPageFooter, 10), "Fusszeile des Berichts");
    TQRCustomBand* detail = band(rbDetail, 10);
    TQRMemo* m = memo(detail, 1, 0, 5);
    std::vector<std::string> lines;
    for (int n = 1; n <= 5300; ++n)
        lines.insert(lines.end(), {"Absatz " + std::to_string(n), "weiter " + std::to_string(n), ""});
    m->SetLines(lines);
    box(detail);
    const std::string path = archive("report.pdf");

    const auto checked = runTool(kCheck + " " + quoted(path));
    EXPECT_EQ(checked.status, 0) << checked.output;
    const auto info = runTool("pdfinfo " + quoted(path)).output;
    const std::smatch pages = [&] {
        std::smatch found;
        std::regex_search(info, found, std::regex("Pages: +([0-9]+)"));
        return found;
    }();
    ASSERT_FALSE(pages.empty()) << info;
    EXPECT_GE(std::stoi(pages[1]), 250);
    const std::string tree = structure(path);
    EXPECT_EQ(tree.find("Kopfzeile"), std::string::npos);
    EXPECT_EQ(tree.find("Fusszeile"), std::string::npos);
    EXPECT_NE(tree.find("  P (block)\n    \"Der Titel \""), std::string::npos) << tree.substr(0, 400);
    EXPECT_EQ(count(tree, "  P (block)\n"), 5301u);
    // In order, each its two lines (a paragraph a page break cuts keeps both pieces).
    std::size_t at = 0;
    for (int n = 1; n <= 5300; n += 331) {
        const std::size_t next = tree.find("\"Absatz " + std::to_string(n) + " ", at);
        ASSERT_NE(next, std::string::npos) << n;
        EXPECT_NE(tree.find("weiter " + std::to_string(n) + " \"", next), std::string::npos);
        at = next;
    }
}

// Roles given: list items make one list until something else comes between,
// a label joining the one before adds to its heading, an artifact band keeps
// even a paragraph out, a section band holds its printables, and every
// report of a composite run is a part.
TEST_F(PdfArchive, RolesOfBandsAndPrintablesShapeTheTree)
{
    rep->DocumentInfo.Title = "Rollen";
    TQRCustomBand* title = band(rbTitle, 60);
    // Printed first, beside the heading, but read after everything else.
    label(title, "Kasten", 0)->Structure.ReadingOrder = 1;
    TQRLabel* h1 = label(title, "Erste Zeile", 0);
    h1->Structure.Role = TQRStructureRole::srHeading;
    TQRLabel* h2 = label(title, "zweite Zeile", 5);
    h2->Structure.Role = TQRStructureRole::srHeading;
    h2->Structure.JoinsPrevious = true;
    for (int i = 0; i < 3; ++i) {
        TQRLabel* item = label(title, "Punkt " + std::to_string(i), 10 + 5 * i);
        item->Structure.Role = TQRStructureRole::srListItem;
        item->Structure.ActualText = "gesprochen " + std::to_string(i);
    }
    label(title, "Dazwischen", 25);
    label(title, "Nachher", 30)->Structure.Role = TQRStructureRole::srListItem;
    TQRCustomBand* noise = band(rbDetail, 10);
    noise->Structure.Role = TQRStructureRole::srArtifact;
    label(noise, "Rauschen")->Structure.Role = TQRStructureRole::srParagraph;
    TQRCustomBand* section = band(rbSummary, 10);
    section->Structure.Role = TQRStructureRole::srSection;
    label(section, "Im Abschnitt");

    const std::string path = archive("roles.pdf");
    const auto checked = runTool(kCheck + " " + quoted(path));
    EXPECT_EQ(checked.status, 0) << checked.output;
    const std::string tree = structure(path);
    EXPECT_NE(tree.find("  H1 (block)\n    \"Erste Zeile zweite Zeile \""), std::string::npos) << tree;
    EXPECT_EQ(count(tree, "  L (block)\n"), 2u) << tree;
    EXPECT_EQ(count(tree, "    LI (block)\n      LBody (block)\n"), 4u) << tree;
    EXPECT_LT(tree.find("Punkt 2"), tree.find("Dazwischen"));
    EXPECT_EQ(tree.find("Rauschen"), std::string::npos) << tree;
    EXPECT_NE(tree.find("  Sect\n    P (block)\n      \"Im Abschnitt \""), std::string::npos) << tree;
    EXPECT_GT(tree.find("Kasten"), tree.find("Im Abschnitt")) << tree;
    const PdfFile doc(zt::testing::readBytes(path));
    EXPECT_TRUE(doc.hasLine("/ActualText (gesprochen 1)"));

    // The same report twice in one composite run: two parts, each with all of it.
    TQRCompositeReport chain(&form);
    chain.AddReport(rep);
    chain.AddReport(rep);
    const std::string twice = scratch.file("twice.pdf");
    {
        TQRPDFDocumentFilter filter(twice);
        filter.SetArchive(true);
        chain.ExportToFilter(&filter);
    }
    const auto both = runTool(kCheck + " " + quoted(twice));
    EXPECT_EQ(both.status, 0) << both.output;
    const std::string parts = structure(twice);
    EXPECT_EQ(count(parts, "\n  Part\n"), 2u) << parts;
    EXPECT_EQ(count(parts, "Im Abschnitt"), 2u);
}

// The archive document is asked for by the report, chosen by the caller,
// and the plain one stays as it was: no tags, no metadata, no identifier.
TEST_F(PdfArchive, TheReportAsksTheCallerChooses)
{
    label(band(rbDetail, 10), "Text");
    const auto written = [&](const std::string& name, int choice) {
        const std::string path = scratch.file(name);
        TQRPDFDocumentFilter filter(path);
        if (choice >= 0)
            filter.SetArchive(choice == 1);
        rep->ExportToFilter(&filter);
        EXPECT_EQ(filter.Notice(), "");
        return PdfFile(zt::testing::readBytes(path));
    };
    EXPECT_EQ(written("default.pdf", -1).lines().front(), "%PDF-1.3");
    rep->DocumentInfo.Archive = true;
    const PdfFile asked = written("asked.pdf", -1);
    EXPECT_EQ(asked.lines().front(), "%PDF-1.7");
    EXPECT_TRUE(asked.hasLine("/MarkInfo << /Marked true >>"));
    const PdfFile plain = written("plain.pdf", 0);
    EXPECT_EQ(plain.lines().front(), "%PDF-1.3");
    EXPECT_FALSE(plain.hasLine("/Lang (de-DE)"));
    EXPECT_EQ(plain.bytes().find("/StructParents"), std::string::npos);
    EXPECT_EQ(plain.bytes().find("BDC"), std::string::npos);
    EXPECT_EQ(plain.bytes().find("/ID"), std::string::npos);
}

// Information and metadata carry the same text and instants; a keyword
// line goes to both; without dates neither has one.
TEST_F(PdfArchive, MetadataRepeatsTheInformation)
{
    rep->DocumentInfo.Title = "Preis 100 € – „Angebot“ & <Rabatt>";
    rep->DocumentInfo.Author = "Łukasz Żółć";
    rep->DocumentInfo.Subject = "Καλημέρα";
    TQRPDFDocumentFilter::MetaData().push_back("Keywords,Angebot, Preis");  // two commas: left out
    TQRPDFDocumentFilter::MetaData().push_back("Keywords,Angebot");
    label(band(rbDetail, 10), "Text");
    const std::string path = archive("meta.pdf");
    const auto checked = runTool(kCheck + " " + quoted(path));
    EXPECT_EQ(checked.status, 0) << checked.output;
    const auto info = runTool("pdfinfo -enc UTF-8 " + quoted(path)).output;
    EXPECT_NE(info.find("Title:           Preis 100 € – „Angebot“ & <Rabatt>\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Author:          Łukasz Żółć\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Subject:         Καλημέρα\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Keywords:        Angebot\n"), std::string::npos) << info;
    const std::string xmp = runTool("pdfinfo -meta " + quoted(path)).output;
    EXPECT_NE(xmp.find("Preis 100 € – „Angebot“ &amp; &lt;Rabatt&gt;"), std::string::npos) << xmp;
    EXPECT_NE(xmp.find("<pdf:Keywords>Angebot</pdf:Keywords>"), std::string::npos);

    TQRPAbstractExportFilter::SetSuppressDateTime(true);
    const std::string undated = archive("undated.pdf");
    EXPECT_EQ(runTool(kCheck + " " + quoted(undated)).status, 0);
    const std::string undatedXmp = runTool("pdfinfo -meta " + quoted(undated)).output;
    EXPECT_EQ(undatedXmp.find("CreateDate"), std::string::npos);
    EXPECT_EQ(runTool("pdfinfo " + quoted(undated)).output.find("CreationDate"), std::string::npos);
}

// The check fails what breaks a rule: content outside tagged content and
// artifacts, and a title the metadata does not repeat.
TEST_F(PdfArchive, TheCheckCatchesUntaggedContentAndMetadataThatDiffers)
{
    rep->DocumentInfo.Title = "Titel";
    TQRCustomBand* detail = band(rbDetail, 10);
    label(detail, "Text");
    box(detail);
    // A picture too: an artifact, and without LZW, which the format forbids.
    auto* picture = new TQRImage(&form);
    picture->SetParent(detail);
    picture->Size().SetLeft(120);
    picture->Size().SetWidth(10);
    picture->Size().SetHeight(5);
    picture->SetPicture(zt::testing::redBluePicture());
    const std::string path = archive("good.pdf");
    const auto good = runTool(kCheck + " " + quoted(path));
    ASSERT_EQ(good.status, 0) << good.output;
    EXPECT_NE(zt::testing::readBytes(path).find("\r\nID\r\n"), std::string::npos);  // the picture is there
    const std::string bytes = zt::testing::readBytes(path);
    const auto broken = [&](const std::string& name, const std::string& from, const std::string& to) {
        std::string b = bytes;
        const std::size_t at = b.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos)
            b.replace(at, from.size(), to);  // the same length: the offsets hold
        const std::string out = scratch.file(name);
        zt::testing::writeBytes(out, b);
        return runTool(kCheck + " " + quoted(out));
    };
    const auto untagged = broken("untagged.pdf", "/Artifact BMC", "             ");
    EXPECT_NE(untagged.status, 0);
    EXPECT_NE(untagged.output.find("outside tagged content and artifacts"), std::string::npos) << untagged.output;
    const auto retitled = broken("retitled.pdf", "/Title (Titel)", "/Title (Tüdel)");
    EXPECT_NE(retitled.status, 0);
    EXPECT_NE(retitled.output.find("dc:title 'Titel' differs from /Title"), std::string::npos) << retitled.output;
}

TEST(PdfTextStrings, PdfDocEncodingWhereItHoldsTheTextElseUtf16)
{
    EXPECT_EQ(PdfTextString("Ihre Anfrage (März) \\"), "(Ihre Anfrage \\(M\xE4rz\\) \\\\)");
    // The euro sign, dashes and German quotes are PDFDocEncoding's own, not Windows-1252's.
    EXPECT_EQ(PdfTextString("100 € – „x“ — Łask Žal"), "(100 \xA0 \x85 \x8Cx\x8D \x84 \x95""ask \x99""al)");
    // One character it lacks (ź) and the whole string goes in UTF-16.
    EXPECT_EQ(PdfTextString("Łódź"), "<FEFF014100F30064017A>");
    EXPECT_EQ(PdfTextString("Ωμέγα"), "<FEFF03A903BC03AD03B303B1>");
    EXPECT_EQ(PdfTextString("a\U0001F600"), "<FEFF0061D83DDE00>");
    EXPECT_EQ(PdfTextString(""), "()");
    EXPECT_EQ(PdfDocEncodingByte(U'\u00AD'), -1);  // the soft hyphen has no place there
    EXPECT_EQ(PdfDocEncodingByte(U'\u02DC'), 0x1F);
}

} // namespace
