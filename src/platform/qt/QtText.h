#pragma once
// The program's UTF-8 texts as Qt strings.

#include <QString>
#include <string>

namespace zt::platform::qt {

inline QString u(const char* utf8) { return QString::fromUtf8(utf8); }
inline QString u(const std::string& utf8) { return QString::fromStdString(utf8); }

} // namespace zt::platform::qt
