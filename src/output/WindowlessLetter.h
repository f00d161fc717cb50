#pragma once
// A letter as the letter window would hold it after opening a file, without
// the window: the boxes' displayed lines at their designed widths, the
// fields and tick marks, and the marks' labels. The batch tool takes its
// outputs from here, which spares it the toolkit's start-up, as long as the
// letter holds only text the window's boxes keep exactly as given; for any
// other text it opens the real window.

#include "files/LetterBuffer.h"
#include "files/LetterContent.h"
#include "output/LetterBoxes.h"

#include <array>
#include <optional>
#include <string>

namespace zt::output {

struct TWindowlessLetter {
    files::TLetterContent content; // what the window's LetterContent() gives
    TMarkLabels labels;            // what its tick marks' labels are
};

// The letter a window of the designed size shows after taking `read`; nullopt
// when some text is not one the boxes keep as given (control characters,
// no-break spaces, paragraph and line separators, text that is not UTF-8,
// characters beyond the basic plane, a field longer than a line edit takes).
std::optional<TWindowlessLetter> OpenWithoutWindow(files::TLetterBuffer read);

// Lines given to a box as it displays them: each wrapped at the box's width.
std::vector<std::string> BoxDisplayLines(std::vector<std::string> given, const TBoxDesign& box);

// The text keeps every character when set into a box or field and read back.
bool KeptAsGiven(const std::string& text);

} // namespace zt::output
