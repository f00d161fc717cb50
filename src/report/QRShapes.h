#pragma once
// Shapes and pictures.

#include "report/QRGraphics.h"
#include "report/QRPrintable.h"

#include "platform/gdi/Bitmap.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zt::report {

class TQRDataSet;

class TQRShape : public TQRPrintable {
public:
    explicit TQRShape(TQRComponent* owner);

    TQRShapeType Shape() const { return FShape; }
    void SetShape(TQRShapeType v);
    const TQRPen& Pen() const { return FPen; }
    void SetPen(const TQRPen& v);
    const TQRBrush& Brush() const { return FBrush; }
    void SetBrush(const TQRBrush& v);
    // Corner factor of rounded rectangles.
    float RoundFactor = 0.1f;
    // Stored only; drawing does not use it.
    int VertAdjust = 0;
    void Print(int ofsX, int ofsY) override;

private:
    TQRShapeType FShape = TQRShapeType::qrsRectangle;
    TQRPen FPen;
    TQRBrush FBrush;
};

// A picture as the definition holds it: the image file's bytes and its size.
struct TQRPicture {
    std::vector<std::uint8_t> Data;
    int Width = 0;
    int Height = 0;
    bool Empty() const { return Data.empty(); }
};

// A picture file's bitmap: Windows bitmap files only; none for anything else.
std::optional<platform::gdi::Bitmap> DecodePicture(const TQRPicture& picture);

// A bitmap of width x height, white, with `source` unscaled at its top-left
// corner and cut at its edges.
platform::gdi::Bitmap PlacePicture(const platform::gdi::Bitmap& source, int width, int height);

class TQRImage : public TQRPrintable {
public:
    explicit TQRImage(TQRComponent* owner) : TQRPrintable(owner) {}
    const TQRPicture& Picture() const { return FPicture; }
    void SetPicture(TQRPicture p);
    bool AutoSize = false;
    bool Stretch = false;
    bool Center = false;
    void Print(int ofsX, int ofsY) override;

protected:
    TQRPicture FPicture;
};

// A picture taken from a field of a data set.
class TQRDBImage : public TQRImage {
public:
    explicit TQRDBImage(TQRComponent* owner) : TQRImage(owner) {}
    TQRDataSet* DataSet = nullptr;
    std::string DataField;
    // Loads the field of the current record; an empty picture without data.
    void LoadPicture();
    // Takes the current record's picture, then prints it fitted into the box.
    void Print(int ofsX, int ofsY) override;
};

// How a data picture's shape is kept when it is not stretched.
enum class TQRFitMode { fmInsideProp, fmKeepWidth, fmKeepHeight, fmProportional };

// A data picture with a choice of fit, and of cutting it to its box.
class TQRGrDBImage : public TQRDBImage {
public:
    explicit TQRGrDBImage(TQRComponent* owner) : TQRDBImage(owner) {}
    TQRFitMode FitMode = TQRFitMode::fmInsideProp;
    // Draws the picture at the top-left of a box-sized bitmap instead of
    // taking the picture as it is.
    bool ClipImage = false;
};

// Where a data picture of the given size lands in its box: the offset from
// the box's top-left corner and the drawn size, in the box's units.
struct TQRPictureFit {
    long double Left = 0, Top = 0, Width = 0, Height = 0;
};
TQRPictureFit FitDataPicture(const TQRDBImage& image, int pictureWidth, int pictureHeight);

// A horizontal rule: a line with its pen across the middle of its box.
class TQRHRule : public TQRPrintable {
public:
    explicit TQRHRule(TQRComponent* owner);
    const TQRPen& Pen() const { return FPen; }
    void SetPen(const TQRPen& v);
    void Print(int ofsX, int ofsY) override;

private:
    TQRPen FPen;
};

} // namespace zt::report
