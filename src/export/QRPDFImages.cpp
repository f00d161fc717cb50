#include "export/QRPDFImages.h"

#include "export/QRPDFEncoders.h"
#include "export/QRPDFFilter.h"
#include "pages/QRPrinter.h"
#include "report/QRReport.h"
#include "report/QRDataSet.h"
#include "report/QRShapes.h"

#include <algorithm>
#include <cmath>

namespace zt::exporting {

namespace gdi = platform::gdi;

std::vector<std::uint8_t> PDFImageRGB(const gdi::Bitmap& bitmap)
{
    std::vector<std::uint8_t> rgb;
    rgb.reserve(bitmap.pixels.size() * 3);
    for (const std::uint32_t p : bitmap.pixels) {
        rgb.push_back(static_cast<std::uint8_t>(p >> 16));
        rgb.push_back(static_cast<std::uint8_t>(p >> 8));
        rgb.push_back(static_cast<std::uint8_t>(p));
    }
    return rgb;
}

TPDFImageData PDFEncodeImage(const gdi::Bitmap& bitmap, bool compress)
{
    std::vector<std::uint8_t> bytes = PDFImageRGB(bitmap);
    TPDFImageData out;
    if (compress) {
        bytes = LZWEncode(bytes);
        out.filter = "/ASCII85Decode /LZWDecode";
    } else {
        out.filter = "/ASCII85Decode";
    }
    out.data = ASCII85Encode(bytes);
    return out;
}

gdi::Bitmap PDFStretchBitmap(const gdi::Bitmap& source, int width, int height)
{
    gdi::Bitmap out;
    out.width = std::max(0, width);
    out.height = std::max(0, height);
    out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height), 0xFFFFFFFFu);
    // A control of no width may still be millions of rows high: nothing to walk.
    if (source.width <= 0 || source.height <= 0 || out.pixels.empty())
        return out;
    for (int y = 0; y < out.height; ++y) {
        const int sy = static_cast<int>(static_cast<long long>(y) * source.height / out.height);
        for (int x = 0; x < out.width; ++x) {
            const int sx = static_cast<int>(static_cast<long long>(x) * source.width / out.width);
            out.pixels[static_cast<std::size_t>(y) * out.width + x] =
                source.pixels[static_cast<std::size_t>(sy) * source.width + sx];
        }
    }
    return out;
}

gdi::Bitmap PDFPlaceBitmap(const gdi::Bitmap& source, int width, int height)
{
    // The page draws an unstretched picture from the same bitmap.
    return PlacePicture(source, width, height);
}

gdi::Bitmap PDFControlBitmap(const gdi::Bitmap& source, int width, int height, bool stretch)
{
    const std::int64_t cw = std::max(0, width), ch = std::max(0, height);
    if (cw * ch <= kPDFMaxImagePixels)
        return stretch ? PDFStretchBitmap(source, width, height) : PDFPlaceBitmap(source, width, height);
    // Both sides shrink by the same factor, keeping the shape of the control.
    const long double f = std::sqrt(static_cast<long double>(kPDFMaxImagePixels) / (cw * ch));
    gdi::Bitmap out;
    out.width = static_cast<int>(std::clamp<std::int64_t>(static_cast<std::int64_t>(cw * f), 1, cw));
    out.height = static_cast<int>(std::clamp<std::int64_t>(static_cast<std::int64_t>(ch * f), 1, ch));
    out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height), 0xFFFFFFFFu);
    if (source.width <= 0 || source.height <= 0)
        return out;
    for (int y = 0; y < out.height; ++y) {
        const std::int64_t cy = y * ch / out.height;
        for (int x = 0; x < out.width; ++x) {
            const std::int64_t cx = x * cw / out.width;
            std::int64_t sx = cx, sy = cy;
            if (stretch) {
                sx = cx * source.width / cw;
                sy = cy * source.height / ch;
            } else if (cx >= source.width || cy >= source.height) {
                continue;
            }
            out.pixels[static_cast<std::size_t>(y) * out.width + x] =
                source.pixels[static_cast<std::size_t>(sy) * source.width + static_cast<std::size_t>(sx)];
        }
    }
    return out;
}

void TQRPDFDocumentFilter::acceptImage(long double xoff, long double yoff, TQRControl* control)
{
    const auto* image = static_cast<TQRImage*>(control);
    const auto* dbImage = dynamic_cast<const TQRDBImage*>(image);
    if (dbImage != nullptr && (dbImage->DataSet == nullptr || !dbImage->DataSet->HasField(dbImage->DataField)))
        return;
    const auto picture = DecodePicture(image->Picture());
    if (!picture || picture->width <= 0 || picture->height <= 0)
        return;
    const long double fx = FOwner != nullptr && FOwner->QRPrinter != nullptr ? FOwner->QRPrinter->XFactor()
                                                                            : pages::kDefaultFactor;
    const long double q = fx / (kScreenPixelsPerInch / 254.0L);
    const int cw = image->Width(), ch = image->Height();
    long double drawnW = cw, drawnH = ch;
    bool fixedScales = false;
    long double xscale = 1, yscale = 1;
    gdi::Bitmap bitmap;
    if (dbImage != nullptr) {
        const TQRPictureFit fit = FitDataPicture(*dbImage, picture->width, picture->height);
        drawnW = fit.Width;
        drawnH = fit.Height;
        xoff += fit.Left * q;
        yoff += fit.Top * q;
        const auto* grImage = dynamic_cast<const TQRGrDBImage*>(dbImage);
        const bool asItIs = grImage != nullptr ? !grImage->ClipImage : image->Stretch;
        bitmap = asItIs ? *picture : PDFControlBitmap(*picture, cw, ch, false);
    } else if (image->Tag == 999) {
        bitmap = *picture;
        fixedScales = true;
        xscale = static_cast<long double>(cw) / bitmap.width;
        yscale = static_cast<long double>(ch) / bitmap.height;
    } else if (image->Tag == 12345 && !image->Stretch) {
        // Pictures made for the printer: one picture pixel per printer dot.
        // Without a printer's resolution they keep the screen's size.
        const int dpi = FOwner != nullptr && FOwner->QRPrinter != nullptr
                            ? FOwner->QRPrinter->PrinterSettings().PixelsPerX()
                            : 0;
        const long double d = dpi > 0 ? static_cast<long double>(kScreenPixelsPerInch) / dpi : 1.0L;
        bitmap = PDFControlBitmap(*picture, cw, ch, false);
        fixedScales = true;
        xscale = yscale = d;
        drawnH = static_cast<long double>(Round(ch * d));
    } else {
        bitmap = PDFControlBitmap(*picture, cw, ch, image->Stretch);
    }
    if (bitmap.width <= 0 || bitmap.height <= 0)
        return;
    TPDFItemRec item;
    item.ItemType = TPDFItemType::IT_IMAGE;
    item.XPos = xoff * FPtx + FAdjustLM;
    item.YPos = (yoff + drawnH * q) * FPty + FAdjustTM;
    item.Width = bitmap.width * FPtx;
    item.Height = bitmap.height * FPtx;
    item.xscale = fixedScales ? xscale : drawnW / bitmap.width * q;
    item.yscale = fixedScales ? yscale : drawnH / bitmap.height * q;
    item.pixelWidth = bitmap.width;
    item.pixelHeight = bitmap.height;
    // The archive format forbids LZW: its pictures go uncompressed.
    TPDFImageData data = PDFEncodeImage(bitmap, FPDFCompressionOn && !FArchive);
    item.imagedata = std::move(data.data);
    item.ImageFilter = std::move(data.filter);
    RenderItem(item);
}

} // namespace zt::exporting
