#include "report/QRUnits.h"

#include "report/QRGraphics.h"
#include "report/QRReport.h"

#include <cstdlib>

namespace zt::report {

TQRUnitBase::TQRUnitBase(std::size_t valueCount) : FResolution(kScreenPixelsPerInch), FValues(valueCount, 0.0L) {}

void TQRUnitBase::SetUnits(TQRUnit value)
{
    FUnits = value;
}

void TQRUnitBase::SetZoom(int value)
{
    if (value == FZoom)
        return;
    FZoom = value;
    SetParentSizes();
}

long double TQRUnitBase::ReportFontSize() const
{
    int size = 0;
    if (FParentReport != nullptr)
        size = std::abs(FParentReport->Font().Size());
    // A font without a size would divide by zero; such a report measures
    // characters as its default font does.
    return size > 0 ? size : 10;
}

long double TQRUnitBase::FromNative(TQRUnit kind, bool horizontal, Native x) const
{
    switch (kind) {
    case TQRUnit::MM: return x / 10.0L;
    case TQRUnit::Inches: return x / 254.0L;
    case TQRUnit::Pixels: return x / (254.0L / FResolution) * FZoom / 100.0L;
    case TQRUnit::Characters: {
        const long double s = ReportFontSize();
        const long double c = horizontal ? 80.0L / s / 2.54L : 145.3L / s / 2.54L;
        return x / c / 10.0L;
    }
    case TQRUnit::Native: return x;
    }
    return x;
}

Native TQRUnitBase::ToNative(TQRUnit kind, bool horizontal, long double v) const
{
    switch (kind) {
    case TQRUnit::MM: return v * 10.0L;
    case TQRUnit::Inches: return v * 254.0L;
    case TQRUnit::Pixels: return v * (254.0L / FResolution) / FZoom * 100.0L;
    case TQRUnit::Characters: {
        const long double s = ReportFontSize();
        const long double c = horizontal ? 80.0L / s / 2.54L : 145.3L / s / 2.54L;
        return v * c * 10.0L;
    }
    case TQRUnit::Native: return v;
    }
    return v;
}

std::vector<long double> TQRUnitBase::WriteValues() const
{
    return {FValues.begin(), FValues.end()};
}

void TQRUnitBase::ReadValues(const std::vector<long double>& values)
{
    for (std::size_t i = 0; i < values.size() && i < FValues.size(); ++i)
        FValues[i] = values[i];
}

void TQRUnitBase::Loaded()
{
    SetParentSizes();
}

TQRUnit TQRUnitBase::PushUnits(TQRUnit temporary)
{
    const TQRUnit previous = FUnits;
    SavedUnits = previous;
    SetUnits(temporary);
    return previous;
}

void TQRUnitBase::PopUnits(TQRUnit previous)
{
    SetUnits(previous);
    SavedUnits = previous;
}

long double TQRUnitBase::Get(std::size_t index, bool horizontal) const
{
    return FromNative(FUnits, horizontal, FValues[index]);
}

int TQRUnitBase::Pixels(Native value, bool horizontal) const
{
    return static_cast<int>(Round(FromNative(TQRUnit::Pixels, horizontal, value)));
}

Native TQRUnitBase::FromPixels(int pixels, bool horizontal) const
{
    return ToNative(TQRUnit::Pixels, horizontal, static_cast<long double>(pixels));
}

} // namespace zt::report
