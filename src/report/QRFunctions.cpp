#include "report/QRFunctions.h"

#include <algorithm>
#include <cctype>

namespace zt::report {

namespace {

bool sameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

} // namespace

TQRFunctionTable::TQRFunctionTable()
{
    FItems = {{"PAGENUMBER", "0"}, {"COLUMNNUMBER", "0"}, {"REPORTTITLE", "''"}};
}

const std::string* TQRFunctionTable::Find(const std::string& name) const
{
    for (const auto& item : FItems)
        if (sameName(item.first, name))
            return &item.second;
    return nullptr;
}

void TQRFunctionTable::Set(const std::string& name, const std::string& value)
{
    for (auto& item : FItems)
        if (sameName(item.first, name)) {
            item.second = value;
            return;
        }
    FItems.emplace_back(name, value);
}

std::string TQRFunctionTable::Quote(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

} // namespace zt::report
