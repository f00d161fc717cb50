#include "files/LetterFile.h"

#include "platform/profile/ProfileFile.h"
#include "platform/text/AsciiCase.h"
#include "files/LetterFields.h"


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
    out.push_back("AbsLines=" + std::to_string(letter.absender.size()));
    out.push_back("AnsLines=" + std::to_string(letter.anschrift.size()));
    out.push_back("MitLines=" + std::to_string(letter.mitteilung.size()));
    for (const auto* block : {&letter.absender, &letter.anschrift, &letter.mitteilung})
        out.insert(out.end(), block->begin(), block->end());
    for (int n = 1; n <= kTickMarkCount; ++n)
        out.push_back("cb" + std::to_string(n) + "=" + FlagToText(letter.marks[n]));
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

void ReadLetterFile(const TLetterFileReader& file, TLetterSink& sink)
{
    const auto s = file.Count("AbsLines");
    const auto r = file.Count("AnsLines");
    const auto m = file.Count("MitLines");
    if (!s || !r || !m)
        throw ELetterFileError("A line count of the letter file is missing or not a number");

    sink.ClearBlock(TLetterBlock::Absender);
    sink.ClearBlock(TLetterBlock::Anschrift);
    sink.ClearBlock(TLetterBlock::Mitteilung);
    const struct {
        TLetterBlock block;
        long long from, count;
    } blocks[] = {
        {TLetterBlock::Absender, 4, *s},
        {TLetterBlock::Anschrift, 4 + *s, *r},
        {TLetterBlock::Mitteilung, 4 + *s + *r, *m},
    };
    for (const auto& b : blocks)
        for (long long i = 0; i < b.count; ++i)
            sink.AppendLine(b.block, file.Line(b.from + i));

    for (int n = 1; n <= kTickMarkCount; ++n)
        sink.SetMark(n, TextToFlag(file.Value("cb" + std::to_string(n))));
    for (const TLetterFieldInfo& f : kLetterFields)
        sink.SetField(f.field, file.Value(f.fileKey));
}

} // namespace zt::files
