#include "report/QRBasePanel.h"

namespace zt::report {

TQRBasePanel::TQRBasePanel(TQRComponent* owner) : TQRControl(owner)
{
    FFrame.OnChange = [this] { Invalidate(); };
}

void TQRBasePanel::SetZoom(int value)
{
    FZoom = value;
}

void TQRBasePanel::ReadFontSize(int points)
{
    FFontSize = points;
    if (!Loading() && points > 0)
        SetFontSize(points);
}

void TQRBasePanel::Loaded()
{
    TQRControl::Loaded();
    if (FFontSize > 0)
        SetFontSize(FFontSize);
}

} // namespace zt::report
