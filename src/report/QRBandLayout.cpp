// The report's band list: its order and the bands' places on the design
// surface.

#include "report/QRBands.h"
#include "report/QRReport.h"

#include <algorithm>
#include <set>

namespace zt::report {

namespace {

bool isFullWidth(TQRBandType t, TQRPrintOrder order)
{
    switch (t) {
    case rbTitle:
    case rbPageHeader:
    case rbPageFooter:
    case rbSummary:
    case rbOverlay:
        return true;
    case rbGroupHeader:
    case rbGroupFooter:
        return order == TQRPrintOrder::RowByRow;
    default:
        return false;
    }
}

} // namespace

void TCustomBandoriaRep::SetBandValues()
{
    if (FDestroying || FSorting || FPage == nullptr || Loading())
        return;
    FSorting = true;
    sortBands();
    layoutBands();
    FSorting = false;
}

void TCustomBandoriaRep::sortBands()
{
    AssignControllerBands();
    const std::vector<TQRCustomBand*> previous = FBandList;
    std::vector<TQRCustomBand*> sorted;
    std::set<const TQRCustomBand*> placed;
    const std::set<const TQRCustomBand*> members(previous.begin(), previous.end());

    // A band, then its chain of child bands.
    auto place = [&](TQRCustomBand* band) {
        if (band == nullptr || !members.count(band) || placed.count(band))
            return;
        for (TQRCustomBand* b = band; b != nullptr && !placed.count(b); b = ChildOf(b)) {
            sorted.push_back(b);
            placed.insert(b);
        }
    };
    auto placeType = [&](TQRBandType t) {
        for (TQRCustomBand* b : previous)
            if (b->BandType() == t)
                place(b);
    };

    placeType(rbPageHeader);
    placeType(rbTitle);
    placeType(rbColumnHeader);
    std::vector<TQRCustomBand*> controllerBands;
    FController->CollectBands(controllerBands);
    for (TQRCustomBand* b : controllerBands)
        place(b);
    placeType(rbPageFooter);
    // The rest in their previous order; a child whose parent is on the list
    // comes with its parent, and one that no chain reaches stays in the list.
    for (TQRCustomBand* b : previous) {
        auto* child = dynamic_cast<TQRChildBand*>(b);
        const bool reachedByParent = child != nullptr && child->ParentBand() != nullptr &&
                                     members.count(child->ParentBand()) && ChildOf(child->ParentBand()) == b;
        if (!reachedByParent)
            place(b);
    }
    for (TQRCustomBand* b : previous)
        if (!placed.count(b)) {
            sorted.push_back(b);
            placed.insert(b);
        }

    if (!sorted.empty())
        for (int i = 0; i < FRotateBands; ++i)
            std::rotate(sorted.begin(), sorted.begin() + 1, sorted.end());
    FBandList = std::move(sorted);
}

int TCustomBandoriaRep::bandWidth(const TQRCustomBand* band, int fullWidth, int columnWidth) const
{
    const TQRCustomBand* rule = band->LayoutBand();
    const TQRBandType t = rule != nullptr ? rule->BandType() : rbChild;
    return isFullWidth(t, FPage->PrintOrder()) ? fullWidth : columnWidth;
}

void TCustomBandoriaRep::layoutBands()
{
    const TQRPage& p = *FPage;
    auto px = [&p](std::size_t i, bool horizontal) { return p.FromNative(TQRUnit::Pixels, horizontal, p.Value(i)); };
    const long double leftPx = px(TQRPage::iLeftMargin, true);
    const long double rightPx = px(TQRPage::iRightMargin, true);
    const long double spacePx = px(TQRPage::iColumnSpace, true);
    const long double topPx = px(TQRPage::iTopMargin, false);
    const long double lengthPx = px(TQRPage::iLength, false);

    const int columns = p.Columns();
    const int fullWidth = Width() - static_cast<int>(Round(leftPx + rightPx));
    const int columnWidth =
        (fullWidth - static_cast<int>(Round(spacePx)) * (columns - 1)) / columns;
    const int left = static_cast<int>(Round(leftPx));
    int top = static_cast<int>(Round(topPx));
    const int hiddenTop = static_cast<int>(Round(lengthPx));
    for (TQRCustomBand* b : FBandList) {
        const int w = bandWidth(b, fullWidth, columnWidth);
        b->SetBounds(left, FHideBands ? hiddenTop : top, w, b->Height());
        top += b->Height();
    }
}

} // namespace zt::report

