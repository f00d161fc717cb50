#pragma once
// Validating access to the records of an enhanced metafile. Every record's
// size is checked against the buffer before it is handed out, and every field
// read goes through bounds-checked accessors, so damaged or hostile pages can
// at worst end early.

#include "platform/gdi/Metafile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zt::platform::gdi {

// One record: `size` bytes from `data`, type and size fields included.
class EmfRecordView {
public:
    EmfRecordView(const std::uint8_t* data, std::uint32_t size) : data_(data), size_(size) {}

    std::uint32_t type() const { return readU32At(0); }
    std::uint32_t size() const { return size_; }
    const std::uint8_t* data() const { return data_; }

    // True when `length` bytes from `offset` lie inside the record.
    bool has(std::uint64_t offset, std::uint64_t length) const { return offset + length <= size_; }

    // Fields at an offset from the record's start; 0 when outside the record.
    std::uint32_t u32(std::uint32_t offset) const { return has(offset, 4) ? readU32At(offset) : 0; }
    std::int32_t i32(std::uint32_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
    std::uint16_t u16(std::uint32_t offset) const;
    std::int16_t i16(std::uint32_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
    float f32(std::uint32_t offset) const;
    std::uint8_t u8(std::uint32_t offset) const { return has(offset, 1) ? data_[offset] : 0; }

private:
    std::uint32_t readU32At(std::uint32_t offset) const;
    const std::uint8_t* data_;
    std::uint32_t size_;
};

struct EmfRecordList {
    EmfHeaderInfo header;
    std::vector<EmfRecordView> records;   // the header record first, up to and including EOF
    bool complete = false;                // an end record was reached with every size valid
};

// Splits a metafile into records. Throws PlatformError ("Invalid metafile")
// when the header is unusable; a bad record later ends the list there.
EmfRecordList readEmfRecords(const std::vector<std::uint8_t>& bytes);

// The text of each text-output record, in record order (wide and ANSI kinds,
// and each string of the poly kinds), as UTF-8.
std::vector<std::string> enumerateTexts(const TMetafile& page);

// The text of one text record at `emrTextOffset` (an EMRTEXT structure),
// nullopt when its offsets do not fit the record.
std::optional<std::u16string> textOf(const EmfRecordView& record, std::uint32_t emrTextOffset, bool wide);

} // namespace zt::platform::gdi
