#include "output/WindowlessLetter.h"

#include "output/BoxLines.h"
#include "output/LetterBoxes.h"
#include "platform/text/Latin1Scan.h"
#include "platform/text/Utf.h"
#include "files/LetterFields.h"

namespace zt::output {

namespace {

// A line edit keeps at most this many UTF-16 units of text set into it.
constexpr std::size_t kLineEditLimit = 32767;

bool keptChar(char32_t c)
{
    if (c < 0x20 || (c >= 0x7F && c <= 0xA0))
        return false; // controls break or vanish; a no-break space reads back as a blank
    if (c == 0x2028 || c == 0x2029 || c == 0xFEFF || c >= 0xFFF0)
        return false; // separators, the byte-order mark, specials, other planes
    if (c >= 0xFDD0 && c <= 0xFDEF)
        return false; // the text document's frame marks
    return true;
}

} // namespace

std::vector<std::string> BoxDisplayLines(std::vector<std::string> given, const TBoxDesign& box)
{
    // The box takes the lines each with a break after it, so its
    // paragraphs are the lines given: none holds a break (KeptAsGiven).
    const auto font = platform::FontService::instance().font(BoxFont());
    const int width = BoxFormatWidth(box.width, box.scrollBar);
    const auto fits = [&](const std::string& line) { return !line.empty() && font->textWidth(line) <= width; };
    // Lines that fit whole, the common case, stay where they are; the lines
    // are only moved into a new list from the first one that wraps.
    auto first = given.begin();
    while (first != given.end() && fits(*first))
        ++first;
    if (first == given.end())
        return given;
    std::vector<std::string> shown;
    shown.reserve(given.size() + 1);
    shown.insert(shown.end(), std::make_move_iterator(given.begin()), std::make_move_iterator(first));
    for (auto it = first; it != given.end(); ++it) {
        if (it != first && fits(*it)) {
            shown.push_back(std::move(*it));
            continue;
        }
        std::vector<std::string> pieces = wrapParagraph(*it, *font, width);
        shown.insert(shown.end(), std::make_move_iterator(pieces.begin()), std::make_move_iterator(pieces.end()));
    }
    return shown;
}

bool KeptAsGiven(const std::string& text)
{
    // Latin-1 text, nearly every letter's, is answered in one pass.
    if (const platform::text::Latin1Scan scan = platform::text::scanLatin1(text); scan.latin1)
        return scan.printable && scan.characters <= kLineEditLimit;
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t c = platform::text::nextUtf8(text, pos);
        if (c == platform::text::kReplacementChar && pos - start != 3)
            return false;
        if (!keptChar(c))
            return false;
        ++units;
    }
    return units <= kLineEditLimit;
}

std::optional<TWindowlessLetter> OpenWithoutWindow(files::TLetterBuffer read)
{
    for (const files::TLetterBlockInfo& b : files::kLetterBlocks)
        if (const auto& lines = read.Block(b.block))
            for (const std::string& line : *lines)
                if (!KeptAsGiven(line))
                    return std::nullopt;
    for (const files::TLetterFieldInfo& f : files::kLetterFields)
        if (const auto& text = read.Field(f.field); text && !KeptAsGiven(*text))
            return std::nullopt;

    TWindowlessLetter letter;
    letter.content = std::move(read).TakeContent();
    for (const files::TLetterBlockInfo& b : files::kLetterBlocks)
        letter.content.*b.lines = BoxDisplayLines(std::move(letter.content.*b.lines), BlockBox(b.block));
    letter.labels = TickMarkLabels(letter.content);
    return letter;
}

} // namespace zt::output
