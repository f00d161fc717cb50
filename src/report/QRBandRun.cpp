// Printing bands during a run: the space check, stretching, page and column
// breaks, and the page furniture added whenever a page starts or ends.

#include "report/QRReport.h"

#include "pages/QRPrinter.h"
#include "report/QRBandMeasures.h"
#include "report/QRBands.h"
#include "report/QRDraw.h"
#include "report/QRExportFilter.h"
#include "report/QRExportHandOff.h"
#include "report/QRLabels.h"
#include "report/QRShapes.h"

#include <algorithm>
#include <string>

namespace zt::report {

namespace gdi = platform::gdi;

namespace {


bool isPageFurniture(TQRBandType t)
{
    return t == rbTitle || t == rbPageHeader || t == rbPageFooter || t == rbOverlay;
}

// Breaks taken while a break is being taken (a page header that does not
// fit on a fresh page, say) would start pages without end; past this depth
// a band prints where it is.
constexpr int kMaxBreakDepth = 2;

} // namespace

// --- space and stretch -----------------------------------------------------

Native TCustomBandoriaRep::UsablePageHeight() const
{
    return QRPrinter != nullptr ? QRPrinter->PaperLengthValue() : Page().Value(TQRPage::iLength);
}

int TCustomBandoriaRep::AvailableSpace() const
{
    if (Available || PageNumber == 0 || CurrentY == -1)
        return 0;
    // A streaming filter takes the whole paper as one page.
    if (ExportingTo(this) && ExportFilter->Streaming())
        return static_cast<int>(Round(UsablePageHeight()));
    return static_cast<int>(
        Round(UsablePageHeight() - Page().Value(TQRPage::iBottomMargin) - FPageFooterSize - CurrentY));
}

void TCustomBandoriaRep::ResetPageFooterSize()
{
    FPageFooterSize = 0;
    for (TQRCustomBand* band : BandList()) {
        if (band->BandType() != rbPageFooter || !band->Enabled)
            continue;
        for (const TQRCustomBand* b = band; b != nullptr; b = ChildOf(b))
            if (b->Enabled)
                FPageFooterSize += BandHeight(b);
    }
}

bool TQRCustomBand::CanExpand(Native value) const
{
    const TCustomBandoriaRep* report = ParentReport();
    return report != nullptr && report->AvailableSpace() >= Round(BandHeight(this) + Expanded + value);
}

bool TQRCustomBand::ExpandBand(Native value, Native& newExpanded, bool& hasExpanded)
{
    return CanExpand(value) && ExpandAsked(value, newExpanded, hasExpanded);
}

bool TQRCustomBand::ExpandAsked(Native value, Native& newExpanded, bool& hasExpanded)
{
    if (!hasExpanded && value < Expanded) {
        newExpanded = Expanded;
        hasExpanded = true;
        return true;
    }
    Expanded += value;
    newExpanded = Expanded;
    hasExpanded = true;
    return false;
}

void TQRCustomBand::ExpandedHeight(Native& newHeight) const
{
    constexpr long double pixelsPerNative = 0.37795L;
    newHeight = BandHeight(this);
    long double best = -1;
    const TQRPrintable* tallest = nullptr;
    for (TQRControl* c : Controls()) {
        auto* p = dynamic_cast<TQRPrintable*>(c);
        if (p == nullptr || !p->Enabled() || (dynamic_cast<TQRMemo*>(p) == nullptr && dynamic_cast<TQRDBImage*>(p) == nullptr))
            continue;
        Native h = 0;
        p->GetExpandedHeight(h);
        const long double candidate = (h + p->Top()) / pixelsPerNative;
        if (candidate > best) {
            best = candidate;
            tallest = p;
        }
    }
    if (tallest == nullptr)
        return;
    const long double below = std::max<long double>(0, (Height() + 1 - tallest->Top() - tallest->Height()) / pixelsPerNative);
    newHeight = std::max<Native>(newHeight, best) + below;
}

// --- bands -----------------------------------------------------------------

bool TQRCustomBand::PrintAllowed(const TCustomBandoriaRep& /*report*/) const
{
    return true;
}

void TCustomBandoriaRep::EmitBand(TQRCustomBand* band)
{
    if (band == nullptr)
        return;
    emitBandAs(band, band->BandType());
}

void TCustomBandoriaRep::emitBandAs(TQRCustomBand* band, TQRBandType type)
{
    if (band->AlignToBottom) {
        if (type == rbSummary && (Options & LastPageFooter) == 0)
            FPageFooterSize = 0;
        const Native h = BandHeight(band);
        const Native bottom = Page().Value(TQRPage::iBottomMargin) + FPageFooterSize;
        if (UsablePageHeight() - CurrentY >= Round(h + bottom))
            CurrentY = static_cast<Native>(Round(UsablePageHeight()) - Round(h) - Round(bottom));
    }
    renderBand(band, type);
}

void TCustomBandoriaRep::emitChild(TQRCustomBand* parent, TQRBandType parentType, bool before)
{
    auto* child = dynamic_cast<TQRChildBand*>(ChildOf(parent));
    if (child == nullptr)
        return;
    const bool wanted = before ? (child->PrintOrder == cboBeforeParent || child->PrintOrder == cboBeforeAndAfter)
                               : (child->PrintOrder == cboAfterParent || child->PrintOrder == cboBeforeAndAfter);
    if (!wanted)
        return;
    // The child of a page footer prints as a page footer: it never breaks the page.
    if (parentType == rbPageFooter)
        emitBandAs(child, rbPageFooter);
    else
        EmitBand(child);
}

void TCustomBandoriaRep::renderBand(TQRCustomBand* band, TQRBandType type)
{
    bool printBand = band->Enabled && band->PrintAllowed(*this);
    if (band->Enabled && band->BeforePrint)
        band->BeforePrint(band, printBand);
    const int columns = Page().Columns();
    if (type == rbSummary && columns > 1) {
        if (!band->AlignToBottom) {
            const TQRPage& p = Page();
            const Native space = p.Value(TQRPage::iColumnSpace);
            const Native colWidth = (p.Value(TQRPage::iWidth) - p.Value(TQRPage::iLeftMargin) -
                                     p.Value(TQRPage::iRightMargin) - space * (columns - 1)) / columns;
            CurrentX = static_cast<Native>(Round(p.Value(TQRPage::iLeftMargin) + (CurrentColumn - 1) * colWidth) +
                                           Round(space * (CurrentColumn - 1)));
        } else {
            NewPage();
        }
    }
    if (printBand) {
        emitChild(band, type, true);
        const bool furniture = isPageFurniture(type);
        if (band->ForceNewPage && !OverflowBreak && !furniture && PageNumber > 0) {
            auto* group = dynamic_cast<TQRGroup*>(band);
            if (!(type == rbGroupHeader && group != nullptr && group->FOpen)) {
                if (NoForceNewPage)
                    NoForceNewPage = false;
                else
                    do
                        NewColumn();
                    while (CurrentColumn != 1);
                OverflowBreak = false;
            }
        } else if (band->ForceNewColumn && !furniture && PageNumber > 0) {
            if (NewColumnForced || CurrentColumn > 1)
                NewColumn();
            else
                NewColumnForced = true;
        } else {
            ensureBandSpace(band, type);
        }
        if (band->KeepOnOnePage) {
            Native h = 0;
            band->ExpandedHeight(h);
            if (h > AvailableSpace())
                NewColumn();
        }
        const TExportStructure structure(*this, *band);
        if (!band->TransparentBand && band->Enabled && ExportingTo(this)) {
            Native h = BandHeight(band);
            if (band->PreCaluculateBandHeight)
                band->ExpandedHeight(h);
            ExportFilledRect(*this, DeviceRect(*QRPrinter, CurrentX, CurrentY, CurrentX + BandWidth(band), CurrentY + h),
                             band->Color());
        }
        band->NotePrinted(*this);
        Native startX = CurrentX, startY = CurrentY;
        if (band->Height() != 0 && band->Enabled)
            printBandRounds(band, startX, startY);
        if (ExportingTo(this))
            ExportFilter->AcceptBand(band, startX, startY, band->Expanded);
    }
    if (band->AfterPrint)
        band->AfterPrint(band, printBand);
    emitChild(band, type, false);
    OverflowBreak = false;
}

void TCustomBandoriaRep::ensureBandSpace(TQRCustomBand* band, TQRBandType type)
{
    const TQRPage& p = Page();
    if (p.PrintOrder() == TQRPrintOrder::RowByRow && p.Columns() > 1)
        return;
    Native h = BandHeight(band);
    for (const TQRCustomBand* l = band->LinkBand(); l != nullptr && l != band; l = l->LinkBand())
        h += BandHeight(l);
    const Native pageSpace =
        p.Value(TQRPage::iLength) - (p.Value(TQRPage::iTopMargin) + p.Value(TQRPage::iBottomMargin));
    const bool fits = type == rbPageFooter || AvailableSpace() >= Round(h) || Round(h) > pageSpace ||
                      (FBreakDepth >= kMaxBreakDepth && PageNumber > 0);
    if (fits && PageNumber > 0) {
        if (type == rbDetail)
            OverflowBreak = false;
        return;
    }
    OverflowBreak = type == rbDetail;
    if (!p.Continuous() || PageNumber == 0)
        NewColumn();
}

void TCustomBandoriaRep::printBandRounds(TQRCustomBand* band, Native& startX, Native& startY)
{
    pages::TQRPrinter& printer = *QRPrinter;
    const auto bandRect = [&](Native height) {
        return DeviceRect(printer, CurrentX, CurrentY, CurrentX + BandWidth(band), CurrentY + height);
    };
    const Native h = BandHeight(band);
    if (FinalPass && !band->TransparentBand)
        FillArea(printer.PageCanvas(), bandRect(h), band->Color());
    band->Expanded = 0;
    bool firstRound = true;
    for (;;) {
        // A band continued on a new page starts there.
        startX = CurrentX;
        startY = CurrentY;
        Native largest = 0;
        bool unfinished = false;
        for (TQRControl* c : band->Controls()) {
            auto* p = dynamic_cast<TQRPrintable*>(c);
            if (p == nullptr || !p->Enabled())
                continue;
            if (firstRound || !p->PrintFinished()) {
                const int before = p->PrintPosition();
                band->Expanded = 0;
                const TExportStructure structure(*this, *p, !firstRound);
                p->Print(static_cast<int>(CurrentX), static_cast<int>(CurrentY));
                largest = std::max(largest, band->Expanded);
                // Nothing more fits even on a fresh page: what did fit has
                // printed, the rest is given up rather than starting pages
                // without end.
                if (!firstRound && !p->PrintFinished() && p->PrintPosition() == before)
                    p->AbandonPrint();
            }
            if (!p->PrintFinished())
                unfinished = true;
        }
        band->Expanded = largest;
        if (FinalPass || Exporting) {
            const gdi::EmfRect r = bandRect(h + band->Expanded + 1);
            if (FinalPass)
                DrawFrame(band->Frame(), printer.PageCanvas(), r, printer.YFactor(), printer.XFactor());
            ExportFrame(*this, band->Frame(), r, nullptr);
            drawBandLines(band, r);
        }
        if (!unfinished)
            break;
        OverflowBreak = true;
        NewColumn();
        OverflowBreak = false;
        band->Expanded = 0;
        firstRound = false;
    }
    CurrentY += static_cast<Native>(Round(h + band->Expanded));
}

// Shapes tagged 1000 draw a vertical rule through the whole printed band.
void TCustomBandoriaRep::drawBandLines(TQRCustomBand* band, const platform::gdi::EmfRect& r)
{
    gdi::TCanvas& canvas = QRPrinter->PageCanvas();
    for (TQRControl* c : band->Controls()) {
        auto* s = dynamic_cast<TQRShape*>(c);
        if (s == nullptr || s->Tag != 1000 || s->Shape() != TQRShapeType::qrsVertLine || band->Width() <= 0)
            continue;
        const long double centre = s->Left() + s->Width() / 2.0L;
        const int x = r.left + static_cast<int>(Round(centre * (r.right - r.left) / band->Width()));
        if (FinalPass) {
            canvas.SetPen({canvas.Pen().color, gdi::PS_SOLID, s->Pen().Width});
            canvas.MoveTo(x, r.top);
            canvas.LineTo(x, r.bottom);
        }
        ExportBandLine(*this, *s, x, r.top, r.bottom);
    }
}

} // namespace zt::report
