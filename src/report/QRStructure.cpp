#include "report/QRStructure.h"

#include "report/QRBands.h"
#include "report/QRLabels.h"
#include "report/QRShapes.h"

namespace zt::report {

namespace {

TQRStructureMark markFor(const TQRControl& control, TQRStructureLevel level, TQRStructureRole role)
{
    TQRStructureMark mark;
    mark.Level = level;
    mark.Role = role;
    mark.JoinsPrevious = control.Structure.JoinsPrevious;
    mark.ActualText = control.Structure.ActualText;
    mark.ReadingOrder = control.Structure.ReadingOrder;
    mark.Source = &control;
    return mark;
}

} // namespace

TQRStructureMark StructureMarkOf(const TQRCustomBand& band)
{
    TQRStructureRole role = band.Structure.Role;
    TQRArtifactKind artifact = TQRArtifactKind::akLayout;
    switch (band.BandType()) {
    case rbPageHeader: artifact = TQRArtifactKind::akPageHeader; break;
    case rbPageFooter: artifact = TQRArtifactKind::akPageFooter; break;
    default: break;
    }
    if (role == TQRStructureRole::srAuto) {
        const TQRBandType type = band.BandType();
        // What repeats on every page is pagination, not content.
        role = type == rbPageHeader || type == rbPageFooter || type == rbOverlay ? TQRStructureRole::srArtifact
                                                                                  : TQRStructureRole::srNone;
    }
    TQRStructureMark mark = markFor(band, TQRStructureLevel::slBand, role);
    mark.Artifact = artifact;
    return mark;
}

TQRStructureMark StructureMarkOf(const TQRControl& printable)
{
    TQRStructureRole role = printable.Structure.Role;
    if (role == TQRStructureRole::srAuto) {
        if (dynamic_cast<const TQRMemo*>(&printable) != nullptr)
            role = TQRStructureRole::srParagraphs;
        else if (dynamic_cast<const TQRCustomLabel*>(&printable) != nullptr)
            role = TQRStructureRole::srParagraph;
        else if (dynamic_cast<const TQRShape*>(&printable) != nullptr ||
                 dynamic_cast<const TQRHRule*>(&printable) != nullptr ||
                 dynamic_cast<const TQRImage*>(&printable) != nullptr)
            role = TQRStructureRole::srArtifact;
        else
            role = TQRStructureRole::srParagraph;
    }
    return markFor(printable, TQRStructureLevel::slPrintable, role);
}

} // namespace zt::report
