#include "platform/gdi/EmfReader.h"

#include "platform/gdi/EmfBytes.h"
#include "platform/gdi/EmfRecords.h"
#include "platform/text/CodePage.h"
#include "platform/text/Utf.h"

namespace zt::platform::gdi {

std::uint32_t EmfRecordView::readU32At(std::uint32_t offset) const
{
    return readU32(data_ + offset);
}

std::uint16_t EmfRecordView::u16(std::uint32_t offset) const
{
    return has(offset, 2) ? readU16(data_ + offset) : 0;
}

float EmfRecordView::f32(std::uint32_t offset) const
{
    return has(offset, 4) ? readF32(data_ + offset) : 0.0f;
}

EmfRecordList readEmfRecords(const std::vector<std::uint8_t>& bytes)
{
    EmfRecordList list;
    list.header = parseEmfHeader(bytes.data(), bytes.size(), bytes.size());
    const std::uint64_t end = list.header.bytes;
    std::uint64_t pos = 0;
    while (pos + 8 <= end) {
        const std::uint32_t size = readU32(bytes.data() + pos + 4);
        if (size < 8 || size % 4 != 0 || pos + size > end)
            return list;
        list.records.emplace_back(bytes.data() + pos, size);
        pos += size;
        if (list.records.back().type() == EMR_EOF) {
            list.complete = true;
            return list;
        }
    }
    return list;
}

std::optional<std::u16string> textOf(const EmfRecordView& record, std::uint32_t emrTextOffset, bool wide)
{
    // EMRTEXT: reference point, nChars, offString, options, rectangle, offDx.
    if (!record.has(emrTextOffset, 40))
        return std::nullopt;
    const std::uint32_t count = record.u32(emrTextOffset + 8);
    const std::uint32_t offString = record.u32(emrTextOffset + 12);
    if (count == 0)
        return std::u16string();
    const std::uint64_t unit = wide ? 2 : 1;
    if (!record.has(offString, count * unit))
        return std::nullopt;
    std::u16string text;
    text.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (wide)
            text.push_back(static_cast<char16_t>(record.u16(offString + 2 * i)));
        else
            text.push_back(static_cast<char16_t>(text::cp1252ToUnicode(record.u8(offString + i))));
    }
    return text;
}

std::vector<std::string> enumerateTexts(const TMetafile& page)
{
    std::vector<std::string> texts;
    if (page.Empty())
        return texts;
    const EmfRecordList list = readEmfRecords(page.Bytes());
    for (const auto& r : list.records) {
        const std::uint32_t type = r.type();
        if (type == EMR_EXTTEXTOUTW || type == EMR_EXTTEXTOUTA) {
            if (auto t = textOf(r, 36, type == EMR_EXTTEXTOUTW))
                texts.push_back(text::utf16ToUtf8(*t));
        } else if (type == EMR_POLYTEXTOUTW || type == EMR_POLYTEXTOUTA) {
            // bounds, graphics mode, scales, then cStrings and the EMRTEXT array
            const std::uint32_t n = r.u32(36);
            for (std::uint64_t i = 0; i < n && r.has(40 + i * 40, 40); ++i)
                if (auto t = textOf(r, static_cast<std::uint32_t>(40 + i * 40), type == EMR_POLYTEXTOUTW))
                    texts.push_back(text::utf16ToUtf8(*t));
        }
    }
    return texts;
}

} // namespace zt::platform::gdi
