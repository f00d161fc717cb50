#include "platform/core/PlatformError.h"
#include "platform/text/CodePage.h"
#include "platform/text/Latin1Scan.h"
#include "platform/text/TextFile.h"
#include "platform/text/Utf.h"
#include "platform/files/FileAccess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace zt::platform;
using namespace zt::platform::text;

namespace {

std::string tempDir()
{
    std::string pattern = std::filesystem::temp_directory_path().string() + "/zt-text-XXXXXX";
    return std::string(::mkdtemp(pattern.data())) + "/";
}

// A repeatable random number below `below`: the mixes of text pieces the
// tests below build.
std::size_t nextRandom(std::uint32_t& seed, std::size_t below)
{
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % below;
}

} // namespace

TEST(CodePage1252, EveryByteRoundTrips)
{
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = decodeCp1252(byte);
        const auto back = encodeCp1252(utf8);
        ASSERT_TRUE(back.has_value()) << "byte " << b;
        EXPECT_EQ(*back, byte) << "byte " << b;
    }
}

TEST(CodePage1252, HighControlRangeUsesTheWindowsTable)
{
    EXPECT_EQ(cp1252ToUnicode(0x80), U'\u20AC');   // euro sign
    EXPECT_EQ(cp1252ToUnicode(0x84), U'\u201E');   // low double quote, common in German text
    EXPECT_EQ(cp1252ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(cp1252ToUnicode(0x81), U'\u0081');   // undefined bytes map to C1 controls
    EXPECT_EQ(cp1252ToUnicode(0xE4), U'\u00E4');   // ä
    EXPECT_EQ(decodeCp1252("Gr\xFC\xDF"), "Grüß");
    EXPECT_EQ(*encodeCp1252("„Grüße“ 5 €"), "\x84Gr\xFC\xDF" "e\x93 5 \x80");
}

TEST(CodePage1252, CharactersOutsideTheTableAreReported)
{
    EXPECT_FALSE(encodeCp1252("Łódź").has_value());
    EXPECT_FALSE(encodeCp1252("ő").has_value());
    EXPECT_FALSE(encodeCp1252("\xF0\x9F\x98\x80").has_value()); // emoji
    EXPECT_FALSE(fitsCp1252("\x80")); // a lone invalid UTF-8 byte is no character of the table
    EXPECT_TRUE(fitsCp1252("Müller € ‰"));
}

// The Hebrew and Vietnamese converters wait for a combining mark after each
// letter; a table made byte by byte must still see every letter.
TEST(CodePageTables, HebrewAndVietnameseLettersAreNotHeldBack)
{
    for (const int codePage : {1255, 1258}) {
        ASSERT_TRUE(isSingleByteCodePage(codePage)) << codePage;
        EXPECT_EQ(codePageToUnicode(codePage, 0x41), U'A') << codePage;
        EXPECT_EQ(codePageToUnicode(codePage, 0x7A), U'z') << codePage;
        EXPECT_EQ(unicodeToCodePage(codePage, U'A'), std::optional<std::uint8_t>(0x41)) << codePage;
    }
    EXPECT_EQ(codePageToUnicode(1255, 0xE0), U'\u05D0');  // alef
    EXPECT_EQ(codePageToUnicode(1255, 0xFA), U'\u05EA');  // tav
    EXPECT_EQ(codePageToUnicode(1255, 0xC8), U'\u05B8');  // qamats, a point on its own
    EXPECT_EQ(unicodeToCodePage(1255, U'\u05E9'), std::optional<std::uint8_t>(0xF9));
    EXPECT_EQ(codePageToUnicode(1258, 0xC3), U'\u0102');  // A with breve
    EXPECT_EQ(codePageToUnicode(1258, 0xD0), U'\u0110');  // D with stroke
    EXPECT_EQ(codePageToUnicode(1258, 0xFD), U'\u01B0');  // u with horn
    EXPECT_EQ(codePageToUnicode(1258, 0xEC), U'\u0301');  // combining acute
    EXPECT_EQ(unicodeToCodePage(1258, U'\u01A1'), std::optional<std::uint8_t>(0xF5));
    // Every letter of both, not only the few above.
    for (const int codePage : {1255, 1258})
        for (int b = 0x20; b < 0x7F; ++b)
            EXPECT_EQ(codePageToUnicode(codePage, static_cast<std::uint8_t>(b)), static_cast<char32_t>(b))
                << codePage << " " << b;
}

TEST(Utf, MalformedInputBecomesReplacementCharacters)
{
    const std::string bad = "a\xC3" "b\xE2\x82" "\xF4\x90\x80\x80" "\xED\xA0\x80" "\xC0\xAF";
    std::string decoded;
    for (std::size_t pos = 0; pos < bad.size();)
        appendUtf8(decoded, decodeUtf8(bad, pos));
    EXPECT_TRUE(isValidUtf8(decoded));
    // Every bad byte is consumed once, so nothing good after it is swallowed.
    EXPECT_EQ(decoded.substr(0, 5), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(utf8Length(decoded), 14u);
    EXPECT_FALSE(isValidUtf8(bad));
    EXPECT_TRUE(isValidUtf8("\xEF\xBF\xBD")); // a literal replacement character is fine
}

TEST(Utf, CountsAndCutsByCharacters)
{
    EXPECT_EQ(utf8Length("Grüße"), 5u);
    EXPECT_EQ(utf8Left("Grüße", 3), "Grü");
    EXPECT_EQ(utf8Left("ab", 5), "ab");
    EXPECT_EQ(utf8Length(""), 0u);
}

TEST(Utf, Utf16RoundTripIncludingSurrogatePairs)
{
    const std::string text = "Aä€\xF0\x9F\x98\x80z";
    const std::u16string units = utf8ToUtf16(text);
    ASSERT_EQ(units.size(), 6u);
    EXPECT_EQ(units[3], 0xD83D);
    EXPECT_EQ(units[4], 0xDE00);
    EXPECT_EQ(utf16ToUtf8(units), text);
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

TEST(TextDecoding, ByteOrderMarksSelectTheEncoding)
{
    const auto utf8 = decodeText("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F");
    EXPECT_EQ(utf8.encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(utf8.text, "Grüß");

    const auto le = decodeText(std::string("\xFF\xFE" "A\0\xE4\0\xAC\x20", 8));
    EXPECT_EQ(le.encoding, TextEncoding::Utf16LE);
    EXPECT_EQ(le.text, "Aä€");

    const auto be = decodeText(std::string("\xFE\xFF\0A\0\xE4\x20\xAC", 8));
    EXPECT_EQ(be.encoding, TextEncoding::Utf16BE);
    EXPECT_EQ(be.text, "Aä€");

    const auto plain = decodeText("Gr\xFC\xDF");
    EXPECT_EQ(plain.encoding, TextEncoding::Cp1252);
    EXPECT_EQ(plain.text, "Grüß");

    // An odd trailing byte of UTF-16 is not silently dropped.
    EXPECT_EQ(decodeText(std::string("\xFF\xFE" "A\0B", 5)).text, "A\xEF\xBF\xBD");
}

TEST(TextDecoding, EachLineEndEndsALine)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(splitLines("\n\n"), (Lines{"", ""}));
    EXPECT_EQ(splitLines("\r\r\n"), (Lines{"", ""}));
    EXPECT_EQ(splitLines(""), Lines{});
    EXPECT_EQ(splitLines("last"), (Lines{"last"}));
}

// Every mix of line ends splits as reading the text byte by byte splits it,
// also in text far longer than the searches' steps.
TEST(TextDecoding, LineEndsSplitAsByteByByte)
{
    using Lines = std::vector<std::string>;
    const auto byteByByte = [](std::string_view text) {
        Lines lines;
        std::size_t start = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '\r' && text[i] != '\n')
                continue;
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        if (start < text.size())
            lines.emplace_back(text.substr(start));
        return lines;
    };
    const std::string pieces[] = {"\r", "\n", "\r\n", "\n\r", "x", "yz", "\n\n", "\r\r", std::string(40, 'w')};
    std::uint32_t seed = 12345;
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int count = round % 50;
        for (int i = 0; i < count; ++i)
            text += pieces[nextRandom(seed, std::size(pieces))];
        EXPECT_EQ(splitLines(text), byteByByte(text)) << round;
    }
    std::string onlyCr, onlyLf;
    for (int i = 0; i < 3000; ++i) {
        onlyCr += "Zeile " + std::to_string(i) + "\r";
        onlyLf += "Zeile " + std::to_string(i) + "\n";
    }
    EXPECT_EQ(splitLines(onlyCr), byteByByte(onlyCr));
    EXPECT_EQ(splitLines(onlyLf), byteByByte(onlyLf));
}

TEST(TextEncoding, WritesWindows1252WithCrLfAfterEveryLine)
{
    EXPECT_EQ(encodeLines({"Grüße", "", "5 €"}), "Gr\xFC\xDF" "e\r\n\r\n5 \x80\r\n");
    EXPECT_EQ(encodeLines({}), "");
}

TEST(TextEncoding, FallsBackToUtf8WithMarkRatherThanLosingCharacters)
{
    const std::vector<std::string> lines{"Müller", "Łódź"};
    EXPECT_EQ(encodingFor(lines), TextEncoding::Utf8Bom);
    const std::string bytes = encodeLines(lines);
    EXPECT_EQ(bytes, "\xEF\xBB\xBFM\xC3\xBCller\r\n\xC5\x81\xC3\xB3" "d\xC5\xBA\r\n");
    EXPECT_EQ(splitLines(decodeText(bytes).text), lines);
}

TEST(TextEncoding, TextThatLooksLikeAByteOrderMarkIsNotMisreadLater)
{
    for (const std::vector<std::string>& lines : {std::vector<std::string>{"ÿþ Anfang"}, {"ï»¿x"}, {"þÿ"}}) {
        EXPECT_EQ(encodingFor(lines), TextEncoding::Utf8Bom) << lines[0];
        EXPECT_EQ(splitLines(decodeText(encodeLines(lines)).text), lines);
    }
    EXPECT_EQ(encodingFor({"ÿ"}), TextEncoding::Cp1252);
}

TEST(TextFiles, WriteThenReadGivesTheSameLines)
{
    const std::string dir = tempDir();
    const std::vector<std::string> lines{"Sehr geehrte Damen und Herren,", "", "„Anlage“ – 3 Stück"};
    writeTextFile(dir + "a.txt", lines);
    EXPECT_EQ(readTextFile(dir + "a.txt"), lines);
    EXPECT_EQ(files::readFileBytes(dir + "a.txt").substr(0, 5), "Sehr ");
    std::filesystem::remove_all(dir);
}

// A Windows-1252 file is decoded line by line; it must read as decoding the
// whole file and then splitting it would, whatever its bytes and line ends.
TEST(TextFiles, AWindows1252FileReadsAsDecodedWholeThenSplit)
{
    const std::string dir = tempDir();
    const std::string pieces[] = {"\r", "\n", "\r\n", "x", "\xE4\xF6\xFC\xDF", "\x80\x81\x9F\xA0\xFF",
                                  std::string(30, 'w'), "\x00\x7F"};
    std::uint32_t seed = 777;
    for (int round = 0; round < 120; ++round) {
        std::string bytes;
        for (int i = 0; i < round % 40; ++i)
            bytes += pieces[nextRandom(seed, std::size(pieces))];
        if (bytes.starts_with("\xFF")) // would read as a byte-order mark
            bytes.insert(0, "x");
        files::writeFileAtomically(dir + "t.txt", bytes);
        EXPECT_EQ(readTextFile(dir + "t.txt"), splitLines(decodeText(bytes).text)) << round;
    }
    // A whole file decoded at once, far longer than a line, and its lines.
    std::string longText;
    for (int i = 0; i < 5000; ++i)
        longText += "Zeile " + std::to_string(i) + " mit \xE4\xF6\xFC\x80 und \x9C\r\n";
    files::writeFileAtomically(dir + "long.txt", longText);
    const std::vector<std::string> lines = readTextFile(dir + "long.txt");
    ASSERT_EQ(lines.size(), 5000u);
    EXPECT_EQ(lines[4999], "Zeile 4999 mit \u00E4\u00F6\u00FC\u20AC und \u0153");
    EXPECT_EQ(lines, splitLines(decodeCp1252(longText)));
    std::filesystem::remove_all(dir);
}

// The in-place decoding of the text loops agrees with the full decoder on
// every sequence, the malformed ones included.
TEST(Utf, TheLoopsDecodingAgreesWithTheDecoder)
{
    std::string text = "a\xC3\xA4\xC2\xA0\xDF\xBF\xC2\xC1\xBF\xC3(\xE2\x82\xAC\xF0\x9F\x98\x80\xC3";
    for (int b = 0x80; b < 0x100; ++b) {
        text += static_cast<char>(b);
        text += static_cast<char>(0x80 + (b & 0x3F));
    }
    for (std::size_t a = 0, b = 0; a < text.size();) {
        const char32_t fast = nextUtf8(text, a);
        EXPECT_EQ(fast, decodeUtf8(text, b)) << "at byte " << b;
        ASSERT_EQ(a, b);
    }
}

// The block-wise scan agrees with reading one character at a time, for
// texts shorter than a block, of whole blocks and with a block's remainder.
TEST(Latin1Scanning, AgreesWithTheDecoderOnEveryLengthAndMix)
{
    const auto reference = [](std::string_view s) {
        Latin1Scan r;
        for (std::size_t pos = 0; pos < s.size();) {
            const std::size_t at = pos;
            const char32_t c = decodeUtf8(s, pos);
            const bool wellFormed = c != kReplacementChar || (pos - at == 3 && s.substr(at, 3) == "\xEF\xBF\xBD");
            if (!wellFormed || c > 0xFF)
                r.latin1 = false;
            if (c < 0x20 || (c >= 0x7F && c <= 0xA0))
                r.printable = false;
            ++r.characters;
        }
        r.printable = r.printable && r.latin1;
        return r;
    };
    const std::string pieces[] = {"a", "Z ", "\xC3\xA4", "\xC2\xA1", "\xC2\xA0", "\xC2\x85", "\x1F", "\x7F",
                                  "\xC3", "\xA4", "\xC4\x80", "\xE2\x82\xAC", "\xC0\x80", "\xFF", "~"};
    std::uint32_t seed = 4242;
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        const int count = round % 70;
        for (int i = 0; i < count; ++i) {
            const std::size_t k = nextRandom(seed, 60);
            text += pieces[k < 45 ? k % 4 : 4 + k % 11]; // mostly good text
        }
        const Latin1Scan got = scanLatin1(text), want = reference(text);
        ASSERT_EQ(got.latin1, want.latin1) << round;
        ASSERT_EQ(got.printable, want.printable) << round;
        if (want.latin1) {
            ASSERT_EQ(got.characters, want.characters) << round;
        }
    }
    EXPECT_EQ(scanLatin1("").characters, 0u);
    EXPECT_TRUE(scanLatin1("").printable);
}

TEST(TextFiles, MissingFileGivesTheSystemMessage)
{
    try {
        readTextFile("/nonexistent-folder/x.txt");
        FAIL() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent-folder/x.txt"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("Datei oder Verzeichnis nicht gefunden"), std::string::npos);
    }
}
