#include "pages/QRPrinterCodes.h"

#include "platform/printing/DevMode.h"
#include "base/QRPaper.h"

#include <array>

namespace zt::pages {

using report::TQRBin;
using report::TQRPaperSize;

namespace {

namespace pp = platform::printing;

constexpr std::array<std::int32_t, kBinCount> kBinCodes{
    pp::DMBIN_UPPER,    pp::DMBIN_UPPER,    pp::DMBIN_LOWER,   pp::DMBIN_MIDDLE,        pp::DMBIN_MANUAL,
    pp::DMBIN_ENVELOPE, pp::DMBIN_ENVMANUAL, pp::DMBIN_AUTO,   pp::DMBIN_TRACTOR,       pp::DMBIN_SMALLFMT,
    pp::DMBIN_LARGEFMT, pp::DMBIN_LARGECAPACITY, pp::DMBIN_CASSETTE, pp::DMBIN_CASSETTE,
};

} // namespace

std::int32_t PaperCode(TQRPaperSize size)
{
    if (size == TQRPaperSize::Custom)
        return pp::DMPAPER_USER;
    return report::IsNamedPaper(size) ? static_cast<std::int32_t>(size) : 0;
}

TQRPaperSize PaperSizeOfCode(std::int32_t code)
{
    if (code == pp::DMPAPER_USER)
        return TQRPaperSize::Custom;
    return report::PaperSizeFromCode(code).value_or(TQRPaperSize::Default);
}

std::int32_t BinCode(TQRBin bin)
{
    const int i = static_cast<int>(bin);
    return i >= 0 && i < kBinCount ? kBinCodes[static_cast<std::size_t>(i)] : pp::DMBIN_AUTO;
}

std::optional<TQRBin> BinOfCode(std::int32_t code)
{
    for (int i = 0; i < kBinCount; ++i)
        if (kBinCodes[static_cast<std::size_t>(i)] == code)
            return static_cast<TQRBin>(i);
    return std::nullopt;
}

} // namespace zt::pages
