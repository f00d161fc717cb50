#include "report/QRShapes.h"

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

} // namespace zt::report
