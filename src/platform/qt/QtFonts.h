#pragma once
// Qt fonts for the windows: the same face the font service resolves (the
// metric-compatible stand-in), at the pixel height GDI gives the point size
// at 96 pixels per inch, hinted to whole-pixel advances so a box shows the
// widths the font service measures.

#include "platform/fonts/FontService.h"

#include <QFont>

namespace zt::platform::qt {

inline constexpr int kScreenDpi = 96;

// The logical font for a point size on the 96-dpi screen.
LogFont screenLogFont(const std::string& face, int points, bool bold = false);

QFont qtFont(const LogFont& font);

} // namespace zt::platform::qt
