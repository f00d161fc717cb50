#pragma once
// Comparing names without regard to case: ASCII and the Latin letters of
// German and its neighbours, blanks at either end ignored.

#include <string>
#include <string_view>

namespace zt::merge {

std::string FoldCase(std::string_view utf8);

} // namespace zt::merge
