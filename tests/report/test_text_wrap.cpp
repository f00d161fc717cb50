// Breaking text into printed lines, with every character 10 pixels wide so
// the cases read as arithmetic: a line of n characters measures 10 n + 1.

#include "report/QRTextWrap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zt::report;

namespace {

class TenPixels : public TQRExtentSource {
public:
    int Extent(std::string_view s) const override
    {
        int n = 0;
        for (const char c : s)
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                ++n;
        calls += 1;
        return 10 * n;
    }
    mutable long calls = 0;
};

struct WrapCase {
    const char* name;
    std::string text;
    int width;
    TWrapStyle style;
    bool wordWrap;
    bool autoSize;
    std::vector<std::string> lines;
};

std::ostream& operator<<(std::ostream& os, const WrapCase& c)
{
    return os << c.name;
}

class Wrap : public ::testing::TestWithParam<WrapCase> {};

TEST_P(Wrap, GivesTheLines)
{
    const WrapCase& c = GetParam();
    TenPixels extents;
    TQRWrapRules rules;
    rules.PixelWidth = c.width;
    rules.WrapStyle = c.style;
    rules.WordWrap = c.wordWrap;
    rules.AutoSize = c.autoSize;
    std::vector<std::string> out;
    TQRTextWrapper(extents, rules).WrapText(c.text, out);
    EXPECT_EQ(out, c.lines);
}

constexpr auto spaces = TWrapStyle::BreakOnSpaces;
constexpr auto anywhere = TWrapStyle::BreakAnywhere;

INSTANTIATE_TEST_SUITE_P(
    Cases, Wrap,
    ::testing::Values(
        WrapCase{"ThreeWordsOfWhichTwoFit", "aaa bbb ccc", 85, spaces, true, false, {"aaa bbb ", "ccc"}},
        WrapCase{"AllFitOnOneLine", "aaa bbb", 71, spaces, true, false, {"aaa bbb"}},
        WrapCase{"ExactFitIsNotAnOverflow", "aaaa", 41, spaces, true, false, {"aaaa"}},
        WrapCase{"EmptyTextGivesOneEmptyLine", "", 50, spaces, true, false, {""}},
        WrapCase{"HyphenEndsAWord", "a-b", 25, spaces, true, false, {"a-", "b"}},
        WrapCase{"TooWideWordIsCutBeforeReachingTheWidth", "abcdefghij", 45, spaces, true, false, {"abcd", ""}},
        WrapCase{"TooWideWordAfterALineGetsALineOfItsOwn", "ab abcdefghij", 45, spaces, true, false,
                 {"ab ", "abcd", ""}},
        WrapCase{"WithoutWordWrapTheFirstOverflowEndsTheText", "aaa bbb ccc ddd", 85, spaces, false, false,
                 {"aaa bbb "}},
        WrapCase{"WithoutWordWrapAShortTextIsOneLine", "aaa bbb", 85, spaces, false, false, {"aaa bbb"}},
        WrapCase{"LineFeedsAreDropped", "ab\ncd", 100, spaces, true, false, {"abcd"}},
        WrapCase{"CarriageReturnsBreak", "ab\r\ncd", 100, spaces, true, false, {"ab", "cd"}},
        WrapCase{"TrailingCarriageReturnGivesAnEmptyLine", "abc\r", 100, spaces, true, false, {"abc", ""}},
        WrapCase{"AnywhereBreaksBetweenCharacters", "abcdef", 35, anywhere, true, false, {"abc", "def"}},
        WrapCase{"AnywhereDropsEmptyPieces", "ab\r\rcd", 100, anywhere, true, false, {"ab", "cd"}},
        WrapCase{"AnywhereDropsBlankPieces", "   ", 100, anywhere, true, false, {}},
        WrapCase{"AutoSizeKeepsEachPieceWhole", "a very long line indeed\rnext", 20, spaces, true, true,
                 {"a very long line indeed", "next"}},
        WrapCase{"UmlautsCountAsOneCharacter", "äöü äöü", 45, spaces, true, false, {"äöü ", "äöü"}},
        WrapCase{"ZeroWidthStillEnds", "ab", 0, spaces, true, false, {"", "", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WrapZoom, DoubleZoomHalvesWhatFits)
{
    TenPixels extents;
    TQRWrapRules rules;
    rules.PixelWidth = 85;
    rules.Zoom = 200;
    std::vector<std::string> out;
    TQRTextWrapper(extents, rules).WrapText("aaa bbb ccc", out);
    EXPECT_EQ(out, (std::vector<std::string>{"aaa ", "bbb ", "ccc"}));
}

TEST(WrapCost, ALongWordIsMeasuredOncePerCharacter)
{
    // A megabyte without a blank: every character is measured a bounded
    // number of times, never once per line per character.
    TenPixels extents;
    TQRWrapRules rules;
    rules.PixelWidth = 801;
    const std::string text(1 << 20, 'x');
    std::vector<std::string> out;
    TQRTextWrapper(extents, rules).WrapText("ab " + text, out);
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out[0], "ab ");
    EXPECT_EQ(out[1], std::string(80, 'x'));  // 801 pixels: not above the width
    EXPECT_LT(extents.calls, 3L * (1 << 20));
}

} // namespace
