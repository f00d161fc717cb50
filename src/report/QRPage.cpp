#include "report/QRPage.h"

#include "platform/locale/MeasurementSystem.h"
#include "base/QRPaper.h"
#include "report/QRReport.h"

#include <utility>

namespace zt::report {

namespace {

std::function<bool()>& usMeasureQuery()
{
    static std::function<bool()> query;
    return query;
}

bool usMeasure()
{
    if (usMeasureQuery())
        return usMeasureQuery()();
    return platform::localeMeasurementSystem() == platform::MeasurementSystem::US;
}

} // namespace

void SetUSMeasureQuery(std::function<bool()> query)
{
    usMeasureQuery() = std::move(query);
}

TQRPage::TQRPage(TCustomBandoriaRep* report) : TQRUnitBase(kCount)
{
    FParentReport = report;
    const bool us = usMeasure();
    FUnits = TQRUnit::Native;
    const Native margin = us ? 127.0L : 100.0L;  // half an inch, or 10 mm
    for (std::size_t i : {iTopMargin, iBottomMargin, iLeftMargin, iRightMargin})
        SetValue(i, margin);
    SetPaperSize(us ? TQRPaperSize::Letter : TQRPaperSize::A4);
    FUnits = us ? TQRUnit::Inches : TQRUnit::MM;
}

void TQRPage::layoutChanged()
{
    if (FParentReport != nullptr)
        FParentReport->SetBandValues();
}

void TQRPage::setMargin(std::size_t index, long double v, bool horizontal)
{
    SetValue(index, Converted(v, horizontal));
    layoutChanged();
}

void TQRPage::setDimension(std::size_t index, long double v, bool horizontal)
{
    SetValue(index, Converted(v, horizontal));
    SetParentSizes();
    layoutChanged();
}

void TQRPage::SetLength(long double v)
{
    if (FPaperSize == TQRPaperSize::Custom)
        setDimension(iLength, v, false);
}

void TQRPage::SetWidth(long double v)
{
    if (FPaperSize == TQRPaperSize::Custom)
        setDimension(iWidth, v, true);
}

void TQRPage::SetColumns(int value)
{
    if (value <= 0 || value == FColumns)
        return;
    FColumns = value;
    layoutChanged();
}

void TQRPage::SetPrintOrder(TQRPrintOrder v)
{
    FPrintOrder = v;
    layoutChanged();
}

void TQRPage::SetPaperSize(TQRPaperSize value)
{
    const auto dims = PaperDimensions(value);
    if (!dims) {
        FPaperSize = value;
        return;
    }
    const TQRUnit previous = PushUnits(TQRUnit::MM);
    FPaperSize = TQRPaperSize::Custom;
    const bool landscape = FOrientation == TPrinterOrientation::poLandscape;
    SetWidth(landscape ? dims->Length : dims->Width);
    SetLength(landscape ? dims->Width : dims->Length);
    PopUnits(previous);
    layoutChanged();
    FPaperSize = value;
}

void TQRPage::SetOrientation(TPrinterOrientation value)
{
    if (FPaperSize == TQRPaperSize::Custom && value != FOrientation) {
        const Native w = Value(iWidth);
        SetValue(iWidth, Value(iLength));
        SetValue(iLength, w);
        SetParentSizes();
    }
    FOrientation = value;
    if (FParentReport != nullptr)
        FParentReport->PrinterSettings().Orientation = value;
    SetPaperSize(FPaperSize);
    layoutChanged();
}

void TQRPage::ReadValues(const std::vector<long double>& values)
{
    TQRUnitBase::ReadValues(values);
    if (FParentReport != nullptr && !FParentReport->Loading()) {
        SetParentSizes();
        layoutChanged();
    }
}

void TQRPage::SetUnits(TQRUnit value)
{
    TQRUnitBase::SetUnits(value);
}

void TQRPage::SetParentSizes()
{
    if (FParentReport == nullptr || FParentReport->Loading())
        return;
    TQRParentUpdate guard(*this);
    FParentReport->SetBounds(FParentReport->Left(), FParentReport->Top(), Pixels(Value(iWidth), true),
                             Pixels(Value(iLength), false));
}

void TQRPage::ReportResized()
{
    if (Updating() || FPaperSize != TQRPaperSize::Custom || FParentReport == nullptr)
        return;
    SetValue(iWidth, FromPixels(FParentReport->Width(), true));
    SetValue(iLength, FromPixels(FParentReport->Height(), false));
    layoutChanged();
}

} // namespace zt::report
