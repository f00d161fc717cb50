#include "platform/profile/ProfileFile.h"

#include "platform/text/AsciiCase.h"

#include "platform/files/FileAccess.h"
#include "platform/text/TextFile.h"
#include "platform/text/Trim.h"

#include <cerrno>
#include <charconv>
#include <sys/stat.h>

namespace zt::platform {

namespace {

std::string_view trim(std::string_view s) { return text::trimmed(s); }

std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trim(line);
    if (!line.starts_with('['))
        return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line)
{
    const auto trimmed = trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[')
        return std::nullopt;
    const auto eq = trimmed.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return KeyLine{trim(trimmed.substr(0, eq)), trim(trimmed.substr(eq + 1))};
}

} // namespace

std::optional<int> parseDecimalInt(std::string_view text)
{
    text = trim(text);
    // from_chars takes a minus but no plus; allow one sign of either kind.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return std::nullopt;
    }
    if (text.empty())
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

ProfileFile::ProfileFile(std::string path) : path_(std::move(path))
{
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0 && errno == ENOENT)
        return;
    lines_ = text::readTextFile(path_);
}

ProfileFile ProfileFile::fromText(std::string_view text)
{
    ProfileFile profile;
    profile.lines_ = text::splitLines(text::decodeText(text).text);
    return profile;
}

std::optional<std::size_t> ProfileFile::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i]);
        if (name && text::equalsIgnoringAsciiCase(*name, section))
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileFile::findKey(std::size_t sectionLine, std::string_view key) const
{
    for (std::size_t i = sectionLine + 1; i < lines_.size(); ++i) {
        if (sectionName(lines_[i]))
            break;
        const auto kv = keyLine(lines_[i]);
        if (kv && text::equalsIgnoringAsciiCase(kv->key, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFile::rawValue(std::string_view section, std::string_view key) const
{
    const auto s = findSection(section);
    if (!s)
        return std::nullopt;
    const auto k = findKey(*s, key);
    if (!k)
        return std::nullopt;
    return std::string(keyLine(lines_[*k])->value);
}

std::optional<std::string> ProfileFile::value(std::string_view section, std::string_view key) const
{
    auto v = rawValue(section, key);
    if (v && v->size() >= 2 && v->front() == '"' && v->back() == '"')
        *v = v->substr(1, v->size() - 2);
    return v;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key, const std::string& fallback) const
{
    return value(section, key).value_or(fallback);
}

int ProfileFile::readInteger(std::string_view section, std::string_view key, int fallback) const
{
    const auto v = value(section, key);
    if (!v)
        return fallback;
    return parseDecimalInt(*v).value_or(fallback);
}

void ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string line = std::string(key) + "=" + std::string(value);
    if (const auto s = findSection(section)) {
        if (const auto k = findKey(*s, key)) {
            lines_[*k] = line;
        } else {
            // After the section's last non-blank line, so blank separators stay below it.
            std::size_t insertAt = *s + 1;
            for (std::size_t i = *s + 1; i < lines_.size() && !sectionName(lines_[i]); ++i)
                if (!trim(lines_[i]).empty())
                    insertAt = i + 1;
            lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), line);
        }
    } else {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(line);
    }
    save();
}

void ProfileFile::writeInteger(std::string_view section, std::string_view key, int value)
{
    writeString(section, key, std::to_string(value));
}

void ProfileFile::save() const
{
    if (!path_.empty())
        text::writeTextFile(path_, lines_);
}

} // namespace zt::platform
