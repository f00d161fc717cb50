// The spell checker's core: which words the finder hands on (the skip
// rules), the checker's treatment of compounds and abbreviations with the
// German dictionary, and the personal word list's file.

#include "spelling/Dictionary.h"
#include "spelling/PersonalWordList.h"
#include "spelling/SpellChecker.h"
#include "spelling/WordFinder.h"
#include "platform/core/PlatformError.h"
#include "platform/text/Utf.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace zt::spelling {
namespace {

using platform::text::utf16ToUtf8;
using platform::text::utf8ToUtf16;

std::vector<std::string> wordsOf(const std::string& text)
{
    const std::u16string wide = utf8ToUtf16(text);
    std::vector<std::string> words;
    for (const TWordSpan& w : findWords(wide))
        words.push_back(utf16ToUtf8(std::u16string_view(wide).substr(w.start, w.length)));
    return words;
}

struct FinderCase {
    const char* text;
    std::vector<std::string> words;
};

class WordFinderTest : public ::testing::TestWithParam<FinderCase> {};

TEST_P(WordFinderTest, HandsOnOnlyTheWordsToCheck)
{
    EXPECT_EQ(wordsOf(GetParam().text), GetParam().words) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    SkipRules, WordFinderTest,
    ::testing::Values(
        FinderCase{"Sehr geehrte Frau Müller,", {"Sehr", "geehrte", "Frau", "Müller"}},
        FinderCase{"„Grüße“ (herzlich)!", {"Grüße", "herzlich"}},
        // Abbreviations with a full stop, also joined ones.
        FinderCase{"z. B. ggf. bzw. Nr. usw. z.B. u.a.", {}},
        // A longer word before a full stop is checked, its full stop noted.
        FinderCase{"Ende der Mitteilnug.", {"Ende", "der", "Mitteilnug"}},
        // Capitals, numbers, words with digits, dates.
        // A compound with a part in capitals goes on whole; the checker passes that part.
        FinderCase{"DIN ABC-Analyse A4 3-fach 27.04.2015 1.000,50 €", {"ABC-Analyse"}},
        FinderCase{"am 3. Mai um 14:30", {"am", "Mai", "um"}},
        // Addresses.
        FinderCase{"an max@beispiel.de oder https://x.example/pfad www.zettelino.example beispiel.de", {"an", "oder"}},
        // Placeholders.
        FinderCase{"Hallo «Vorname Name», Ihr {Anrede}!", {"Hallo", "Ihr"}},
        // Hyphenated compounds stay whole; hyphens at the ends go.
        FinderCase{"E-Mail-Adresse, Haupt- und Nebensache", {"E-Mail-Adresse", "Haupt", "und", "Nebensache"}},
        FinderCase{"und/oder", {"und", "oder"}},
        FinderCase{"a x", {}}));

TEST(WordFinder, CountsPositionsInUtf16LikeTheTextBoxes)
{
    const std::u16string text = u"Grüße 😀 Wort";
    const auto words = findWords(text);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1], (TWordSpan{9, 4, false})); // the emoji takes two units
}

class GermanDictionaryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto files = findDictionary({"/usr/share/hunspell", "/usr/share/myspell/dicts"});
        if (!files)
            GTEST_SKIP() << "German dictionary (hunspell-de-de) not installed";
        checker = std::make_unique<TSpellChecker>(loadDictionary(*files).get(), &personal);
    }
    testing::ScratchFolder folder{"spelling"};
    TPersonalWordList personal{folder.file("sub/woerterbuch.txt")};
    std::unique_ptr<TSpellChecker> checker;
};

TEST_F(GermanDictionaryTest, ChecksWordsCompoundsAndAbbreviations)
{
    EXPECT_TRUE(checker->IsCorrect("Mitteilung"));
    EXPECT_FALSE(checker->IsCorrect("Mitteilnug"));
    EXPECT_TRUE(checker->IsCorrect("E-Mail-Adresse"));
    // Parts known, the whole not: passes; one part unknown: flagged.
    EXPECT_TRUE(checker->IsCorrect("Rechnung-Kopie"));
    EXPECT_FALSE(checker->IsCorrect("Rechnung-Kopei"));
    EXPECT_TRUE(checker->IsCorrect("UKW-Sender"));
    // Both spellings follow the dictionary.
    EXPECT_TRUE(checker->IsCorrect("Straße"));
    EXPECT_FALSE(checker->IsCorrect("Strasse"));
    const auto wrong = checker->Misspelt(u"Die Mitteilnug kommt z. B. per E-Mail an «Name».");
    ASSERT_EQ(wrong.size(), 1u);
    EXPECT_EQ(wrong[0], (TWordSpan{4, 10, false}));
    const auto offered = checker->Suggestions("Mitteilnug");
    ASSERT_FALSE(offered.empty());
    EXPECT_LE(offered.size(), kMaxSuggestions);
    EXPECT_EQ(offered.front(), "Mitteilung");
}

