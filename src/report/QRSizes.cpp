#include "report/QRSizes.h"

namespace zt::report {

void TQRControlSize::ReadValues(const std::vector<long double>& values)
{
    TQRUnitBase::ReadValues(values);
    if (!FControl->Loading())
        SetParentSizes();
}

void TQRControlSize::setBounds(const TRect& r)
{
    if (FControl->Loading())
        return;
    TQRParentUpdate guard(*this);
    FControl->SetBounds(r.Left, r.Top, r.Width, r.Height);
}

void TQRBandSize::SetHeight(long double v)
{
    SetValue(iHeight, Converted(v, false));
    SetParentSizes();
}

void TQRBandSize::SetParentSizes()
{
    const TRect& b = FControl->BoundsRect();
    setBounds({b.Left, b.Top, Pixels(Value(iWidth), true), Pixels(Value(iHeight), false)});
}

void TQRBandSize::ControlResized(const TRect& old)
{
    if (Updating())
        return;
    const TRect& b = FControl->BoundsRect();
    if (b.Width != old.Width)
        SetValue(iWidth, FromPixels(b.Width, true));
    if (b.Height != old.Height)
        SetValue(iHeight, FromPixels(b.Height, false));
}

void TQRPrintableSize::set(std::size_t index, long double v, bool horizontal)
{
    SetValue(index, Converted(v, horizontal));
    SetParentSizes();
}

void TQRPrintableSize::SetParentSizes()
{
    setBounds({Pixels(Value(iLeft), true), Pixels(Value(iTop), false), Pixels(Value(iWidth), true),
               Pixels(Value(iHeight), false)});
}

void TQRPrintableSize::ControlResized(const TRect& old)
{
    if (Updating())
        return;
    const TRect& b = FControl->BoundsRect();
    if (b.Left != old.Left)
        SetValue(iLeft, FromPixels(b.Left, true));
    if (b.Top != old.Top)
        SetValue(iTop, FromPixels(b.Top, false));
    if (b.Width != old.Width)
        SetValue(iWidth, FromPixels(b.Width, true));
    if (b.Height != old.Height)
        SetValue(iHeight, FromPixels(b.Height, false));
}

} // namespace zt::report
