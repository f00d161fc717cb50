#include "files/LetterBuffer.h"

namespace zt::files {

namespace {

std::size_t indexOf(TLetterBlock block) { return static_cast<std::size_t>(block); }
std::size_t indexOf(TLetterField field) { return static_cast<std::size_t>(field); }

} // namespace

void TLetterBuffer::ClearBlock(TLetterBlock block)
{
    blocks_[indexOf(block)].emplace();
}

void TLetterBuffer::AppendLine(TLetterBlock block, const std::string& line)
{
    auto& lines = blocks_[indexOf(block)];
    if (!lines)
        lines.emplace();
    lines->push_back(line);
}

void TLetterBuffer::SetMark(int n, bool ticked)
{
    if (n >= 1 && n <= kTickMarkCount)
        marks_[static_cast<std::size_t>(n)] = ticked;
}

void TLetterBuffer::SetField(TLetterField field, const std::string& text)
{
    fields_[indexOf(field)] = text;
}

const std::optional<std::vector<std::string>>& TLetterBuffer::Block(TLetterBlock block) const
{
    return blocks_[indexOf(block)];
}

std::optional<bool> TLetterBuffer::Mark(int n) const
{
    return n >= 1 && n <= kTickMarkCount ? marks_[static_cast<std::size_t>(n)] : std::nullopt;
}

const std::optional<std::string>& TLetterBuffer::Field(TLetterField field) const
{
    return fields_[indexOf(field)];
}

} // namespace zt::files