TEST_F(GermanDictionaryTest, StreetNamesPassInAddressesAndElidedEsEverywhere)
{
    const auto address = TWordContext::Address;
    for (const char* street : {"Königstraße", "Schillerstraße", "Wiesenweg", "Goetheplatz", "Lindenallee",
                               "Mühlengasse", "Kaiserring", "Hafendamm", "Rheinufer"}) {
        SCOPED_TRACE(street);
        EXPECT_TRUE(checker->IsCorrect(street, false, address));
    }
    EXPECT_TRUE(checker->IsCorrect("Schillerstr", true, address));
    EXPECT_FALSE(checker->IsCorrect("Schillerstr", false, address));
    // In the message, and for words that are no street, the dictionary decides.
    EXPECT_FALSE(checker->IsCorrect("Schillerstraße"));
    EXPECT_FALSE(checker->IsCorrect("Mitteilnug", false, address));
    EXPECT_FALSE(checker->IsCorrect("weg", false, address) && !checker->IsCorrect("weg"));
    EXPECT_TRUE(checker->Misspelt(u"Frau Muster, Schillerstraße 5, 53111 Bonn", address).empty());
    EXPECT_TRUE(checker->IsCorrect("geht's"));
    EXPECT_TRUE(checker->IsCorrect("gibt\u2019s"));
    EXPECT_FALSE(checker->IsCorrect("gheht's"));
}

TEST_F(GermanDictionaryTest, PersonalWordsPassAndAreKeptInTheirFile)
{
    EXPECT_FALSE(checker->IsCorrect("Zettelino"));
    checker->AddToPersonal("Zettelino");
    checker->AddToPersonal("Größenwahnsinnsprüfer");
    EXPECT_TRUE(checker->IsCorrect("Zettelino"));

    TPersonalWordList again(personal.Path());
    again.Load();
    EXPECT_TRUE(again.Contains("Zettelino"));
    EXPECT_TRUE(again.Contains("Größenwahnsinnsprüfer"));
    EXPECT_EQ(again.Size(), 2u);
    std::ifstream in(personal.Path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, "Zettelino\nGr\xC3\xB6\xC3\x9F" "enwahnsinnspr\xC3\xBC" "fer\n");
}

TEST(PersonalWordList, MissingFileIsEmptyUnwritableFileIsReported)
{
    testing::ScratchFolder folder("spelling-list");
    TPersonalWordList missing(folder.file("fehlt.txt"));
    EXPECT_NO_THROW(missing.Load());
    EXPECT_EQ(missing.Size(), 0u);
    {
        std::ofstream(folder.file("liste.txt"), std::ios::binary) << "\xEF\xBB\xBFWort\r\n\r\nzwei\n";
    }
    TPersonalWordList list(folder.file("liste.txt"));
    list.Load();
    EXPECT_TRUE(list.Contains("Wort"));
    EXPECT_TRUE(list.Contains("zwei"));
    EXPECT_EQ(list.Size(), 2u);
    // A folder in the file's place cannot be written to.
    TPersonalWordList blocked(folder.dir());
    EXPECT_THROW(blocked.Add("Wort"), platform::PlatformError);
}

TEST(PersonalWordList, AWordAddedAfterALastLineWithoutBreakIsALineOfItsOwn)
{
    testing::ScratchFolder folder("spelling-last-line");
    {
        std::ofstream(folder.file("liste.txt"), std::ios::binary) << "Wort\nletztes";
    }
    TPersonalWordList list(folder.file("liste.txt"));
    list.Load();
    list.Add("neu");
    TPersonalWordList again(folder.file("liste.txt"));
    again.Load();
    EXPECT_TRUE(again.Contains("letztes"));
    EXPECT_TRUE(again.Contains("neu"));
    EXPECT_EQ(again.Size(), 3u);
}

TEST(DictionaryFolders, EmptyFolderFindsNoDictionary)
{
    testing::ScratchFolder folder("spelling-empty");
    EXPECT_FALSE(findDictionary({folder.dir(), folder.file("fehlt")}).has_value());
}

} // namespace
} // namespace zt::spelling
