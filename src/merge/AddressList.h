#pragma once
// An address list as a mail merge reads it: named columns and one record a
// recipient, from a spreadsheet's CSV file or an address book's vCard file.
// Text is UTF-8 whatever the file held.

#include "platform/core/PlatformError.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt::merge {

struct TAddressRecord {
    int line = 0;                    // the file's line where the record starts
    std::vector<std::string> values; // one a column, "" where the file has none
    bool Empty() const;
};

struct TAddressList {
    std::vector<std::string> columns;
    std::vector<TAddressRecord> records;
};

// A list that cannot be read as one: damaged input, with a German message.
class EAddressListError : public platform::PlatformError {
public:
    explicit EAddressListError(const std::string& message)
        : PlatformError(platform::ErrorKind::DamagedInput, message)
    {
    }
};

// Text as spreadsheets and address books write it: UTF-8 (with or without
// a byte-order mark) when the bytes are valid UTF-8, else Windows-1252.
std::string DecodeListText(std::string_view bytes);

// The list in `bytes`: vCard when it begins with a card, else CSV with a
// header row. `name` names the file in messages.
TAddressList ReadAddressList(std::string_view bytes, const std::string& name);
// The same from a file; a file the system cannot read is a system failure.
TAddressList ReadAddressFile(const std::string& path);

// The column named `name`, compared without regard to case; none when absent.
std::optional<std::size_t> FindColumn(const std::vector<std::string>& columns, std::string_view name);

} // namespace zt::merge
