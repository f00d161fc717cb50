#include "report/QRDataSet.h"

namespace zt::report {

int TQRMemoryDataSet::fieldIndex(const std::string& name) const
{
    for (std::size_t i = 0; i < FFields.size(); ++i)
        if (FFields[i] == name)
            return static_cast<int>(i);
    return -1;
}

std::string TQRMemoryDataSet::FieldByName(const std::string& name) const
{
    const int i = fieldIndex(name);
    if (i < 0 || Eof())
        return {};
    const auto& row = FRows[FRow];
    return static_cast<std::size_t>(i) < row.size() ? row[static_cast<std::size_t>(i)] : std::string{};
}

} // namespace zt::report
