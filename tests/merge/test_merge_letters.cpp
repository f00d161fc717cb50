// A letter filled for each recipient: placeholders, the address from the
// record, and the records that cannot be letters.

#include "files/LetterFields.h"
#include "merge/MergeTemplate.h"

#include <gtest/gtest.h>

using namespace zt::merge;

namespace {

const std::vector<std::string> kColumns{"Anrede", "Titel", "Vorname", "Name", "Firma", "Straße", "PLZ", "Ort", "Land"};

TAddressRecord record(std::vector<std::string> values, int line = 2)
{
    return {line, std::move(values)};
}

zt::output::TWindowlessLetter letter()
{
    zt::output::TWindowlessLetter l;
    l.content.absender = {"Stadt Musterhausen"};
    l.content.mitteilung = {"Sehr geehrte(r) «Anrede» «name»,", "Ihre Firma {FIRMA} in {Ort}."};
    l.content.titel1 = "Bescheid für {Vorname} {Name}";
    l.content.sonst1 = "an «Vorname»";
    l.content.marks[9] = true;
    l.labels[1] = "Kenntnisnahme";
    return l;
}

TEST(MergeLetters, PlaceholdersInEveryTextTakeTheRecordsValues)
{
    const TMergeTemplate templ(letter(), kColumns);
    const TMergedLetter m =
        templ.Fill(record({"Herr", "Dr.", "Jürgen", "Weißmüller", "ACME", "Hauptstr. 1", "50999", "Köln", ""}), 1);
    const auto& c = m.letter.content;
    EXPECT_EQ(c.mitteilung, (std::vector<std::string>{"Sehr geehrte(r) Herr Weißmüller,", "Ihre Firma ACME in Köln."}));
    EXPECT_EQ(c.titel1, "Bescheid für Jürgen Weißmüller");
    EXPECT_EQ(c.sonst1, "an Jürgen");
    EXPECT_EQ(m.letter.labels[9], "an Jürgen"); // the "other" mark prints its field
    EXPECT_TRUE(c.marks[9]);
    EXPECT_EQ(c.absender, (std::vector<std::string>{"Stadt Musterhausen"}));
    // The empty address block gets the address in the German order.
    EXPECT_EQ(c.anschrift, (std::vector<std::string>{"ACME", "Herr Dr. Jürgen Weißmüller", "Hauptstr. 1", "50999 Köln"}));
    EXPECT_EQ(m.fileStem, "Weißmüller Jürgen");
}

TEST(MergeLetters, TheCountryIsWrittenOnlyOutsideGermanyAndEmptyPartsLeaveNoLine)
{
    const TMergeTemplate templ(letter(), kColumns);
    EXPECT_EQ(templ.Fill(record({"Frau", "", "Anna", "Groß", "", "Ring 2", "1010", "Wien", "Österreich"}), 1)
                  .letter.content.anschrift,
              (std::vector<std::string>{"Frau Anna Groß", "Ring 2", "1010 Wien", "Österreich"}));
    EXPECT_EQ(templ.Fill(record({"", "", "", "", "Amt", "", "", "", "Deutschland"}), 1).letter.content.anschrift,
              (std::vector<std::string>{"Amt"}));
}

TEST(MergeLetters, AGivenAddressBlockKeepsItsOwnLines)
{
    auto l = letter();
    l.content.anschrift = {"z. Hd. «Vorname» «Name»", "Postfach 1"};
    const TMergeTemplate templ(l, kColumns);
    EXPECT_EQ(templ.Fill(record({"", "", "Erika", "Muster", "", "", "", "", ""}), 1).letter.content.anschrift,
              (std::vector<std::string>{"z. Hd. Erika Muster", "Postfach 1"}));
}

TEST(MergeLetters, APlaceholderWithoutAColumnNamesItselfAndTheColumns)
{
    auto l = letter();
    l.content.datum = "Köln, {Datum}";
    try {
        TMergeTemplate templ(l, {"Name", "Ort"});
        FAIL();
    } catch (const EAddressListError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("\"«Anrede»\""), std::string::npos) << message; // the first one met
        EXPECT_NE(message.find("Name, Ort"), std::string::npos) << message;
    }
    // Unclosed or empty marks are text, not placeholders.
    EXPECT_TRUE(PlaceholdersIn("{} { offen « auch").empty());
    EXPECT_EQ(PlaceholdersIn("«A» und {B}"), (std::vector<std::string>{"A", "B"}));
}

TEST(MergeLetters, AnAddressOfMoreThanFiveLinesNamesTheRecordsLine)
{
    const TMergeTemplate templ(letter(), kColumns);
    // A company name too wide for the address block wraps onto further lines.
    const std::string wide(120, 'W');
    try {
        templ.Fill(record({"Herr", "", "Max", "Muster", wide, "Weg 1", "12345", "Ort", "Frankreich"}, 17), 1);
        FAIL();
    } catch (const EAddressListError& e) {
        EXPECT_NE(std::string(e.what()).find("Zeile 17"), std::string::npos) << e.what();
    }
}

TEST(MergeLetters, FileNamesAreSafeEverywhere)
{
    EXPECT_EQ(SafeFileStem("Müller/Söhne: \"A*B\"?"), "Müller_Söhne_ _A_B__");
    EXPECT_EQ(SafeFileStem("..\\..\\etc"), "_.._etc");
    EXPECT_EQ(SafeFileStem(" . "), "Empfänger");
    EXPECT_EQ(SafeFileStem(std::string(300, 'x')).size(), 100u);
    // Three-byte letters: whole ones, and room for " (n).pdf" in 255 bytes.
    std::string euros;
    for (int i = 0; i < 100; ++i)
        euros += "€";
    EXPECT_EQ(SafeFileStem(euros), euros.substr(0, 198));
    const TMergeTemplate templ(letter(), kColumns);
    EXPECT_EQ(templ.Fill(record({"", "", "", "", "", "", "", "", ""}), 7).fileStem, "Empfänger 7");
    EXPECT_EQ(templ.Fill(record({"", "", "", "", "ACME", "", "", "", ""}), 7).fileStem, "ACME");
}

// The merge fills every part the description names, and the label of a
// tick mark that a field names follows that field.
TEST(MergeLetters, EveryBlockAndFieldOfTheDescriptionTakesPlaceholders)
{
    zt::output::TWindowlessLetter l;
    for (const zt::files::TLetterBlockInfo& b : zt::files::kLetterBlocks)
        l.content.*b.lines = {std::string(b.countKey) + " {Name}"};
    for (const zt::files::TLetterFieldInfo& f : zt::files::kLetterFields)
        l.content.*f.text = "«Ort»";
    l.labels = zt::output::TickMarkLabels(l.content);
    const TMergeTemplate templ(l, kColumns);
    const TMergedLetter m = templ.Fill(record({"", "", "", "Meier", "", "", "", "Bonn", ""}), 1);
    for (const zt::files::TLetterBlockInfo& b : zt::files::kLetterBlocks)
        EXPECT_EQ(m.letter.content.*b.lines, std::vector<std::string>{std::string(b.countKey) + " Meier"});
    for (const zt::files::TLetterFieldInfo& f : zt::files::kLetterFields)
        EXPECT_EQ(m.letter.content.*f.text, "Bonn") << f.fileKey;
    for (const zt::files::TTickMarkInfo& mark : zt::files::kTickMarks)
        EXPECT_EQ(m.letter.labels[static_cast<std::size_t>(mark.number)],
                  mark.labelledByField ? "Bonn" : mark.caption);
}

} // namespace
