#pragma once
// CSV as spreadsheets write it: the separator found from the header row
// (";" as German spreadsheets write it, "," or tab), quoted fields with
// separators, doubled quotes and line breaks inside, a header naming the
// columns.

#include "merge/AddressList.h"

namespace zt::merge {

// The separator of a header line: the one of ";", "," and tab found most
// often outside quotes (";" on a tie); ";" when there is none.
char DetectSeparator(std::string_view headerLine);

// Reads UTF-8 text; an unbalanced quote is an error naming its line.
TAddressList ReadCsv(std::string_view text, const std::string& name);

} // namespace zt::merge
