#include "report/QRShapes.h"

#include "base/QRMath.h"
#include "report/QRDataSet.h"

namespace zt::report {

TQRShape::TQRShape(TQRComponent* owner) : TQRPrintable(owner)
{
    SetInitialBounds({Left(), Top(), 65, 65});
}

void TQRShape::SetShape(TQRShapeType v)
{
    FShape = v;
    Invalidate();
}

void TQRShape::SetPen(const TQRPen& v)
{
    FPen = v;
    Invalidate();
}

void TQRShape::SetBrush(const TQRBrush& v)
{
    FBrush = v;
    Invalidate();
}

void TQRImage::SetPicture(TQRPicture p)
{
    FPicture = std::move(p);
    if (AutoSize && !FPicture.Empty())
        SetBounds(Left(), Top(), FPicture.Width, FPicture.Height);
    Invalidate();
}

void TQRDBImage::LoadPicture()
{
    TQRPicture p;
    if (DataSet != nullptr && !DataSet->Eof() && DataSet->HasField(DataField)) {
        const std::string bytes = DataSet->FieldByName(DataField);
        p.Data.assign(bytes.begin(), bytes.end());
    }
    SetPicture(std::move(p));
}

TQRPictureFit FitDataPicture(const TQRDBImage& image, int pictureWidth, int pictureHeight)
{
    const long double cw = image.Width(), ch = image.Height();
    TQRPictureFit fit{0, 0, cw, ch};
    if (image.Stretch || cw <= 0 || ch <= 0 || pictureWidth <= 0 || pictureHeight <= 0)
        return fit;
    const long double rw = pictureWidth / cw, rh = pictureHeight / ch;
    const long double aspect = static_cast<long double>(pictureWidth) / pictureHeight;
    const auto* gr = dynamic_cast<const TQRGrDBImage*>(&image);
    switch (gr != nullptr ? gr->FitMode : TQRFitMode::fmInsideProp) {
    case TQRFitMode::fmInsideProp:
        // The whole picture inside the box, centred along the side it leaves free.
        if (rw >= rh) {
            fit.Height = static_cast<long double>(Round(pictureHeight / rw));
            fit.Top = (ch - fit.Height) / 2;
        } else {
            fit.Width = static_cast<long double>(Round(pictureWidth / rh));
            fit.Left = (cw - fit.Width) / 2;
        }
        break;
    case TQRFitMode::fmKeepWidth: fit.Height = static_cast<long double>(Round(fit.Width / aspect)); break;
    case TQRFitMode::fmKeepHeight: fit.Width = static_cast<long double>(Round(fit.Height * aspect)); break;
    case TQRFitMode::fmProportional:
        if (rw >= rh)
            fit.Width = static_cast<long double>(Round(fit.Height * aspect));
        else
            fit.Height = static_cast<long double>(Round(fit.Width / aspect));
        break;
    }
    return fit;
}

TQRHRule::TQRHRule(TQRComponent* owner) : TQRPrintable(owner)
{
    SetInitialBounds({Left(), Top(), 65, 3});
}

void TQRHRule::SetPen(const TQRPen& v)
{
    FPen = v;
    Invalidate();
}

} // namespace zt::report
