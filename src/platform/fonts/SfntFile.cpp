#include "platform/fonts/SfntFile.h"

namespace zt::platform {

namespace {

std::uint32_t be(std::span<const std::uint8_t> d, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | (at + static_cast<std::size_t>(i) < d.size() ? d[at + static_cast<std::size_t>(i)] : 0);
    return v;
}

void putBe32(std::vector<std::uint8_t>& d, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        d[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

bool tagAt(std::span<const std::uint8_t> d, std::size_t at, std::string_view tag)
{
    if (tag.size() != 4 || at + 4 > d.size())
        return false;
    for (std::size_t i = 0; i < 4; ++i)
        if (d[at + i] != static_cast<std::uint8_t>(tag[i]))
            return false;
    return true;
}

// The directory's table count, when all its records lie within the file.
std::optional<std::size_t> tableCount(std::span<const std::uint8_t> file, std::size_t directory)
{
    if (directory + 12 > file.size())
        return std::nullopt;
    const std::size_t count = be(file, directory + 4, 2);
    if (directory + 12 + count * 16 > file.size())
        return std::nullopt;
    return count;
}

} // namespace

bool isFontCollection(std::span<const std::uint8_t> file)
{
    return tagAt(file, 0, "ttcf");
}

std::optional<std::size_t> sfntDirectory(std::span<const std::uint8_t> file, int faceIndex)
{
    if (!isFontCollection(file))
        return file.size() >= 12 ? std::optional<std::size_t>(0) : std::nullopt;
    const std::uint32_t face = static_cast<std::uint32_t>(faceIndex) & 0xFFFF;
    if (face >= be(file, 8, 4) || 12 + (face + 1) * std::size_t{4} > file.size())
        return std::nullopt;
    const std::size_t directory = be(file, 12 + face * std::size_t{4}, 4);
    return directory + 12 <= file.size() ? std::optional<std::size_t>(directory) : std::nullopt;
}

std::optional<SfntTable> sfntTable(std::span<const std::uint8_t> file, int faceIndex, std::string_view tag)
{
    const auto directory = sfntDirectory(file, faceIndex);
    const auto count = directory ? tableCount(file, *directory) : std::nullopt;
    if (!count)
        return std::nullopt;
    for (std::size_t i = 0; i < *count; ++i) {
        const std::size_t record = *directory + 12 + i * 16;
        if (!tagAt(file, record, tag))
            continue;
        const SfntTable t{be(file, record + 8, 4), be(file, record + 12, 4)};
        if (t.offset > file.size() || t.length > file.size() - t.offset)
            return std::nullopt;
        return t;
    }
    return std::nullopt;
}

bool hasCffOutlines(std::span<const std::uint8_t> file, int faceIndex)
{
    const auto directory = sfntDirectory(file, faceIndex);
    return directory && (tagAt(file, *directory, "OTTO") || sfntTable(file, faceIndex, "CFF ") ||
                         sfntTable(file, faceIndex, "CFF2"));
}

std::vector<std::uint8_t> sfntFace(std::span<const std::uint8_t> file, int faceIndex)
{
    if (!isFontCollection(file))
        return {file.begin(), file.end()};
    const auto directory = sfntDirectory(file, faceIndex);
    const auto count = directory ? tableCount(file, *directory) : std::nullopt;
    if (!count)
        return {};
    // The face's own directory header and records, then each table on a
    // four-byte boundary at its new offset.
    const std::size_t header = 12 + *count * 16;
    std::vector<std::uint8_t> out(file.begin() + static_cast<std::ptrdiff_t>(*directory),
                                  file.begin() + static_cast<std::ptrdiff_t>(*directory + header));
    std::optional<std::size_t> head;
    for (std::size_t i = 0; i < *count; ++i) {
        const std::size_t record = 12 + i * 16;
        const std::size_t offset = be(out, record + 8, 4), length = be(out, record + 12, 4);
        if (offset > file.size() || length > file.size() - offset)
            return {};
        if (tagAt(out, record, "head") && length >= 12)
            head = out.size();
        putBe32(out, record + 8, static_cast<std::uint32_t>(out.size()));
        out.insert(out.end(), file.begin() + static_cast<std::ptrdiff_t>(offset),
                   file.begin() + static_cast<std::ptrdiff_t>(offset + length));
        out.resize((out.size() + 3) & ~std::size_t{3}, 0);
    }
    // The whole file's checksum, which head records, differs from the
    // collection's: readers that check it find it right.
    if (head) {
        putBe32(out, *head + 8, 0);
        std::uint32_t sum = 0;
        for (std::size_t at = 0; at < out.size(); at += 4)
            sum += be(out, at, 4);
        putBe32(out, *head + 8, 0xB1B0AFBAu - sum);
    }
    return out;
}

} // namespace zt::platform
