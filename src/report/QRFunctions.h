#pragma once
// A report's variable table: names and their current values as expression
// text (strings quoted).

#include <string>
#include <utility>
#include <vector>

namespace zt::report {

class TQRFunctionTable {
public:
    TQRFunctionTable();

    // The value of a variable (case-insensitive name); nullptr when unknown.
    const std::string* Find(const std::string& name) const;
    void Set(const std::string& name, const std::string& value);
    std::size_t Count() const { return FItems.size(); }
    const std::pair<std::string, std::string>& Item(std::size_t i) const { return FItems[i]; }

    // Expression text of a string: quoted, inner quotes doubled.
    static std::string Quote(const std::string& text);

private:
    std::vector<std::pair<std::string, std::string>> FItems;
};

} // namespace zt::report
