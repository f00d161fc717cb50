#include "platform/qt/QtFonts.h"

#include "platform/core/WinMath.h"

#include <cstdlib>

namespace zt::platform::qt {

LogFont screenLogFont(const std::string& face, int points, bool bold)
{
    LogFont f;
    f.face = face;
    f.height = pointsToLogicalHeight(points, kScreenDpi);
    f.weight = bold ? kFwBold : kFwNormal;
    return f;
}

QFont qtFont(const LogFont& request)
{
    const ResolvedFace face = FontService::instance().resolve(request.face, request.bold(), request.italic);
    QFont font(QString::fromStdString(face.family));
    const auto realised = FontService::instance().font(request);
    font.setPixelSize(realised->emPixels());
    font.setBold(request.bold());
    font.setItalic(request.italic);
    font.setUnderline(request.underline);
    font.setStrikeOut(request.strikeOut);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    return font;
}

} // namespace zt::platform::qt
