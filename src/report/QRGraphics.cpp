#include "report/QRGraphics.h"

#include "platform/core/WinMath.h"
#include "platform/fonts/FontService.h"

namespace zt::report {

int TQRFont::Size() const
{
    return -platform::MulDiv(Height, 72, PixelsPerInch);
}

void TQRFont::SetSize(int points)
{
    Height = platform::pointsToLogicalHeight(points, PixelsPerInch);
}

platform::LogFont TQRFont::ToLogFont(int dpi) const
{
    platform::LogFont lf;
    lf.face = Name;
    // A font held at the device's resolution keeps its exact pixel height;
    // otherwise the point size is realised at the device's resolution.
    lf.height = (dpi == PixelsPerInch) ? Height : platform::pointsToLogicalHeight(Size(), dpi);
    lf.weight = Has(fsBold) ? platform::kFwBold : platform::kFwNormal;
    lf.italic = Has(fsItalic);
    lf.underline = Has(fsUnderline);
    lf.strikeOut = Has(fsStrikeOut);
    lf.charset = Charset;
    return lf;
}

} // namespace zt::report
