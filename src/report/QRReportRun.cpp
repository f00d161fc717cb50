// One report run: the document cycle around the controller's walk through
// the data, with the report's state set up before and restored after.

#include "report/QRReport.h"

#include "pages/QRPrinter.h"
#include "report/QRBands.h"
#include "report/QRDataSet.h"
#include "report/QRExportFilter.h"
#include "report/QRPrintable.h"
#include "report/QRPrinterSetup.h"

namespace zt::report {

namespace {

void forEachPrintable(TQRControl* parent, const std::function<void(TQRPrintable*)>& f)
{
    for (TQRControl* c : parent->Controls()) {
        if (auto* p = dynamic_cast<TQRPrintable*>(c))
            f(p);
        forEachPrintable(c, f);
    }
}

} // namespace

void TCustomBandoriaRep::bindPrintables(bool begin)
{
    forEachPrintable(this, [begin](TQRPrintable* p) {
        if (begin)
            p->BeginPrinting();
        else
            p->EndPrinting();
    });
}

void TCustomBandoriaRep::ContinueChain(const TCustomBandoriaRep* previous)
{
    if (previous == nullptr) {
        PageNumber = 0;
        CurrentY = -1;
    } else if (previous != this) {
        PageNumber = previous->PageNumber;
        CurrentY = previous->CurrentY;
        CurrentX = previous->CurrentX;
        ColumnTopPosition = previous->ColumnTopPosition;
    }
    Functions().Set("PAGENUMBER", std::to_string(PageNumber));
}

void TCustomBandoriaRep::RunReport(bool composite)
{
    if (!Available || QRPrinter == nullptr)
        return;
    runClaimed(composite);
}

void TCustomBandoriaRep::runClaimed(bool composite)
{
    TQRPage& page = Page();
    if (page.Width() - page.LeftMargin() - page.RightMargin() < 0) {
        page.SetLeftMargin(0);
        page.SetRightMargin(0);
    }
    if (page.Length() - page.TopMargin() - page.BottomMargin() < 0) {
        page.SetTopMargin(0);
        page.SetBottomMargin(0);
    }
    Available = false;
    Cancelled = false;
    FLastPage = false;
    NoForceNewPage = NewColumnForced = NewPageForced = false;
    OverflowBreak = false;
    FBreakDepth = 0;
    FComposite = composite;
    // The form is the report's owner; a report on its own is its own form.
    FAllDataSets = DataSetsOn(Owner() != nullptr ? *Owner() : *this);
    bool printReport = true;
    bool begun = false;
    bool unitsSwitched = false;
    const TQRUnit savedUnits = Units();
    pages::TQRPrinter& printer = *QRPrinter;

    const auto finish = [&] {
        if (unitsSwitched) {
            SetUnits(savedUnits);
            bindPrintables(false);
        }
        if (begun) {
            if (Cancelled)
                printer.AbortDoc();
            else if (!composite && FinalPass)
                printer.EndDoc();
            else if (!composite)
                printer.AbortDoc();
        }
    };
    try {
        if (BeforePrint)
            BeforePrint(this, printReport);
        if (printReport) {
            SetUnits(TQRUnit::Native);
            unitsSwitched = true;
            if (composite) {
                // A chain goes on with the recorder's paper, its page count
                // and place (ContinueChain); a new page only when asked for.
                page.SetOrientation(printer.Orientation());
                page.SetPaperSize(printer.PaperSize());
                if (StartNewPageInComposite)
                    CurrentY = -1;
            } else {
                TransferPrinterSettings(*this, printer);
                printer.Title = ReportTitle();
                printer.SetCompression((Options & Compression) != 0);
                printer.BeginDoc();
                begun = true;
                CurrentY = -1;
                PageNumber = 0;
            }
            CurrentColumn = page.Columns();
            if (Exporting && ExportFilter != nullptr && !ExportFilter->Active())
                ExportFilter->Start(static_cast<int>(Round(page.Value(TQRPage::iWidth))),
                                    static_cast<int>(Round(page.Value(TQRPage::iLength))), Font());
            ResetPageFooterSize();
            AssignControllerBands();
            for (TQRCustomBand* band : BandList())
                band->StartRun();
            CurrentX = static_cast<Native>(Round(page.LeftMargin()));
            Functions().Set("REPORTTITLE", TQRFunctionTable::Quote(ReportTitle()));
            bindPrintables(true);
            Controller().Execute(*this, true);
            // In a chain only the last report (Tag 999) ends the last page
            // and finishes the filter; the next report ends the page when it
            // starts a new one.
            if (!composite || Tag == 999) {
                CurrentX = static_cast<Native>(Round(page.LeftMargin()));
                FLastPage = true;
                if (!Cancelled)
                    EndPage();
                if (Exporting && ExportFilter != nullptr)
                    ExportFilter->Finish();
            }
        }
    } catch (...) {
        try {
            finish();
        } catch (...) {
        }
        FAllDataSets.reset();
        Available = true;
        throw;
    }
    try {
        finish();
    } catch (...) {
        FAllDataSets.reset();
        Available = true;
        throw;
    }
    FAllDataSets.reset();
    Available = true;
}

} // namespace zt::report
