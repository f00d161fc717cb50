// The letter file readers without a window: what they hand to the letter,
// in which order, and where they stop.

#include "files/LetterBuffer.h"
#include "files/LetterFields.h"
#include "files/LetterFile.h"
#include "files/OldLetterFiles.h"

#include <set>

#include <gtest/gtest.h>
#include <random>

using namespace zt::files;
using Lines = std::vector<std::string>;

namespace {

// Records every step as one line of text.
class RecordingSink final : public TLetterSink {
public:
    void ClearBlock(TLetterBlock b) override { steps.push_back("clear " + name(b)); }
    void AppendLine(TLetterBlock b, std::string line) override { steps.push_back(name(b) + ": " + line); }
    void SetMark(int n, bool t) override { steps.push_back("cb" + std::to_string(n) + (t ? " x" : " -")); }
    void SetField(TLetterField f, const std::string& text) override
    {
        static const char* names[] = {"titel1", "titel2", "sonst1", "sonst2", "datum"};
        steps.push_back(std::string(names[static_cast<int>(f)]) + " = " + text);
    }
    std::vector<std::string> steps;

private:
    static std::string name(TLetterBlock b)
    {
        return b == TLetterBlock::Absender ? "abs" : b == TLetterBlock::Anschrift ? "ans" : "mit";
    }
};

std::string counted(const std::string& text)
{
    std::string field(81, '\0');
    field[0] = static_cast<char>(text.size());
    field.replace(1, text.size(), text);
    return field;
}

} // namespace

TEST(LetterFlags, OnlyTheTextOneTicks)
{
    EXPECT_TRUE(TextToFlag("1"));
    for (const char* v : {"", "0", " 1", "1 ", "01", "yes", "2"})
        EXPECT_FALSE(TextToFlag(v)) << v;
    EXPECT_EQ(FlagToText(true), "1");
    EXPECT_EQ(FlagToText(false), "0");
}

TEST(LetterFileLines, FollowLayout18)
{
    TLetterContent letter;
    letter.absender = {"A"};
    letter.mitteilung = {"m1", "", "m3"};
    letter.marks[15] = true;
    letter.datum = "Ort, 1.1.2020";
    const Lines lines = LetterFileLines(letter);
    ASSERT_EQ(lines.size(), 4u + 1 + 0 + 3 + 20);
    EXPECT_EQ((Lines(lines.begin(), lines.begin() + 8)),
              (Lines{"ZLVersion=1.8", "AbsLines=1", "AnsLines=0", "MitLines=3", "A", "m1", "", "m3"}));
    EXPECT_EQ(lines[8], "cb1=0");
    EXPECT_EQ(lines[22], "cb15=1");
    EXPECT_EQ((Lines(lines.end() - 5, lines.end())),
              (Lines{"edTitel=", "edTitel2=", "edSonst1=", "edSonst2=", "edDatum=Ort, 1.1.2020"}));
}

TEST(LetterFileReader, ValuesByKey)
{
    const TLetterFileReader file({"x=1", "Key=first", "KEY=second", "novalue", "eq=a=b", "empty="});
    EXPECT_EQ(file.Value("key"), "first");
    EXPECT_EQ(file.Value("eq"), "a=b");
    EXPECT_EQ(file.Value("empty"), "");
    EXPECT_EQ(file.Value("missing"), "");
    EXPECT_EQ(file.Value("novalue"), "");
}

TEST(LetterFileReader, CountsAreWholeNonNegativeNumbers)
{
    const TLetterFileReader file({"a=3", "b= 4 ", "c=-1", "d=x", "e=0x10", "f=99999999999"});
    EXPECT_EQ(file.Count("a"), 3);
    EXPECT_EQ(file.Count("b"), 4);
    EXPECT_EQ(file.Count("c"), std::nullopt);
    EXPECT_EQ(file.Count("d"), std::nullopt);
    EXPECT_EQ(file.Count("e"), std::nullopt);
    EXPECT_EQ(file.Count("f"), std::nullopt);
    EXPECT_EQ(file.Count("missing"), std::nullopt);
}

TEST(ReadLetterFile, StepsInOrder)
{
    Lines lines = {"ZLVersion=1.8", "AbsLines=1", "AnsLines=0", "MitLines=1", "Abs", "Mit"};
    for (int n = 1; n <= 15; ++n)
        lines.push_back("cb" + std::to_string(n) + (n == 2 ? "=1" : "=0"));
    lines.push_back("edTitel=T");
    RecordingSink sink;
    ReadLetterFile(TLetterFileReader(lines), sink);
    ASSERT_EQ(sink.steps.size(), 3u + 2 + 15 + 5);
    EXPECT_EQ((Lines(sink.steps.begin(), sink.steps.begin() + 5)),
              (Lines{"clear abs", "clear ans", "clear mit", "abs: Abs", "mit: Mit"}));
    EXPECT_EQ(sink.steps[6], "cb2 x");
    EXPECT_EQ(sink.steps[20], "titel1 = T");
    EXPECT_EQ(sink.steps[24], "datum = ");
}

