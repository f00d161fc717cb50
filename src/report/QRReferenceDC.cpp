#include "report/QRReferenceDC.h"

#include "platform/fonts/FontService.h"

#include <exception>

namespace zt::report {

int TQRReferenceDC::TextWidth(const TQRFont& font, const std::string& utf8) const
{
    try {
        auto f = platform::FontService::instance().font(font.ToLogFont(FDpi));
        return f->textExtent(utf8).cx + 1;
    } catch (const std::exception&) {
        return 0;
    }
}

int TQRReferenceDC::TextHeight(const TQRFont& font) const
{
    try {
        auto f = platform::FontService::instance().font(font.ToLogFont(FDpi));
        return f->textExtent("").cy;
    } catch (const std::exception&) {
        return 0;
    }
}

} // namespace zt::report
