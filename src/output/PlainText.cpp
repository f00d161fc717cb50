#include "output/PlainText.h"

#include "files/LetterFields.h"
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

namespace {

using files::TLetterBlock;
using files::TLetterField;

// Where the letter's parts stand in the plain text, top to bottom. The two
// "other" fields have no line of their own: they name their tick marks.
struct TPlainTextPlace {
    enum Kind { Block, Field, FieldRight, Empty } kind;
    TLetterBlock block = TLetterBlock::Absender;
    TLetterField field = TLetterField::Titel1;
};
constexpr std::size_t kRightEdge = 78; // where a right-aligned field ends
constexpr TPlainTextPlace kPlainTextPlaces[] = {
    {TPlainTextPlace::Block, TLetterBlock::Absender},
    {TPlainTextPlace::Empty},
    {TPlainTextPlace::Block, TLetterBlock::Anschrift},
    {TPlainTextPlace::FieldRight, {}, TLetterField::Datum},
#ifdef ZT_TEST_EXTRA_FIELD
    {TPlainTextPlace::FieldRight, {}, TLetterField::Aktenzeichen},
#endif
    {TPlainTextPlace::Empty},
    {TPlainTextPlace::Field, {}, TLetterField::Titel1},
    {TPlainTextPlace::Field, {}, TLetterField::Titel2},
    {TPlainTextPlace::Empty},
    {TPlainTextPlace::Block, TLetterBlock::Mitteilung},
    {TPlainTextPlace::Empty},
};

// The tick marks below a rule, in two columns (0: none beside it).
constexpr std::size_t kMarkColumn = 22;
constexpr int kPlainTextMarkRows[][2] = {{1, 10}, {2, 11}, {3, 12}, {4, 13}, {5, 14}, {6, 15}, {7, 0}, {8, 0}, {9, 0}};

} // namespace

std::vector<std::string> PlainTextLines(const files::TLetterContent& letter,
                                        const std::array<std::string, files::kTickMarkCount + 1>& labels)
{
    std::vector<std::string> out;
    auto mark = [&](int n) { return TickMarkText(letter.marks[n], labels[n]); };

    for (const TPlainTextPlace& p : kPlainTextPlaces) {
        switch (p.kind) {
        case TPlainTextPlace::Block: {
            const std::vector<std::string>& lines = letter.*files::LetterBlockInfo(p.block).lines;
            out.insert(out.end(), lines.begin(), lines.end());
            break;
        }
        case TPlainTextPlace::Field: out.push_back(files::FieldText(letter, p.field)); break;
        case TPlainTextPlace::FieldRight: out.push_back(padLeft(files::FieldText(letter, p.field), kRightEdge)); break;
        case TPlainTextPlace::Empty: out.emplace_back(); break;
        }
    }
    out.push_back(std::string(58, '_'));
    out.push_back("Mit der Bitte um:      Anlagen:");
    out.emplace_back();
    for (const auto& row : kPlainTextMarkRows)
        out.push_back(row[1] == 0 ? mark(row[0])
                                  : cutAndPadRight(mark(row[0]), kMarkColumn) + " " +
                                        cutAndPadRight(mark(row[1]), kMarkColumn));
    return out;
}

} // namespace zt::output
