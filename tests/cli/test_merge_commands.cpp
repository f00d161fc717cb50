// The batch tool's mail merge: one PDF of every recipient's letter, one
// file a recipient, and lists that do not fit the letter, which write nothing.

#include "cli/BatchOptions.h"
#include "cli/WindowlessCommands.h"
#include "export/QRExportLibrary.h"
#include "files/LetterFile.h"
#include "platform/text/TextFile.h"
#include "support/PdfFile.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace zt;
namespace fs = std::filesystem;

namespace {

class MergeCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite() { exporting::RegisterExportFilters(); }

    std::string letter(const std::vector<std::string>& anschrift = {})
    {
        files::TLetterContent c;
        c.absender = {"Stadt Musterhausen", "Rathausplatz 1"};
        c.anschrift = anschrift;
        c.mitteilung = {"Sehr geehrte(r) «Anrede» «Name»,", "anbei der Bescheid."};
        c.titel1 = "Bescheid";
        const std::string path = scratch.file("vorlage.ZLW");
        platform::text::writeTextFile(path, files::LetterFileLines(c));
        return path;
    }
    std::string list(const std::string& name, const std::string& bytes)
    {
        const std::string path = scratch.file(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    int run(std::vector<std::string> args)
    {
        err.str("");
        std::ostringstream out;
        const auto status = cli::runLetterWithoutWindow(cli::parseBatchOptions(args), out, err);
        return status.value_or(-1);
    }
    // The text of each page of a PDF.
    std::vector<std::string> pages(const std::string& pdf)
    {
        std::vector<std::string> out;
        std::stringstream all(zt::testing::runTool("pdftotext -layout -enc UTF-8 " + zt::testing::quoted(pdf) + " -").output);
        std::string page;
        while (std::getline(all, page, '\f'))
            if (!page.empty())
                out.push_back(page);
        return out;
    }

    zt::testing::ScratchFolder scratch{"zt-merge"};
    std::ostringstream err;
};

const std::string kCsv1252 = "Anrede;Vorname;Name;Stra\xdf" "e;PLZ;Ort\r\n"
                             "Herr;J\xfcrgen;Wei\xdfm\xfcller;Hauptstra\xdf" "e 12a;50999;K\xf6ln\r\n"
                             "Frau;Erika;Schmidt;Am Markt 1;54321;Beispielhausen\r\n"
                             ";;;;;\r\n"
                             "Frau;Anna;Gro\xdf;Weg 2;10115;Berlin\r\n";

TEST_F(MergeCommands, ACsvListGivesOnePdfOfEveryLetterEachWithItsOwnAddressAndPages)
{
    const std::string pdf = scratch.file("alle.pdf");
    ASSERT_EQ(run({letter(), "--merge", list("adressen.csv", kCsv1252), "--pdf", pdf}), 0) << err.str();
    EXPECT_EQ(zt::testing::qpdfProblems(pdf), "");
    const auto p = pages(pdf);
    ASSERT_EQ(p.size(), 3u);
    const char* expected[][3] = {{"Herr Jürgen Weißmüller", "50999 Köln", "Sehr geehrte(r) Herr Weißmüller,"},
                                 {"Frau Erika Schmidt", "54321 Beispielhausen", "Sehr geehrte(r) Frau Schmidt,"},
                                 {"Frau Anna Groß", "10115 Berlin", "Sehr geehrte(r) Frau Groß,"}};
    for (std::size_t i = 0; i < 3; ++i)
        for (const char* text : {expected[i][0], expected[i][1], expected[i][2], "Seite 1 von 1"})
            EXPECT_NE(p[i].find(text), std::string::npos) << "letter " << i + 1 << " lacks " << text << "\n" << p[i];
}

TEST_F(MergeCommands, AVCardListWithAQuotedPrintableCardGivesTheSame)
{
    const std::string cards = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Weißmüller;Jürgen;;Herr;\r\n"
                              "ADR;TYPE=work:;;Hauptstraße 12a;Köln;;50999;\r\nEND:VCARD\r\n"
                              "BEGIN:VCARD\r\nVERSION:2.1\r\nN;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Schmidt;Erika;;Frau\r\n"
                              "ADR;WORK;ENCODING=QUOTED-PRINTABLE:;;Am Markt 1;Beispielh=C3=A4usern;;54321;\r\nEND:VCARD\r\n"
                              "BEGIN:VCARD\nVERSION:4.0\nFN:Anna Groß\nGENDER:F\nADR:;;Weg 2;Berlin;;10115;\nEND:VCARD\n";
    const std::string pdf = scratch.file("karten.pdf");
    ASSERT_EQ(run({letter(), "--merge", list("adressen.vcf", cards), "--pdf", pdf}), 0) << err.str();
    const auto p = pages(pdf);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_NE(p[0].find("Herr Jürgen Weißmüller"), std::string::npos) << p[0];
    EXPECT_NE(p[1].find("54321 Beispielhäusern"), std::string::npos) << p[1];
    EXPECT_NE(p[2].find("Sehr geehrte(r) Frau Groß,"), std::string::npos) << p[2];
}

TEST_F(MergeCommands, LongLettersCountTheirOwnPagesAndEachRecipientGetsAFile)
{
    files::TLetterContent c;
    for (int i = 0; i < 70; ++i)
        c.mitteilung.push_back("Zeile " + std::to_string(i) + " für «Name»");
    const std::string tmpl = scratch.file("lang.ZLW");
    platform::text::writeTextFile(tmpl, files::LetterFileLines(c));
    const std::string csv = list("doppelt.csv", "Name;Vorname\nMuster;Max\nmuster;max\nA/B;\n");
    const std::string pdf = scratch.file("lang.pdf"), dir = scratch.file("einzeln");
    ASSERT_EQ(run({tmpl, "--merge", csv, "--pdf", pdf, "--pdf-each", dir}), 0) << err.str();
    const auto p = pages(pdf);
    ASSERT_EQ(p.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_NE(p[i].find(i % 2 == 0 ? "Seite 1 von 2" : "Seite 2 von 2"), std::string::npos) << i << p[i];
    for (const char* name : {"Muster Max.pdf", "muster max (2).pdf", "A_B.pdf"})
        EXPECT_TRUE(fs::exists(fs::path(dir) / name)) << name;
    EXPECT_EQ(pages((fs::path(dir) / "A_B.pdf").string()).size(), 2u);
}

TEST_F(MergeCommands, AListThatDoesNotFitWritesNothing)
{
    const std::string pdf = scratch.file("nie.pdf");
    EXPECT_EQ(run({letter(), "--merge", list("falsch.csv", "Vorname;Nachname\nMax;Muster\n"), "--pdf", pdf}), 8);
    EXPECT_NE(err.str().find("\"«Anrede»\""), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("Vorname, Nachname"), std::string::npos) << err.str();
    EXPECT_EQ(run({letter(), "--merge", list("offen.csv", "Anrede;Name\nHerr;\"Muster\n"), "--pdf", pdf}), 8);
    EXPECT_NE(err.str().find("Zeile 2"), std::string::npos) << err.str();
    EXPECT_EQ(run({letter(), "--merge", list("leer.csv", "Anrede;Name\n;\n"), "--pdf", pdf}), 8);
    EXPECT_EQ(run({letter(), "--merge", scratch.file("fehlt.csv"), "--pdf", pdf}), 4);
    EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(MergeCommands, MergeOptionsGoTogether)
{
    EXPECT_FALSE(cli::parseBatchOptions({"a.ZLW", "--merge", "l.csv", "--text", "a.txt"}).errors.empty());
    EXPECT_FALSE(cli::parseBatchOptions({"a.ZLW", "--pdf-each", "d"}).errors.empty());
    EXPECT_TRUE(cli::parseBatchOptions({"a.ZLW", "--merge", "l.csv", "--pdf-each", "d", "--qrp", "a.qrp"}).errors.empty());
    EXPECT_TRUE(cli::needsNoWindow(cli::parseBatchOptions({"a.ZLW", "--merge", "l.csv", "--pdf-each", "d"})));
    EXPECT_FALSE(cli::needsNoWindow(cli::parseBatchOptions({"a.ZLW", "--merge", "l.csv", "--print"})));
}

} // namespace
