// Page and column breaks during a run, and the page furniture added
// whenever a page starts or ends: background, page header and footer, the
// printables placed on the report, the report's frame.

#include "report/QRReport.h"

#include "pages/QRPrinter.h"
#include "report/QRBandMeasures.h"
#include "report/QRBands.h"
#include "report/QRDraw.h"
#include "report/QRExportFilter.h"
#include "report/QRExportHandOff.h"
#include "report/QRShapes.h"

#include <string>

namespace zt::report {

namespace gdi = platform::gdi;

namespace {


} // namespace

// --- pages and columns -----------------------------------------------------

void TCustomBandoriaRep::NewColumn()
{
    ++FBreakDepth;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{FBreakDepth};
    const TQRPage& p = Page();
    if (CurrentColumn >= p.Columns()) {
        CurrentColumn = 1;
        CurrentX = static_cast<Native>(Round(p.Value(TQRPage::iLeftMargin)));
        NewPage();
    } else {
        const TQRCustomBand* detail = FindBand(rbDetail);
        const int columns = p.Columns();
        const Native colWidth =
            detail != nullptr
                ? BandWidth(detail)
                : static_cast<Native>((Round(p.Value(TQRPage::iWidth) -
                                             (p.Value(TQRPage::iLeftMargin) + p.Value(TQRPage::iRightMargin))) -
                                       Round(p.Value(TQRPage::iColumnSpace)) * (columns - 1)) /
                                      columns);
        CurrentX += static_cast<Native>(Round(p.Value(TQRPage::iColumnSpace))) + colWidth;
        CurrentY = ColumnTopPosition;
        ++CurrentColumn;
    }
    Functions().Set("COLUMNNUMBER", std::to_string(CurrentColumn));
    if (!(CurrentColumn == 1 && PageNumber == 1)) {
        if (TQRCustomBand* header = FindBand(rbColumnHeader); header != nullptr && header->Enabled)
            EmitBand(header);
        Controller().ReprintGroupHeaders(*this);
    }
}

void TCustomBandoriaRep::NewPage()
{
    EndPage();
    if (ExportingTo(this))
        ExportFilter->NewPage();
    ++PageNumber;
    Functions().Set("PAGENUMBER", std::to_string(PageNumber));
    if (FinalPass || PageNumber == 1)
        QRPrinter->NewPage();
    CurrentY = static_cast<Native>(Round(Page().Value(TQRPage::iTopMargin)));
    if (OnStartPage)
        OnStartPage(this);
    pages::TQRPrinter& printer = *QRPrinter;
    if (BackgroundColor != clWhite) {
        const gdi::EmfRect sheet{0, 0, static_cast<int>(Round(Page().Value(TQRPage::iWidth) * printer.YFactor())),
                                 static_cast<int>(Round(Page().Value(TQRPage::iLength) * printer.YFactor()))};
        if (FinalPass)
            FillArea(printer.PageCanvas(), sheet, BackgroundColor);
        ExportFilledRect(*this, sheet, BackgroundColor);
    }
    if (TQRPrintable* image = backgroundImage())
        image->Print(0, 0);
    if (PageNumber > 1 || (Options & FirstPageHeader) != 0)
        if (TQRCustomBand* header = FindBand(rbPageHeader))
            EmitBand(header);
    ColumnTopPosition = CurrentY;
    CurrentColumn = 1;
    if (PageNumber == 1)
        if (const TQRCustomBand* title = FindBand(rbTitle))
            ColumnTopPosition += static_cast<Native>(Round(BandHeight(title)));
}

void TCustomBandoriaRep::EndPage()
{
    if (PageNumber > 0)
        endPageItems();
    // The filter hears of every page end, also before the first page.
    if (ExportingTo(this))
        ExportFilter->EndPage();
}

void TCustomBandoriaRep::endPageItems()
{
    const TQRPage& p = Page();
    CurrentY = static_cast<Native>(
        Round(p.Value(TQRPage::iLength) - p.Value(TQRPage::iBottomMargin) - FPageFooterSize));
    CurrentX = static_cast<Native>(Round(p.Value(TQRPage::iLeftMargin)));
    if (!FLastPage || (Options & LastPageFooter) != 0)
        if (TQRCustomBand* footer = FindBand(rbPageFooter))
            EmitBand(footer);
    printPageItems();
    if (OnEndPage)
        OnEndPage(this);
}

TQRPrintable* TCustomBandoriaRep::backgroundImage() const
{
    if (BackImageControl.empty())
        return nullptr;
    for (TQRPrintable* p : PagePrintables())
        if (p->Name() == BackImageControl && dynamic_cast<TQRImage*>(p) != nullptr)
            return p;
    return nullptr;
}

void TCustomBandoriaRep::printPageItems()
{
    const TQRPrintable* background = backgroundImage();
    for (TQRPrintable* p : PagePrintables())
        if (p != background)
            p->Print(0, 0);
    if (FinalPass || Exporting) {
        const TQRPage& pg = Page();
        const gdi::EmfRect r =
            DeviceRect(*QRPrinter, pg.Value(TQRPage::iLeftMargin), pg.Value(TQRPage::iTopMargin),
                       pg.Value(TQRPage::iWidth) - pg.Value(TQRPage::iRightMargin),
                       pg.Value(TQRPage::iLength) - pg.Value(TQRPage::iBottomMargin));
        if (FinalPass)
            DrawFrame(Frame(), QRPrinter->PageCanvas(), r, QRPrinter->YFactor(), QRPrinter->XFactor());
        ExportFrame(*this, Frame(), r, nullptr);
    }
}

} // namespace zt::report
