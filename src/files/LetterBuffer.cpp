#include "files/LetterBuffer.h"

namespace zt::files {

void TLetterBuffer::ClearBlock(TLetterBlock block)
{
    blocks_[IndexOf(block)].emplace();
}

void TLetterBuffer::AppendLine(TLetterBlock block, std::string line)
{
    auto& lines = blocks_[IndexOf(block)];
    if (!lines)
        lines.emplace();
    lines->push_back(std::move(line));
}

void TLetterBuffer::SetMark(int n, bool ticked)
{
    if (n >= 1 && n <= kTickMarkCount)
        marks_[static_cast<std::size_t>(n)] = ticked;
}

void TLetterBuffer::SetField(TLetterField field, const std::string& text)
{
    fields_[IndexOf(field)] = text;
}

const std::optional<std::vector<std::string>>& TLetterBuffer::Block(TLetterBlock block) const
{
    return blocks_[IndexOf(block)];
}

std::optional<bool> TLetterBuffer::Mark(int n) const
{
    return n >= 1 && n <= kTickMarkCount ? marks_[static_cast<std::size_t>(n)] : std::nullopt;
}

const std::optional<std::string>& TLetterBuffer::Field(TLetterField field) const
{
    return fields_[IndexOf(field)];
}

TLetterContent TLetterBuffer::Content() const
{
    TLetterContent letter;
    for (const TLetterBlockInfo& b : kLetterBlocks)
        letter.*b.lines = Block(b.block).value_or(std::vector<std::string>());
    for (const TTickMarkInfo& m : kTickMarks)
        letter.marks[static_cast<std::size_t>(m.number)] = Mark(m.number).value_or(false);
    for (const TLetterFieldInfo& f : kLetterFields)
        letter.*f.text = Field(f.field).value_or(std::string());
    return letter;
}

TLetterContent TLetterBuffer::TakeContent() &&
{
    TLetterContent letter;
    for (const TLetterBlockInfo& b : kLetterBlocks)
        if (auto& lines = blocks_[IndexOf(b.block)])
            letter.*b.lines = std::move(*lines);
    for (const TTickMarkInfo& m : kTickMarks)
        letter.marks[static_cast<std::size_t>(m.number)] = Mark(m.number).value_or(false);
    for (const TLetterFieldInfo& f : kLetterFields)
        if (auto& text = fields_[IndexOf(f.field)])
            letter.*f.text = std::move(*text);
    return letter;
}

} // namespace zt::files
