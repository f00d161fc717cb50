#include "files/LetterFile.h"

#include "platform/profile/ProfileFile.h"
#include "platform/text/AsciiCase.h"
#include "files/LetterFields.h"

#include <array>

namespace zt::files {

std::string FlagToText(bool ticked)
{
    return ticked ? "1" : "0";
}

bool TextToFlag(std::string_view value)
{
    return value == "1";
}

std::vector<std::string> LetterFileLines(const TLetterContent& letter)
{
    std::vector<std::string> out;
    out.push_back("ZLVersion=1.8");
    for (const TLetterBlockInfo& b : kLetterBlocks)
        out.push_back(std::string(b.countKey) + "=" + std::to_string((letter.*b.lines).size()));
    for (const TLetterBlockInfo& b : kLetterBlocks)
        out.insert(out.end(), (letter.*b.lines).begin(), (letter.*b.lines).end());
    for (const TTickMarkInfo& m : kTickMarks)
        out.push_back(std::string(m.fileKey) + "=" + FlagToText(letter.marks[static_cast<std::size_t>(m.number)]));
    for (const TLetterFieldInfo& f : kLetterFields)
        out.push_back(std::string(f.fileKey) + "=" + letter.*f.text);
    return out;
}

TLetterFileReader::TLetterFileReader(std::vector<std::string> lines) : lines_(std::move(lines))
{
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (const auto eq = lines_[i].find('='); eq != std::string::npos)
            firstLine_.try_emplace(platform::text::asciiLower(std::string_view(lines_[i]).substr(0, eq)), i);
}

std::string TLetterFileReader::Value(std::string_view key) const
{
    const auto it = firstLine_.find(platform::text::asciiLower(key));
    if (it == firstLine_.end())
        return {};
    const std::string& line = lines_[it->second];
    return line.substr(line.find('=') + 1);
}

std::optional<long long> TLetterFileReader::Count(std::string_view key) const
{
    const auto value = platform::parseDecimalInt(Value(key));
    if (!value || *value < 0)
        return std::nullopt;
    return *value;
}

const std::string& TLetterFileReader::Line(long long index) const
{
    if (index < 0 || static_cast<unsigned long long>(index) >= lines_.size())
        throw ELetterFileError("Line index out of bounds (" + std::to_string(index) + ")");
    return lines_[static_cast<std::size_t>(index)];
}

std::string TLetterFileReader::TakeLine(long long index)
{
    Line(index); // the same bounds
    return std::move(lines_[static_cast<std::size_t>(index)]);
}

void ReadLetterFile(TLetterFileReader file, TLetterSink& sink)
{
    std::array<long long, kLetterBlockCount> counts{};
    for (const TLetterBlockInfo& b : kLetterBlocks) {
        const auto count = file.Count(b.countKey);
        if (!count)
            throw ELetterFileError("A line count of the letter file is missing or not a number");
        counts[IndexOf(b.block)] = *count;
    }

    // The keyed values are read before the block lines are handed over: a
    // key is looked up on the first line that has it, a block line too.
    std::array<bool, kTickMarkCount + 1> marks{};
    for (const TTickMarkInfo& m : kTickMarks)
        marks[static_cast<std::size_t>(m.number)] = TextToFlag(file.Value(m.fileKey));
    std::array<std::string, kLetterFieldCount> fields;
    for (const TLetterFieldInfo& f : kLetterFields)
        fields[IndexOf(f.field)] = file.Value(f.fileKey);

    for (const TLetterBlockInfo& b : kLetterBlocks)
        sink.ClearBlock(b.block);
    // The lines follow the version and the counts, block after block.
    long long from = 1 + static_cast<long long>(kLetterBlockCount);
    for (const TLetterBlockInfo& b : kLetterBlocks) {
        const long long count = counts[IndexOf(b.block)];
        for (long long i = 0; i < count; ++i)
            sink.AppendLine(b.block, file.TakeLine(from + i));
        from += count;
    }

    for (const TTickMarkInfo& m : kTickMarks)
        sink.SetMark(m.number, marks[static_cast<std::size_t>(m.number)]);
    for (const TLetterFieldInfo& f : kLetterFields)
        sink.SetField(f.field, fields[IndexOf(f.field)]);
}

} // namespace zt::files