// The block lines are handed to the sink, not copied; a keyed value still
// comes from the first line with its key, even when that line is a block's.
TEST(ReadLetterFile, AKeyOnABlockLineStillGivesItsValue)
{
    Lines lines = {"ZLVersion=1.8", "AbsLines=1", "AnsLines=0", "MitLines=2", "edTitel=aus dem Absender",
                   "Mit", "cb3=1"};
    lines.push_back("edTitel=T");
    RecordingSink sink;
    ReadLetterFile(TLetterFileReader(lines), sink);
    EXPECT_NE(std::find(sink.steps.begin(), sink.steps.end(), "abs: edTitel=aus dem Absender"), sink.steps.end());
    EXPECT_NE(std::find(sink.steps.begin(), sink.steps.end(), "mit: cb3=1"), sink.steps.end());
    EXPECT_NE(std::find(sink.steps.begin(), sink.steps.end(), "titel1 = aus dem Absender"), sink.steps.end());
    EXPECT_NE(std::find(sink.steps.begin(), sink.steps.end(), "cb3 x"), sink.steps.end());
}

TEST(ReadLetterFile, ABadCountTouchesNothing)
{
    RecordingSink sink;
    EXPECT_THROW(ReadLetterFile(TLetterFileReader({"AbsLines=1", "AnsLines=1"}), sink), ELetterFileError);
    EXPECT_THROW(ReadLetterFile(TLetterFileReader({"AbsLines=-2", "AnsLines=0", "MitLines=0"}), sink),
                 ELetterFileError);
    EXPECT_TRUE(sink.steps.empty());
}

TEST(ReadLetterFile, HugeCountsStopAtTheEndOfTheFile)
{
    RecordingSink sink;
    EXPECT_THROW(ReadLetterFile(TLetterFileReader({"AbsLines=2147483647", "AnsLines=2147483647",
                                                   "MitLines=2147483647", "x", "nur eine"}),
                                sink),
                 ELetterFileError);
    EXPECT_EQ(sink.steps.back(), "abs: nur eine");
}

TEST(OldLayouts, DetectedByContent)
{
    EXPECT_EQ(DetectOldLayout("[Data]\r\ns1=x\r\n"), TOldLayout::Sectioned);
    EXPECT_EQ(DetectOldLayout("ZLVersion=1.8\r\nAbsLines=0\r\n"), TOldLayout::None);
    EXPECT_EQ(DetectOldLayout(std::string(kFixedRecordSize, '\0')), TOldLayout::FixedRecords);
    EXPECT_EQ(DetectOldLayout(std::string(kFixedRecordSize - 1, '\0')), TOldLayout::None);
    // Counted strings longer than a field, or holding control characters, are damage.
    std::string record = counted("Sonst") + counted("") + std::string(15, '\1');
    for (int i = 0; i < 21; ++i)
        record += counted("Zeile");
    ASSERT_EQ(record.size(), kFixedRecordSize);
    EXPECT_EQ(DetectOldLayout(record), TOldLayout::FixedRecords);
    std::string tooLong = record;
    tooLong[81 * 3 + 15] = static_cast<char>(81);
    EXPECT_EQ(DetectOldLayout(tooLong), TOldLayout::None);
    std::string control = record;
    control[2] = '\n';
    EXPECT_EQ(DetectOldLayout(control), TOldLayout::None);
}

TEST(OldLayouts, RandomBytesAreNeitherLayout)
{
    std::mt19937 random(12);
    for (std::size_t size : {std::size_t{0}, std::size_t{10}, kFixedRecordSize - 1, kFixedRecordSize,
                             kFixedRecordSize + 1, std::size_t{4096}, std::size_t{65536}})
        for (int round = 0; round < 50; ++round) {
            std::string bytes(size, '\0');
            for (char& c : bytes)
                c = static_cast<char>(random() & 0xFF);
            EXPECT_EQ(DetectOldLayout(bytes), TOldLayout::None) << size << " bytes, round " << round;
        }
}

