#include "platform/text/TextFile.h"

#include "platform/files/FileAccess.h"
#include "platform/text/CodePage.h"
#include "platform/text/Utf.h"

#include <cstring>

namespace zt::platform::text {

namespace {

std::string decodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0));
    }
    if (bytes.size() % 2 != 0) // a dangling odd byte cannot be a character
        units.push_back(static_cast<char16_t>(kReplacementChar));
    return utf16ToUtf8(units);
}

std::string sanitizeUtf8(std::string_view bytes)
{
    if (isValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();)
        appendUtf8(out, decodeUtf8(bytes, pos));
    return out;
}

} // namespace

DecodedText decodeText(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return {sanitizeUtf8(bytes.substr(3)), TextEncoding::Utf8Bom};
    if (bytes.starts_with("\xFF\xFE"))
        return {decodeUtf16(bytes.substr(2), false), TextEncoding::Utf16LE};
    if (bytes.starts_with("\xFE\xFF"))
        return {decodeUtf16(bytes.substr(2), true), TextEncoding::Utf16BE};
    return {decodeCp1252(bytes), TextEncoding::Cp1252};
}

namespace {

// The lines of `text`, each made by `make` from its bytes.
template <class MakeLine>
std::vector<std::string> splitLinesWith(std::string_view text, MakeLine make)
{
    // Line ends are found with memchr, many bytes at a time: a long letter's
    // message is most of what a run reads. The next line feed is kept until
    // passed, so text with carriage returns alone is not searched to its end
    // for every line.
    std::vector<std::string> lines;
    const std::size_t n = text.size();
    const auto find = [&](char c, std::size_t from, std::size_t to) {
        const void* at = std::memchr(text.data() + from, c, to - from);
        return at ? static_cast<std::size_t>(static_cast<const char*>(at) - text.data()) : to;
    };
    std::size_t start = 0;
    std::size_t lf = 0;
    bool lfFound = false;
    while (start < n) {
        if (!lfFound || lf < start) {
            lf = find('\n', start, n);
            lfFound = true;
        }
        // A carriage return before the line feed ends the line there.
        const std::size_t end = find('\r', start, lf);
        if (end == n) {
            lines.push_back(make(text.substr(start)));
            break;
        }
        lines.push_back(make(text.substr(start, end - start)));
        start = end + 1;
        if (end < lf && start < n && text[start] == '\n')
            ++start;
    }
    return lines;
}

bool hasByteOrderMark(std::string_view bytes)
{
    return bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

} // namespace

std::vector<std::string> splitLines(std::string_view text)
{
    return splitLinesWith(text, [](std::string_view line) { return std::string(line); });
}

TextEncoding encodingFor(const std::vector<std::string>& lines)
{
    for (const auto& line : lines)
        if (!fitsCp1252(line))
            return TextEncoding::Utf8Bom;
    // Text beginning with "ï»¿", "ÿþ" or "þÿ" would read back as a byte-order mark.
    if (!lines.empty()) {
        const std::string head = *encodeCp1252(utf8Left(lines.front(), 3));
        if (hasByteOrderMark(head))
            return TextEncoding::Utf8Bom;
    }
    return TextEncoding::Cp1252;
}

std::string encodeLines(const std::vector<std::string>& lines)
{
    std::string out;
    if (encodingFor(lines) == TextEncoding::Utf8Bom) {
        out = "\xEF\xBB\xBF";
        for (const auto& line : lines) {
            out += sanitizeUtf8(line);
            out += "\r\n";
        }
        return out;
    }
    for (const auto& line : lines) {
        out += *encodeCp1252(line);
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> readTextFile(const std::string& path)
{
    const std::string bytes = files::readFileBytes(path);
    if (hasByteOrderMark(bytes))
        return splitLines(decodeText(bytes).text);
    // Windows-1252 line by line: its line ends are the same bytes in UTF-8,
    // and a long file is not held a second time, decoded whole.
    return splitLinesWith(bytes, decodeCp1252);
}

void writeTextFile(const std::string& path, const std::vector<std::string>& lines)
{
    files::writeFileAtomically(path, encodeLines(lines));
}

} // namespace zt::platform::text
