// Label sheets: the blank labels in front of the first record.

#include "report/QRPReport.h"

#include <algorithm>

namespace zt::report {

TQRLabelSkipBand::TQRLabelSkipBand(TQRComponent* owner) : TQRSubDetail(owner)
{
    PrintBefore = true;
    TransparentBand = true;
    Controller().OnNeedData = [this](TQRComponent*, bool& moreData) { moreData = nextBlank(); };
}

// Only the section before the report's first record prints blanks; every
// later one ends at once.
bool TQRLabelSkipBand::nextBlank()
{
    if (!FInSection) {
        FInSection = true;
        FLeft = FDone ? 0 : Count;
        FDone = true;
    }
    if (FLeft > 0) {
        --FLeft;
        return true;
    }
    FInSection = false;
    return false;
}

void TQRLabelSkipBand::StartRun()
{
    FLeft = 0;
    FInSection = false;
    FDone = false;
}

TQRLabelSkipBand* TQRPBandoriaRep::LabelSkipBand() const
{
    for (TQRCustomBand* band : BandList())
        if (auto* skip = dynamic_cast<TQRLabelSkipBand*>(band))
            return skip;
    return nullptr;
}

void TQRPBandoriaRep::PrepareLabels()
{
    TQRCustomBand* detail = FindBand(rbDetail);
    const int count = detail != nullptr ? std::max(0, LabelSettings.SkipLabels) : 0;
    TQRLabelSkipBand* skip = LabelSkipBand();
    if (skip == nullptr) {
        if (count == 0)
            return;
        skip = new TQRLabelSkipBand(Owner() != nullptr ? Owner() : this);
        skip->SetName(UniqueName("QRLabelSkip"));
        skip->SetParent(this);
        skip->SetMaster(this);
    }
    skip->Count = count;
    if (detail != nullptr)
        skip->Size().SetHeight(detail->Size().Height());
}

void TQRPBandoriaRep::prepareIfAutomatic()
{
    if (PrepareAutomatically && Available)
        PrepareLabels();
}

void TQRPBandoriaRep::Prepare()
{
    prepareIfAutomatic();
    TBandoriaRep::Prepare();
}

void TQRPBandoriaRep::Print()
{
    prepareIfAutomatic();
    TBandoriaRep::Print();
}

void TQRPBandoriaRep::Preview()
{
    prepareIfAutomatic();
    TBandoriaRep::Preview();
}

void TQRPBandoriaRep::PreviewModal()
{
    prepareIfAutomatic();
    TBandoriaRep::PreviewModal();
}

} // namespace zt::report
