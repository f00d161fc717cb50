#pragma once
// Pixel data of inline images: a bitmap as RGB bytes, LZW-compressed when
// asked, encoded as ASCII85 text.

#include "platform/gdi/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zt::exporting {

// Rows from the top, each from the left, three bytes red, green, blue a pixel.
std::vector<std::uint8_t> PDFImageRGB(const platform::gdi::Bitmap& bitmap);

struct TPDFImageData {
    std::string data;    // the characters between ID and EI
    std::string filter;  // the filter names
};
TPDFImageData PDFEncodeImage(const platform::gdi::Bitmap& bitmap, bool compress);

// The bitmap scaled to a size (nearest pixel), and the bitmap drawn unscaled
// at the top-left of a white one of a size.
platform::gdi::Bitmap PDFStretchBitmap(const platform::gdi::Bitmap& source, int width, int height);
platform::gdi::Bitmap PDFPlaceBitmap(const platform::gdi::Bitmap& source, int width, int height);

// The most pixels an image is written with: several whole pages at screen
// resolution. A larger control is sampled down to it and drawn scaled up.
constexpr std::int64_t kPDFMaxImagePixels = std::int64_t(2048) * 2048;

// The control's picture of `width` x `height` pixels (the bitmap stretched
// over it, or placed at its top-left on white), as PDFStretchBitmap or
// PDFPlaceBitmap give it, but sampled at no more than kPDFMaxImagePixels.
platform::gdi::Bitmap PDFControlBitmap(const platform::gdi::Bitmap& source, int width, int height, bool stretch);

} // namespace zt::exporting
