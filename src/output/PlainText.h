#pragma once
// The letter as plain monospaced text: the lines the Editor, mail and Word
// hand-offs send, laid out for a fixed-pitch font.

#include "files/LetterContent.h"

#include <array>
#include <string>
#include <vector>

namespace zt::output {

// "[X] " or "[ ] " followed by the label.
std::string TickMarkText(bool ticked, const std::string& label);
// The same as a screen reader says it: "angekreuzt: " or "nicht angekreuzt: " and the label.
std::string TickMarkSpoken(bool ticked, const std::string& label);

// The rendering's lines. `labels[n]` names tick mark n (1-15): its caption,
// or for 9 and 15 the text of the field beside it.
std::vector<std::string> PlainTextLines(const files::TLetterContent& letter,
                                        const std::array<std::string, files::kTickMarkCount + 1>& labels);

// printf's "%Ns" (right-aligned, never cut) and "%-N.Ns" (cut and padded),
// counting characters.
std::string padLeft(const std::string& text, std::size_t width);
std::string cutAndPadRight(const std::string& text, std::size_t width);

} // namespace zt::output
