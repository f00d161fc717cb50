#pragma once
// The letter window's design as far as it shapes the letter itself: the
// boxes whose displayed lines are the letter's lines (their widths and
// font), and the captions of the tick marks. The window builds its controls
// from these; the batch tool opens a letter without a window by them.

#include "files/LetterContent.h"
#include "platform/fonts/FontService.h"

#include <algorithm>
#include <array>
#include <string>

namespace zt::output {

struct TBoxDesign {
    int left, top, width, height;
    bool scrollBar;
};

// A box's sunken edge, its edit margins (pixels on each side) and its
// vertical scroll bar.
inline constexpr int kBoxEdge = 2;
inline constexpr int kBoxMargin = 1;
inline constexpr int kBoxScrollBarWidth = 17;

inline constexpr TBoxDesign kAbsenderBox{2, 64, 329, 89, false};
inline constexpr TBoxDesign kAnschriftBox{2, 175, 329, 89, false};
inline constexpr TBoxDesign kMitteilungBox{2, 384, 661, 70, true};

// The width the text of a box `width` pixels wide is wrapped to.
constexpr int BoxFormatWidth(int width, bool scrollBar)
{
    return std::max(0, width - 2 * kBoxEdge - 2 * kBoxMargin - (scrollBar ? kBoxScrollBarWidth : 0));
}

// The three boxes' font: Courier New, 10 points on the screen.
platform::LogFont BoxFont();

// The caption of tick mark n (1-15). Marks 9 and 15 have none: the field
// beside them is their label.
const char* TickMarkCaption(int n);

// The labels tick marks 1-15 print with (index 0 unused).
using TMarkLabels = std::array<std::string, files::kTickMarkCount + 1>;
// Each mark's caption, or for the two "other" marks (9 and 15) the text
// typed beside them.
TMarkLabels TickMarkLabels(const files::TLetterContent& letter);

// The box a block is typed into.
const TBoxDesign& BlockBox(files::TLetterBlock block);

} // namespace zt::output
