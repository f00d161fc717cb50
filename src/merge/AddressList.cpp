#include "merge/AddressList.h"

#include "merge/CsvList.h"
#include "merge/TextCase.h"
#include "merge/VCardList.h"
#include "platform/files/FileAccess.h"
#include "platform/text/CodePage.h"
#include "platform/text/Utf.h"

#include <algorithm>

namespace zt::merge {

bool TAddressRecord::Empty() const
{
    return std::all_of(values.begin(), values.end(), [](const std::string& v) {
        return v.find_first_not_of(" \t") == std::string::npos;
    });
}

std::string DecodeListText(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    if (platform::text::isValidUtf8(bytes))
        return std::string(bytes);
    return platform::text::decodeCp1252(bytes);
}

TAddressList ReadAddressList(std::string_view bytes, const std::string& name)
{
    if (bytes.find('\0') != std::string_view::npos)
        throw EAddressListError("Die Adressliste \"" + name +
                                "\" ist weder eine CSV- noch eine vCard-Datei: sie enthält Binärdaten.");
    const std::string text = DecodeListText(bytes);
    if (LooksLikeVCard(text))
        return ReadVCards(text, name);
    return ReadCsv(text, name);
}

TAddressList ReadAddressFile(const std::string& path)
{
    return ReadAddressList(platform::files::readFileBytes(path), path);
}

std::optional<std::size_t> FindColumn(const std::vector<std::string>& columns, std::string_view name)
{
    const std::string wanted = FoldCase(name);
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (FoldCase(columns[i]) == wanted)
            return i;
    return std::nullopt;
}

} // namespace zt::merge
