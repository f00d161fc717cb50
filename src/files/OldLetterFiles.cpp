#include "files/OldLetterFiles.h"

#include "platform/profile/ProfileFile.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/CodePage.h"

#include <algorithm>

namespace zt::files {

namespace {

constexpr std::size_t kCountedString = 81;

bool isBlank(char c)
{
    return c >= 1 && c <= ' ';
}

// Reads the fixed fields in order; running out of bytes ends the reading.
class RecordCursor {
public:
    explicit RecordCursor(std::string_view bytes) : bytes_(bytes) {}

    bool text(std::string& out)
    {
        if (pos_ + kCountedString > bytes_.size())
            return false;
        // A length byte above 80 is damage; the text never runs past its field.
        const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(bytes_[pos_]), 80);
        out = platform::text::decodeCp1252(bytes_.substr(pos_ + 1, length));
        pos_ += kCountedString;
        return true;
    }

    bool byte(unsigned char& out)
    {
        if (pos_ >= bytes_.size())
            return false;
        out = static_cast<unsigned char>(bytes_[pos_++]);
        return true;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// Text as the old program wrote it: no control characters but tabs.
bool isPlainText(std::string_view text)
{
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < ' ' && c != '\t';
    });
}

// The keys of the "data" section; a letter in that layout has at least one.
const char* const kSectionedKeys[] = {"s1",  "s2",  "mb1", "mb2", "mb3", "mb4", "mb5", "mb6",
                                      "mb7", "mb8", "mb9", "an1", "an2", "an3", "an4", "an5",
                                      "an6", "titel", "MemoAbsender", "MemoAnschrift", "MemoMitteilung"};

bool looksSectioned(std::string_view bytes)
{
    try {
        const platform::ProfileFile profile = platform::ProfileFile::fromText(bytes);
        const auto& lines = profile.lines();
        if (!std::all_of(lines.begin(), lines.end(), [](const std::string& l) { return isPlainText(l); }))
            return false;
        return std::any_of(std::begin(kSectionedKeys), std::end(kSectionedKeys),
                           [&](const char* key) { return profile.rawValue("data", key).has_value(); });
    } catch (const std::exception&) {
        return false;
    }
}

// One whole record whose 23 counted strings each hold at most 80 characters
// of plain text. Random bytes or a text file of another kind fail this at
// the first few fields.
bool looksLikeFixedRecords(std::string_view bytes)
{
    if (bytes.size() < kFixedRecordSize)
        return false;
    std::size_t pos = 0;
    auto countedText = [&] {
        const std::size_t length = static_cast<unsigned char>(bytes[pos]);
        const bool ok = length <= 80 && isPlainText(bytes.substr(pos + 1, length));
        pos += kCountedString;
        return ok;
    };
    if (!countedText() || !countedText())
        return false;
    pos += kTickMarkCount;
    for (int field = 0; field < 1 + 20; ++field)
        if (!countedText())
            return false;
    return true;
}

} // namespace

TOldLayout DetectOldLayout(std::string_view bytes)
{
    if (looksSectioned(bytes))
        return TOldLayout::Sectioned;
    if (looksLikeFixedRecords(bytes))
        return TOldLayout::FixedRecords;
    return TOldLayout::None;
}

void ReadFixedRecordLetter(std::string_view bytes, TLetterSink& sink)
{
    RecordCursor cursor(bytes);
    std::string text;
    if (!cursor.text(text))
        return;
    sink.SetField(TLetterField::Sonst1, text);
    if (!cursor.text(text))
        return;
    sink.SetField(TLetterField::Sonst2, text);
    for (int n = 1; n <= kTickMarkCount; ++n) {
        unsigned char b = 0;
        if (!cursor.byte(b))
            return;
        sink.SetMark(n, b != 0);
    }
    if (!cursor.text(text))
        return;
    sink.SetField(TLetterField::Titel1, text);
    sink.ClearBlock(TLetterBlock::Absender);
    sink.ClearBlock(TLetterBlock::Anschrift);
    sink.ClearBlock(TLetterBlock::Mitteilung);
    const struct {
        TLetterBlock block;
        int lines;
    } blocks[] = {{TLetterBlock::Absender, 5}, {TLetterBlock::Anschrift, 5}, {TLetterBlock::Mitteilung, 10}};
    for (const auto& b : blocks)
        for (int i = 0; i < b.lines; ++i) {
            if (!cursor.text(text)) {
                if (b.block == TLetterBlock::Mitteilung)
                    continue; // a message line that cannot be read is skipped
                return;
            }
            sink.AppendLine(b.block, text);
        }
}

void ReadSectionedLetter(std::string_view bytes, TLetterSink& sink)
{
    const platform::ProfileFile ini = platform::ProfileFile::fromText(bytes);
    sink.SetField(TLetterField::Sonst1, ini.readString("data", "s1", ""));
    sink.SetField(TLetterField::Sonst2, ini.readString("data", "s2", ""));
    for (int n = 1; n <= 9; ++n)
        sink.SetMark(n, ini.readInteger("data", "mb" + std::to_string(n), 0) != 0);
    for (int n = 1; n <= 6; ++n)
        sink.SetMark(9 + n, ini.readInteger("data", "an" + std::to_string(n), 0) != 0);
    sink.SetField(TLetterField::Titel1, ini.readString("data", "titel", ""));
    const struct {
        TLetterBlock block;
        const char* key;
    } blocks[] = {{TLetterBlock::Absender, "MemoAbsender"},
                  {TLetterBlock::Anschrift, "MemoAnschrift"},
                  {TLetterBlock::Mitteilung, "MemoMitteilung"}};
    for (const auto& b : blocks) {
        sink.ClearBlock(b.block);
        // The raw value: stripping the quotes around the whole value would
        // join the first and last quoted lines and split them wrongly.
        for (const std::string& line : SplitCommaText(ini.rawValue("data", b.key).value_or("")))
            sink.AppendLine(b.block, line);
    }
}

std::vector<std::string> SplitCommaText(std::string_view text)
{
    // The list ends at a NUL, as the stored text always did.
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> items;
    std::size_t p = 0;
    const std::size_t n = text.size();
    auto skipBlanks = [&] {
        while (p < n && isBlank(text[p]))
            ++p;
    };
    skipBlanks();
    while (p < n) {
        std::string item;
        if (text[p] == '"') {
            ++p;
            while (p < n) {
                if (text[p] == '"') {
                    if (p + 1 < n && text[p + 1] == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
            // Text after the closing quote up to the next separator belongs to no item.
            while (p < n && !isBlank(text[p]) && text[p] != ',')
                ++p;
        } else {
            const std::size_t start = p;
            while (p < n && static_cast<unsigned char>(text[p]) > ' ' && text[p] != ',')
                ++p;
            item.assign(text.substr(start, p - start));
        }
        items.push_back(std::move(item));
        skipBlanks();
        if (p < n && text[p] == ',') {
            if (p + 1 == n)
                items.emplace_back(); // a trailing comma ends with an empty item
            do
                ++p;
            while (p < n && isBlank(text[p]));
        }
    }
    return items;
}

} // namespace zt::files
