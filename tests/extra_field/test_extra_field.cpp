// Built only with ZT_TEST_EXTRA_FIELD: the letter has one more single-line
// field, "Aktenzeichen", given by one entry in the field description and its
// places in the plain text and on the page. The field must then reach every
// output without any other code knowing it.

#include "files/LetterBuffer.h"
#include "files/LetterFields.h"
#include "files/LetterFile.h"
#include "merge/MergeTemplate.h"
#include "output/LetterBoxes.h"
#include "output/LetterPrint.h"
#include "output/PlainText.h"
#include "output/WindowlessLetter.h"
#include "output/uFrmReport.h"
#include "pages/QRPrinter.h"
#include "platform/text/TextFile.h"
#include "support/PageContent.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#ifndef ZT_TEST_EXTRA_FIELD
#error "only for the build with the extra field"
#endif

namespace {

using namespace zt;
using files::TLetterField;

constexpr const char* kAz = "AZ 4711/26-Bü";

files::TLetterContent letterWithFile()
{
    files::TLetterContent l;
    l.absender = {"Erika Mustermann", "Hauptstraße 5", "12345 Musterstadt"};
    l.anschrift = {"Firma Beispiel GmbH", "54321 Beispielhausen"};
    l.mitteilung = {"anbei die Unterlagen."};
    l.titel1 = "Ihre Anfrage";
    l.datum = "Musterstadt, 09.12.2026";
    l.sonst1 = "Weiterleitung";
    l.marks[1] = true;
    l.aktenzeichen = kAz;
    return l;
}

bool contains(const std::vector<std::string>& lines, const std::string& text)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

TEST(ExtraField, IsOneMoreEntryOfTheDescription)
{
    ASSERT_EQ(files::kLetterFieldCount, 6u);
    const files::TLetterFieldInfo& f = files::LetterFieldInfo(TLetterField::Aktenzeichen);
    EXPECT_STREQ(f.fileKey, "edAktenzeichen");
    EXPECT_EQ(&files::kLetterFields.back(), &f);
}

TEST(ExtraField, IsWrittenIntoTheSavedFileAndReadBack)
{
    const zt::testing::ScratchFolder folder("zt-extra-field");
    const std::string path = (folder.path() / "brief.ZLW").string();
    platform::text::writeTextFile(path, files::LetterFileLines(letterWithFile()));

    // The file's own bytes (Windows-1252, CR LF), after the five fields of layout 1.8.
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(bytes.find("edDatum=Musterstadt, 09.12.2026\r\nedAktenzeichen=AZ 4711/26-B\xFC\r\n"),
              std::string::npos);

    files::TLetterBuffer read;
    files::ReadLetterFile(files::TLetterFileReader(platform::text::readTextFile(path)), read);
    EXPECT_EQ(read.Field(TLetterField::Aktenzeichen).value_or(""), kAz);
    EXPECT_EQ(read.Field(TLetterField::Datum).value_or(""), "Musterstadt, 09.12.2026");
    const auto opened = output::OpenWithoutWindow(read);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->content.aktenzeichen, kAz);
    EXPECT_EQ(opened->content.mitteilung, letterWithFile().mitteilung);
}

TEST(ExtraField, AFileWithoutItReadsAsEmpty)
{
    std::vector<std::string> lines = files::LetterFileLines(letterWithFile());
    lines.pop_back(); // a letter saved before the field existed
    files::TLetterBuffer read;
    files::ReadLetterFile(files::TLetterFileReader(lines), read);
    EXPECT_EQ(read.Field(TLetterField::Aktenzeichen).value_or("?"), "");
}

TEST(ExtraField, AppearsInThePlainText)
{
    const files::TLetterContent l = letterWithFile();
    const std::vector<std::string> lines = output::PlainTextLines(l, output::TickMarkLabels(l));
    const auto date = std::find(lines.begin(), lines.end(), output::padLeft(l.datum, 78));
    ASSERT_NE(date, lines.end());
    ASSERT_NE(date + 1, lines.end());
    EXPECT_EQ(*(date + 1), output::padLeft(kAz, 78));
}

TEST(ExtraField, IsPrintedOnThePage)
{
    const files::TLetterContent l = letterWithFile();
    output::TfrmReport form;
    form.LetterSource = [&] { return output::DesignPrintSource(l, output::TickMarkLabels(l)); };
    form.PageTotal = [] { return 1; };
    form.BandoriaRep1->Prepare();
    ASSERT_EQ(form.BandoriaRep1->QRPrinter->PageCount(), 1);
    const zt::testing::PageContent page = zt::testing::readPageContent(*form.BandoriaRep1->QRPrinter->GetPage(1));
    const zt::testing::PageText* az = page.find(kAz);
    const zt::testing::PageText* date = page.find(l.datum);
    ASSERT_NE(az, nullptr);
    ASSERT_NE(date, nullptr);
    // On the date's line, at the left margin, in the letter's face.
    EXPECT_EQ(az->y, date->y);
    EXPECT_LT(az->x, date->x);
    EXPECT_EQ(az->font.face, date->font.face);
    EXPECT_TRUE(page.find("[X] Kenntnisnahme") != nullptr);
    EXPECT_TRUE(page.find("[ ] Weiterleitung") != nullptr);
}

TEST(ExtraField, TakesPlaceholdersInAMailMerge)
{
    output::TWindowlessLetter letter;
    letter.content = letterWithFile();
    letter.content.aktenzeichen = "AZ {Nummer}";
    letter.labels = output::TickMarkLabels(letter.content);
    const merge::TMergeTemplate templ(letter, {"Name", "Nummer"});
    const merge::TMergedLetter merged = templ.Fill({2, {"Meier", "17/3"}}, 1);
    EXPECT_EQ(merged.letter.content.aktenzeichen, "AZ 17/3");
    EXPECT_TRUE(contains(files::LetterFileLines(merged.letter.content), "edAktenzeichen=AZ 17/3"));
}

TEST(ExtraField, FailsAMergeWhosePlaceholderNamesNoColumn)
{
    output::TWindowlessLetter letter;
    letter.content.aktenzeichen = "{Zeichen}";
    EXPECT_THROW(merge::TMergeTemplate(letter, {"Name"}), merge::EAddressListError);
}

} // namespace
