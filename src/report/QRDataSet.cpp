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

namespace {

void collectDataSets(const TQRComponent& owner, std::vector<TQRDataSet*>& out)
{
    for (TQRComponent* c : owner.Components()) {
        if (auto* data = dynamic_cast<TQRDataSet*>(c))
            out.push_back(data);
        collectDataSets(*c, out);
    }
}

} // namespace

std::vector<TQRDataSet*> DataSetsOn(const TQRComponent& form)
{
    std::vector<TQRDataSet*> out;
    collectDataSets(form, out);
    return out;
}

} // namespace zt::report
