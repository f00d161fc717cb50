#pragma once
// Sizes of bands and printables in native units, mirrored into the pixel
// bounds of their control.

#include "report/QRControl.h"
#include "report/QRUnits.h"

namespace zt::report {

// Base of the sizes that measure one control.
class TQRControlSize : public TQRUnitBase {
public:
    TQRControlSize(TQRControl* control, std::size_t valueCount) : TQRUnitBase(valueCount), FControl(control) {}
    TQRControl* Control() const { return FControl; }
    void ReadValues(const std::vector<long double>& values) override;
    // The control's pixel bounds changed from outside: the bounds that moved
    // are stored back, the others keep their fractions.
    virtual void ControlResized(const TRect& old) = 0;

protected:
    void setBounds(const TRect& r);

    TQRControl* FControl;
};

class TQRBandSize : public TQRControlSize {
public:
    enum : std::size_t { iHeight, iWidth, kCount };
    explicit TQRBandSize(TQRControl* band) : TQRControlSize(band, kCount) {}

    long double Height() const { return Get(iHeight, false); }
    void SetHeight(long double v);
    // Set by the band layout, not by the user.
    long double Width() const { return Get(iWidth, true); }

    void SetParentSizes() override;
    void ControlResized(const TRect& old) override;
};

class TQRPrintableSize : public TQRControlSize {
public:
    enum : std::size_t { iHeight, iLeft, iTop, iWidth, kCount };
    explicit TQRPrintableSize(TQRControl* printable) : TQRControlSize(printable, kCount) {}

    long double Height() const { return Get(iHeight, false); }
    long double Left() const { return Get(iLeft, true); }
    long double Top() const { return Get(iTop, false); }
    long double Width() const { return Get(iWidth, true); }
    void SetHeight(long double v) { set(iHeight, v, false); }
    void SetLeft(long double v) { set(iLeft, v, true); }
    void SetTop(long double v) { set(iTop, v, false); }
    void SetWidth(long double v) { set(iWidth, v, true); }

    void SetParentSizes() override;
    void ControlResized(const TRect& old) override;

private:
    void set(std::size_t index, long double v, bool horizontal);
};

} // namespace zt::report
