#pragma once
// A report for label sheets: before it prepares, prints or previews, it
// inserts blank labels in front of the first record, so that a sheet whose
// first labels are used already can go through the printer again.

#include "report/QRBands.h"
#include "report/QRReport.h"

namespace zt::report {

struct TQRLabelSettings {
    // Labels of the first sheet that are used already; printing starts with
    // the label after them, in the order the report fills its columns.
    int SkipLabels = 0;
};

// The auxiliary band: a section before the first record that prints as many
// blank labels, each of the detail band's height, as are to be skipped.
class TQRLabelSkipBand : public TQRSubDetail {
public:
    explicit TQRLabelSkipBand(TQRComponent* owner);
    int Count = 0;
    void StartRun() override;

private:
    bool nextBlank();
    int FLeft = 0;
    bool FInSection = false;
    bool FDone = false;
};

class TQRPBandoriaRep : public TBandoriaRep {
public:
    explicit TQRPBandoriaRep(TQRComponent* owner) : TBandoriaRep(owner) {}

    TQRLabelSettings LabelSettings;
    // Inserts the auxiliary bands before Prepare, Print and Preview; without
    // it the caller does so through PrepareLabels.
    bool PrepareAutomatically = true;

    // Inserts the auxiliary band, or renews its count and height from the
    // label settings and the detail band.
    void PrepareLabels();
    // The auxiliary band; none before PrepareLabels.
    TQRLabelSkipBand* LabelSkipBand() const;

    void Prepare();
    void Print();
    void Preview();
    void PreviewModal();

private:
    void prepareIfAutomatic();
};

} // namespace zt::report
