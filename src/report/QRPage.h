#pragma once
// A report's page setup: paper, margins and columns.

#include "report/QRUnits.h"

#include <functional>

namespace zt::report {

class TQRPage : public TQRUnitBase {
public:
    // Indexes of "Values".
    enum : std::size_t { iBottomMargin, iLength, iTopMargin, iWidth, iLeftMargin, iRightMargin, iColumnSpace, kCount };

    // Defaults follow the locale's measurement system.
    explicit TQRPage(TCustomBandoriaRep* report);

    long double BottomMargin() const { return Get(iBottomMargin, false); }
    long double Length() const { return Get(iLength, false); }
    long double TopMargin() const { return Get(iTopMargin, false); }
    long double Width() const { return Get(iWidth, true); }
    long double LeftMargin() const { return Get(iLeftMargin, true); }
    long double RightMargin() const { return Get(iRightMargin, true); }
    long double ColumnSpace() const { return Get(iColumnSpace, true); }
    void SetBottomMargin(long double v) { setMargin(iBottomMargin, v, false); }
    void SetTopMargin(long double v) { setMargin(iTopMargin, v, false); }
    void SetLeftMargin(long double v) { setMargin(iLeftMargin, v, true); }
    void SetRightMargin(long double v) { setMargin(iRightMargin, v, true); }
    void SetColumnSpace(long double v) { setMargin(iColumnSpace, v, true); }
    // Taken only while the paper is Custom.
    void SetLength(long double v);
    void SetWidth(long double v);

    int Columns() const { return FColumns; }
    void SetColumns(int value);
    TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation value);
    TQRPaperSize PaperSize() const { return FPaperSize; }
    void SetPaperSize(TQRPaperSize value);
    bool Ruler() const { return FRuler; }
    void SetRuler(bool v) { FRuler = v; }
    bool Continuous() const { return FContinuous; }
    void SetContinuous(bool v) { FContinuous = v; }
    TQRPrintOrder PrintOrder() const { return FPrintOrder; }
    void SetPrintOrder(TQRPrintOrder v);

    void ReadValues(const std::vector<long double>& values) override;
    void SetParentSizes() override;
    void SetUnits(TQRUnit value) override;

    // The report control was resized in pixels.
    void ReportResized();

private:
    void setMargin(std::size_t index, long double v, bool horizontal);
    void setDimension(std::size_t index, long double v, bool horizontal);
    void layoutChanged();

    int FColumns = 1;
    TPrinterOrientation FOrientation = TPrinterOrientation::poPortrait;
    TQRPaperSize FPaperSize = TQRPaperSize::Default;
    bool FRuler = true;
    bool FContinuous = false;
    TQRPrintOrder FPrintOrder = TQRPrintOrder::ColByCol;
};

// Whether new pages use U.S. measure; by default the locale's measurement
// setting decides. An empty function restores that.
void SetUSMeasureQuery(std::function<bool()> query);

} // namespace zt::report