TEST(OldLayouts, TextOfAnotherKindIsNeitherLayout)
{
    std::string prose;
    while (prose.size() < 2 * kFixedRecordSize)
        prose += "Sehr geehrte Damen und Herren,\r\nanbei die Unterlagen.\r\n";
    EXPECT_EQ(DetectOldLayout(prose), TOldLayout::None);
    // A line of capitals and digits, long enough for a record, still has a
    // line break within the first counted string.
    EXPECT_EQ(DetectOldLayout(std::string(40, 'A') + "\r\n" + std::string(2000, '0')), TOldLayout::None);
    // A settings file with a "data" section but none of the letter's keys.
    EXPECT_EQ(DetectOldLayout("[data]\r\nfoo=1\r\n"), TOldLayout::None);
    // The letter's keys in binary surroundings are no settings file.
    EXPECT_EQ(DetectOldLayout(std::string("[data]\r\ns1=x\r\n\0\x01\x02", 17)), TOldLayout::None);
}

TEST(OldLayouts, FixedRecordsInTheirOrder)
{
    std::string bytes = counted("Sonst 1") + counted("Sonst 2");
    for (int n = 1; n <= 15; ++n)
        bytes += static_cast<char>(n == 4 ? 7 : 0);
    bytes += counted("Betr\xE4" "ff");
    for (int i = 1; i <= 20; ++i)
        bytes += counted(i == 11 ? "" : "Zeile " + std::to_string(i));
    ASSERT_EQ(bytes.size(), kFixedRecordSize);
    RecordingSink sink;
    ReadFixedRecordLetter(bytes, sink);
    EXPECT_EQ(sink.steps[0], "sonst1 = Sonst 1");
    EXPECT_EQ(sink.steps[1], "sonst2 = Sonst 2");
    EXPECT_EQ(sink.steps[5], "cb4 x");
    EXPECT_EQ(sink.steps[17], "titel1 = Beträff");
    EXPECT_EQ(sink.steps[21], "abs: Zeile 1");
    EXPECT_EQ(sink.steps[31], "mit: ");
    EXPECT_EQ(sink.steps.back(), "mit: Zeile 20");
    EXPECT_EQ(sink.steps.size(), 2u + 15 + 1 + 3 + 20);
}

TEST(OldLayouts, DamagedFixedRecordsNeverReadPastTheirFields)
{
    std::string bytes = counted("abc");
    bytes[0] = static_cast<char>(250); // more than the 80 characters a field holds
    bytes += std::string(40, 'x');     // the file ends inside the second field
    RecordingSink sink;
    ReadFixedRecordLetter(bytes, sink);
    ASSERT_EQ(sink.steps.size(), 1u);
    EXPECT_EQ(sink.steps[0].size(), std::string("sonst1 = ").size() + 3 + 77);
}

TEST(OldLayouts, SectionedFileWithCommaLists)
{
    // Old files are Windows-1252 text.
    const std::string text = "[data]\r\ns1=R\xFC" "ckruf\r\nmb2=1\r\nmb9=5\r\nan6=1\r\nan1=x\r\ntitel=Alt\r\n"
                             "MemoAbsender=\"Max Muster\",Weg 1\r\nMemoMitteilung=eins,,drei\r\n"
                             "MemoAnschrift=\"Frau Muster\",\"Weg 3\"\r\n";
    RecordingSink sink;
    ReadSectionedLetter(text, sink);
    const Lines expected = {"sonst1 = Rückruf", "sonst2 = ", "cb1 -", "cb2 x", "cb3 -", "cb4 -", "cb5 -",
                            "cb6 -", "cb7 -", "cb8 -", "cb9 x", "cb10 -", "cb11 -", "cb12 -", "cb13 -",
                            "cb14 -", "cb15 x", "titel1 = Alt", "clear abs", "abs: Max Muster", "abs: Weg",
                            "abs: 1", "clear ans", "ans: Frau Muster", "ans: Weg 3", "clear mit", "mit: eins", "mit: ", "mit: drei"};
    EXPECT_EQ(sink.steps, expected);
}

