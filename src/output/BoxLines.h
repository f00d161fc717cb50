#pragma once
// The lines of a multi-line box. Everything that takes the lines of a block
// (counts, limits, printout, plain text) takes them as the box shows them:
// wrapped at the box's width the way the Windows edit control wraps. Where a
// box's whole text goes to a file in one piece, its own line breaks count.

#include "platform/fonts/FontService.h"

#include <string>
#include <string_view>
#include <vector>

namespace zt::output {

// The lines by the text's own breaks (CR LF, LF or CR). No text gives no
// lines, and an empty line after a final break is not counted.
std::vector<std::string> textLines(std::string_view text);

// The lines as a box `formatWidth` pixels wide shows them in `font`: a line
// breaks after the last blank that still fits, blanks at a break stay on the
// line they end, and a word wider than the box is broken where it overflows.
std::vector<std::string> displayLines(std::string_view text, const platform::Font& font, int formatWidth);

// The displayed lines of one paragraph (text without breaks); together they
// hold the whole paragraph. An empty paragraph is one empty line.
std::vector<std::string> wrapParagraph(std::string_view paragraph, const platform::Font& font, int formatWidth);

} // namespace zt::output
