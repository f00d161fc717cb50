#include "report/QRComposite.h"

#include "pages/QRPrinter.h"
#include "report/QRPrinterSetup.h"
#include "report/QRExportFilter.h"
#include "report/QRReport.h"

#include <algorithm>

namespace zt::report {

TQRCompositeReport::TQRCompositeReport(TQRComponent* owner) : TQRComponent(owner) {}

TQRCompositeReport::~TQRCompositeReport() = default;

void TQRCompositeReport::Prepare()
{
    run(TQRPrinterDestination::qrdMetafile);
}

void TQRCompositeReport::Print()
{
    run(TQRPrinterDestination::qrdPrinter);
}

void TQRCompositeReport::run(TQRPrinterDestination destination)
{
    if (FRunning)
        return;
    if (OnAddReports) {
        FReports.clear();
        OnAddReports(this);
    }
    auto printer = std::make_unique<pages::TQRPrinter>(this);
    if (destination == TQRPrinterDestination::qrdPrinter && !printer->PrinterOK())
        return;
    FRunning = true;
    printer->Destination = destination;
    printer->Title = ReportTitle;
    // The first report's page sets the paper of the whole document.
    if (!FReports.empty())
        TransferPrinterSettings(*FReports.front(), *printer);
    printer->SetCompression((Options & Compression) != 0);
    printer->BeginDoc();
    bool cancelled = false;
    const TCustomBandoriaRep* previous = nullptr;
    try {
        for (std::size_t i = 0; i < FReports.size(); ++i) {
            TCustomBandoriaRep* r = FReports[i];
            if (!r->Available)
                continue;
            r->ContinueChain(previous);
            previous = r;
            if (OnStartReport)
                OnStartReport(r);
            pages::TQRPrinter* own = r->QRPrinter;
            r->QRPrinter = printer.get();
            r->CompositeReport = this;
            // The last report ends its last page; the others leave it to the
            // next page start. Last by place: one report may run many times.
            const int tag = r->Tag;
            if (i + 1 == FReports.size())
                r->Tag = 999;
            try {
                r->RunReport(true);
            } catch (...) {
                r->Tag = tag;
                r->QRPrinter = own;
                throw;
            }
            r->Tag = tag;
            r->QRPrinter = own;
            if (r->Cancelled) {
                cancelled = true;
                break;
            }
        }
    } catch (...) {
        printer->AbortDoc();
        FRunning = false;
        throw;
    }
    if (cancelled)
        printer->AbortDoc();
    else
        printer->EndDoc();
    FRunning = false;
    if (destination == TQRPrinterDestination::qrdMetafile)
        FPrinter = std::move(printer);
}

void TQRCompositeReport::ExportToFilter(TQRExportFilter* aFilter)
{
    if (FRunning || aFilter == nullptr)
        return;
    if (OnAddReports) {
        FReports.clear();
        OnAddReports(this);
    }
    auto printer = std::make_unique<pages::TQRPrinter>(this);
    FRunning = true;
    if (!FReports.empty())
        TransferPrinterSettings(*FReports.front(), *printer);
    printer->BeginDoc();
    const auto end = [&] {
        // The pages of an export run are not kept.
        printer->AbortDoc();
        FRunning = false;
    };
    const TCustomBandoriaRep* previous = nullptr;
    try {
        for (std::size_t i = 0; i < FReports.size(); ++i) {
            TCustomBandoriaRep* r = FReports[i];
            if (!r->Available)
                continue;
            r->ContinueChain(previous);
            previous = r;
            if (OnStartReport)
                OnStartReport(r);
            const int tag = r->Tag;
            // The last report ends the last page and finishes the filter.
            if (i + 1 == FReports.size())
                r->Tag = 999;
            r->CompositeReport = this;
            try {
                // Each report is a part of the tagged document (a letter of a mail merge).
                TQRStructureMark part;
                part.Level = TQRStructureLevel::slReport;
                part.Role = TQRStructureRole::srPart;
                part.Source = r;
                aFilter->BeginStructure(part);
                r->ExportComposite(aFilter, printer.get());
                aFilter->EndStructure();
            } catch (...) {
                r->Tag = tag;
                throw;
            }
            r->Tag = tag;
            if (r->Cancelled)
                break;
        }
    } catch (...) {
        end();
        throw;
    }
    end();
}

void TQRCompositeReport::AddReport(TCustomBandoriaRep* report)
{
    if (report != nullptr)
        FReports.push_back(report);
}

void TQRCompositeReport::Notification(TQRComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove)
        FReports.erase(std::remove(FReports.begin(), FReports.end(), static_cast<void*>(component)), FReports.end());
}

} // namespace zt::report
