#include "report/QRReferenceDC.h"

#include "platform/fonts/FontService.h"

namespace zt::report {

std::shared_ptr<const platform::Font> TQRReferenceDC::FontFor(const TQRFont& font) const
{
    return platform::FontService::instance().font(font.ToLogFont(FDpi));
}

int TQRReferenceDC::TextWidth(const TQRFont& font, const std::string& utf8) const
{
    return FontFor(font)->textExtent(utf8).cx + 1;
}

int TQRReferenceDC::TextHeight(const TQRFont& font) const
{
    return FontFor(font)->textExtent("").cy;
}

} // namespace zt::report
