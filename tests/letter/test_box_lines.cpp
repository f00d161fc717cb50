// Lines of a multi-line box: by its own breaks, and as it shows them.

#include "output/BoxLines.h"
#include "platform/fonts/FontService.h"

#include <gtest/gtest.h>

using zt::output::displayLines;
using zt::output::textLines;
using Lines = std::vector<std::string>;

namespace {

// Courier New 10 pt at 96 dpi: 8 pixels a character.
const zt::platform::Font& courier()
{
    static auto font = zt::platform::FontService::instance().font("Courier New", 10, 96);
    return *font;
}

} // namespace

TEST(TextLines, CountsBreaksNotATrailingEmptyLine)
{
    EXPECT_EQ(textLines(""), Lines{});
    EXPECT_EQ(textLines("a"), Lines{"a"});
    EXPECT_EQ(textLines("a\n"), Lines{"a"});
    EXPECT_EQ(textLines("a\n\n"), (Lines{"a", ""}));
    EXPECT_EQ(textLines("\n"), Lines{""});
    EXPECT_EQ(textLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
}

TEST(DisplayLines, CourierIsEightPixelsACharacter)
{
    ASSERT_EQ(courier().advance(U'x'), 8);
}

struct WrapCase {
    const char* name;
    const char* text;
    int width;
    Lines expected;
};

void PrintTo(const WrapCase& c, std::ostream* os)
{
    *os << c.name;
}

class DisplayLinesWrap : public ::testing::TestWithParam<WrapCase> {};

TEST_P(DisplayLinesWrap, AsTheBoxShowsThem)
{
    EXPECT_EQ(displayLines(GetParam().text, courier(), GetParam().width), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayLinesWrap,
    ::testing::Values(
        WrapCase{"Empty", "", 80, {}},
        WrapCase{"Fits", "abcde fghij", 88, {"abcde fghij"}},
        WrapCase{"ExactlyFull", "abcdefghij", 80, {"abcdefghij"}},
        // The break comes after the last blank that fits; the blank stays.
        WrapCase{"BreaksAfterBlank", "abcd efgh ijkl", 80, {"abcd efgh ", "ijkl"}},
        // Blanks at the break hang on the line they end, however many.
        WrapCase{"BlanksHang", "abcdefghij   klm", 80, {"abcdefghij   ", "klm"}},
        WrapCase{"LongWordBreaksWhereItOverflows", "abcdefghijklmnopqrstuvwxy", 80,
                 {"abcdefghij", "klmnopqrst", "uvwxy"}},
        WrapCase{"EmptyParagraphsStay", "a\n\nb", 80, {"a", "", "b"}},
        WrapCase{"TrailingBreakAddsNoLine", "abc\n", 80, {"abc"}},
        WrapCase{"NarrowerThanOneCharacter", "abc", 5, {"a", "b", "c"}},
        WrapCase{"UmlautsCountAsOneCharacter", "äöüäöüäöüä ß", 80, {"äöüäöüäöüä ", "ß"}}),
    [](const auto& info) { return std::string(info.param.name); });