TEST(CommaText, SplitsAsTheOldFilesStoredLists)
{
    EXPECT_EQ(SplitCommaText(""), Lines{});
    EXPECT_EQ(SplitCommaText("a,b"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitCommaText("a b"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitCommaText("\"a b\",\"c,d\""), (Lines{"a b", "c,d"}));
    EXPECT_EQ(SplitCommaText("\"sag \"\"hallo\"\"\""), (Lines{"sag \"hallo\""}));
    EXPECT_EQ(SplitCommaText("a,,b"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitCommaText("a,"), (Lines{"a", ""}));
    EXPECT_EQ(SplitCommaText("\"\""), Lines{""});
    EXPECT_EQ(SplitCommaText("\"offen"), Lines{"offen"});
    EXPECT_EQ(SplitCommaText(std::string_view("a,b\0c,d", 7)), (Lines{"a", "b"}));
}

namespace {

// A letter with a text of its own in every part the description names.
TLetterContent everyPartSet()
{
    TLetterContent l;
    for (const TLetterBlockInfo& b : kLetterBlocks)
        l.*b.lines = {std::string(b.countKey) + " eins", std::string(b.countKey) + " zwei"};
    for (const TTickMarkInfo& m : kTickMarks)
        l.marks[static_cast<std::size_t>(m.number)] = m.number % 3 != 0;
    for (const TLetterFieldInfo& f : kLetterFields)
        l.*f.text = std::string("Text von ") + f.fileKey;
    return l;
}

} // namespace

TEST(LetterDescription, NamesEveryKeyAndControlOnce)
{
    std::set<std::string> keys, controls;
    for (const TLetterBlockInfo& b : kLetterBlocks) {
        EXPECT_TRUE(keys.insert(b.countKey).second) << b.countKey;
        EXPECT_TRUE(controls.insert(b.control).second) << b.control;
    }
    for (const TLetterFieldInfo& f : kLetterFields) {
        EXPECT_TRUE(keys.insert(f.fileKey).second) << f.fileKey;
        EXPECT_TRUE(controls.insert(f.control).second) << f.control;
    }
    for (const TTickMarkInfo& m : kTickMarks) {
        EXPECT_TRUE(keys.insert(m.fileKey).second) << m.fileKey;
        EXPECT_TRUE(controls.insert(m.control).second) << m.control;
        // A mark is named by its caption or by a field, never by neither or both.
        EXPECT_NE(m.labelledByField, *m.caption != '\0') << m.number;
        EXPECT_EQ(m.labelledByField, m.spokenName != nullptr) << m.number;
    }
    // What the window's boxes and the merge's addresses rely on.
    EXPECT_EQ(LetterBlockInfo(TLetterBlock::Anschrift).maxLines, 5);
    EXPECT_EQ(TickMarkInfo(9).labelField, TLetterField::Sonst1);
    EXPECT_EQ(TickMarkInfo(15).labelField, TLetterField::Sonst2);
}

TEST(LetterDescription, EveryPartIsWrittenUnderItsKeyAndReadBack)
{
    const TLetterContent letter = everyPartSet();
    const Lines lines = LetterFileLines(letter);
    // The version, the counts in the table's order, the blocks' lines, the marks, the fields.
    std::size_t at = 0;
    EXPECT_EQ(lines.at(at++), "ZLVersion=1.8");
    for (const TLetterBlockInfo& b : kLetterBlocks)
        EXPECT_EQ(lines.at(at++), std::string(b.countKey) + "=2");
    for (const TLetterBlockInfo& b : kLetterBlocks)
        for (const std::string& line : letter.*b.lines)
            EXPECT_EQ(lines.at(at++), line);
    for (const TTickMarkInfo& m : kTickMarks)
        EXPECT_EQ(lines.at(at++), std::string(m.fileKey) + (m.number % 3 != 0 ? "=1" : "=0"));
    for (const TLetterFieldInfo& f : kLetterFields)
        EXPECT_EQ(lines.at(at++), std::string(f.fileKey) + "=Text von " + f.fileKey);
    EXPECT_EQ(at, lines.size());

    TLetterBuffer read;
    ReadLetterFile(TLetterFileReader(lines), read);
    const TLetterContent back = read.Content();
    for (const TLetterBlockInfo& b : kLetterBlocks)
        EXPECT_EQ(back.*b.lines, letter.*b.lines) << b.countKey;
    EXPECT_EQ(back.marks, letter.marks);
    for (const TLetterFieldInfo& f : kLetterFields)
        EXPECT_EQ(back.*f.text, letter.*f.text) << f.fileKey;
}

TEST(LetterDescription, WhatAReadDidNotReachIsEmptyInTheLetter)
{
    TLetterBuffer read;
    read.AppendLine(TLetterBlock::Anschrift, "Firma");
    read.SetMark(15, true);
    read.SetField(TLetterField::Datum, "Köln");
    const TLetterContent c = read.Content();
    EXPECT_TRUE(c.absender.empty());
    EXPECT_EQ(c.anschrift, Lines{"Firma"});
    EXPECT_TRUE(c.marks[15]);
    EXPECT_FALSE(c.marks[1]);
    EXPECT_EQ(c.datum, "Köln");
    EXPECT_EQ(c.titel1, "");
}
