// A controller's walk through its records: header, groups, sub-sections,
// one detail band per record, footer.

#include "report/QRController.h"

#include "pages/QRPrinter.h"
#include "report/QRBands.h"
#include "report/QRDataSet.h"
#include "report/QRReport.h"
#include "report/QRStrings.h"

#include <cctype>

namespace zt::report {

namespace {

// A group's value for the current record: a field of the data (also named
// as "Table.Field"), a report variable, or else the expression's own text.
std::string groupValue(const TQRGroup& g, const TQRDataSet* data, TCustomBandoriaRep& report)
{
    const std::string e = TrimBlanks(g.Expression);
    if (data != nullptr) {
        if (data->HasField(e))
            return data->FieldByName(e);
        const std::size_t dot = e.rfind('.');
        if (dot != std::string::npos && data->HasField(e.substr(dot + 1)))
            return data->FieldByName(e.substr(dot + 1));
    }
    if (const std::string* v = report.Functions().Find(e))
        return *v;
    return e;
}

void letMessagesRun(const TCustomBandoriaRep& report)
{
    if (!report.InWorker())
        platform::messageQueue().processMessages();
}

} // namespace

void TQRCustomController::printOnce(TCustomBandoriaRep& report)
{
    report.EmitBand(Header);
    runSubs(report, true);
    report.EmitBand(Detail);
    runSubs(report, false);
    report.EmitBand(Footer);
}

void TQRCustomController::runSubs(TCustomBandoriaRep& report, bool before)
{
    for (TQRControllerBand* s : FSubs)
        if (s->PrintBefore == before && s->Enabled && &s->Controller() != this)
            s->Controller().Execute(report, false);
}

void TQRCustomController::openGroups(TCustomBandoriaRep& report)
{
    for (TQRGroup* g : FGroups) {
        if (g->FOpen)
            continue;
        g->FValue = groupValue(*g, Data(), report);
        report.EmitBand(g);
        g->FOpen = true;
        g->FHeaderPage = report.PageNumber;
    }
}

void TQRCustomController::closeGroups(TCustomBandoriaRep& report, bool all)
{
    // The outermost group whose value changes closes, and every group inside it.
    std::size_t from = FGroups.size();
    for (std::size_t i = 0; i < FGroups.size(); ++i) {
        if (all || (FGroups[i]->FOpen && groupValue(*FGroups[i], Data(), report) != FGroups[i]->FValue)) {
            from = i;
            break;
        }
    }
    for (std::size_t i = FGroups.size(); i-- > from;) {
        TQRGroup* g = FGroups[i];
        if (!g->FOpen)
            continue;
        g->FOpen = false;
        if (TQRCustomBand* footer = g->FooterBand())
            report.EmitBand(footer);
    }
}

void TQRCustomController::ReprintGroupHeaders(TCustomBandoriaRep& report)
{
    for (TQRGroup* g : FGroups) {
        if (g->FOpen && g->ReprintOnNewPage && g->FHeaderPage != report.PageNumber) {
            g->FHeaderPage = report.PageNumber;
            report.EmitBand(g);
        }
    }
}

void TQRCustomController::Execute(TCustomBandoriaRep& report, bool reportsOwn)
{
    for (TQRGroup* g : FGroups) {
        g->FOpen = false;
        g->FValue.clear();
        g->FHeaderPage = 0;
    }
    TQRDataSet* data = Data();
    const bool open = data != nullptr && data->Active();
    auto needData = OnNeedData;
    if (!needData && reportsOwn)
        needData = report.OnNeedData;
    TQRComponent* owner = reportsOwn ? static_cast<TQRComponent*>(&report) : Owner();
    if (!open && !needData) {
        if (PrintIfEmpty)
            printOnce(report);
        return;
    }
    bool moreData = true;
    int recordCount = 0;
    if (open) {
        data->First();
        moreData = !data->Eof();
        recordCount = data->RecordCount();
        if (!moreData && PrintIfEmpty)
            printOnce(report);
    } else {
        needData(owner, moreData);
    }
    DetailNumber = 0;
    if (!moreData)
        return;
    letMessagesRun(report);
    if (report.Cancelled)
        return;
    report.EmitBand(Header);
    if (reportsOwn) {
        report.NoForceNewPage = true;
        TQRCustomBand* columnHeader = report.FindBand(rbColumnHeader);
        if ((report.PageNumber < 2 || report.InCompositeRun()) && columnHeader != nullptr && columnHeader->Enabled) {
            report.EmitBand(columnHeader);
            report.NoForceNewPage = true;
        }
    }
    report.UserCancel = false;
    pages::TQRPrinter& printer = *report.QRPrinter;
    while (moreData) {
        letMessagesRun(report);
        if (printer.Cancelled()) {
            report.Cancelled = true;
            break;
        }
        ++DetailNumber;
        openGroups(report);
        runSubs(report, true);
        report.EmitBand(Detail);
        runSubs(report, false);
        if (open) {
            data->Next();
            moreData = !data->Eof();
        } else {
            moreData = false;
            needData(owner, moreData);
        }
        if (moreData)
            closeGroups(report, false);
        if (reportsOwn && open && recordCount > 0)
            printer.SetProgress(DetailNumber * 100 / recordCount);
        if (report.PagesInPreview >= 1 && printer.PageNumber() > report.PagesInPreview)
            break;
        if (report.UserCancel)
            moreData = false;
    }
    if (report.Cancelled)
        return;
    closeGroups(report, true);
    if (Footer != nullptr) {
        if (report.PageNumber == 0)
            report.NewColumn();
        if (Footer->Size().Value(TQRBandSize::iHeight) > report.AvailableSpace())
            report.NewColumn();
        report.EmitBand(Footer);
    }
}

} // namespace zt::report
