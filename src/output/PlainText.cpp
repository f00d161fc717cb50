#include "output/PlainText.h"

#include "platform/text/Utf.h"

namespace zt::output {

using platform::text::utf8Left;
using platform::text::utf8Length;

std::string TickMarkText(bool ticked, const std::string& label)
{
    return (ticked ? "[X] " : "[ ] ") + label;
}

std::string TickMarkSpoken(bool ticked, const std::string& label)
{
    return (ticked ? "angekreuzt: " : "nicht angekreuzt: ") + label;
}

std::string padLeft(const std::string& text, std::size_t width)
{
    const std::size_t n = utf8Length(text);
    return n >= width ? text : std::string(width - n, ' ') + text;
}

std::string cutAndPadRight(const std::string& text, std::size_t width)
{
    std::string cut(utf8Left(text, width));
    return cut + std::string(width - utf8Length(cut), ' ');
}

std::vector<std::string> PlainTextLines(const files::TLetterContent& letter,
                                        const std::array<std::string, files::kTickMarkCount + 1>& labels)
{
    std::vector<std::string> out;
    auto append = [&](const std::vector<std::string>& lines) { out.insert(out.end(), lines.begin(), lines.end()); };
    auto mark = [&](int n) { return TickMarkText(letter.marks[n], labels[n]); };

    append(letter.absender);
    out.emplace_back();
    append(letter.anschrift);
    out.push_back(padLeft(letter.datum, 78));
    out.emplace_back();
    out.push_back(letter.titel1);
    out.push_back(letter.titel2);
    out.emplace_back();
    append(letter.mitteilung);
    out.emplace_back();
    out.push_back(std::string(58, '_'));
    out.push_back("Mit der Bitte um:      Anlagen:");
    out.emplace_back();
    for (int row = 0; row < 6; ++row)
        out.push_back(cutAndPadRight(mark(1 + row), 22) + " " + cutAndPadRight(mark(10 + row), 22));
    for (int n : {7, 8, 9})
        out.push_back(mark(n));
    return out;
}

} // namespace zt::output
