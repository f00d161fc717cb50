#pragma once
// A band's stored height and width in native units, as the run reads them.

#include "report/QRBands.h"

namespace zt::report {

inline Native BandHeight(const TQRCustomBand* band)
{
    return band->Size().Value(TQRBandSize::iHeight);
}

inline Native BandWidth(const TQRCustomBand* band)
{
    return band->Size().Value(TQRBandSize::iWidth);
}

} // namespace zt::report
