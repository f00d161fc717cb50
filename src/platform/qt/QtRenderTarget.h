#pragma once
// The metafile player's render target on a QPainter: screen, image, printer
// or PDF. Text is drawn as glyph runs from the very font file the font service
// measured: each word where its spacing array puts it, its glyphs at the font's
// own advances within it. On a printer or a PDF the face comes through the
// font database, so the output keeps it as text.

#include "platform/gdi/Metafile.h"
#include "platform/gdi/RenderTarget.h"

#include <QImage>
#include <QPainter>
#include <QByteArray>
#include <QRawFont>
#include <map>
#include <tuple>
#include <utility>

namespace zt::platform::qt {

class QtRenderTarget final : public gdi::RenderTarget {
public:
    explicit QtRenderTarget(QPainter& painter);

    void setTransform(const gdi::Matrix& m) override;
    void setClip(const std::optional<std::vector<gdi::RectF>>& rects) override;
    void drawRect(const gdi::RectF& r, const gdi::PenSpec& pen, const gdi::BrushSpec& brush) override;
    void drawEllipse(const gdi::RectF& r, const gdi::PenSpec& pen, const gdi::BrushSpec& brush) override;
    void drawRoundRect(const gdi::RectF& r, double rx, double ry, const gdi::PenSpec& pen,
                       const gdi::BrushSpec& brush) override;
    void drawPolyline(const std::vector<gdi::PointF>& points, const gdi::PenSpec& pen) override;
    void drawPolygons(const std::vector<std::vector<gdi::PointF>>& polygons, bool winding, const gdi::PenSpec& pen,
                      const gdi::BrushSpec& brush) override;
    void drawGlyphs(const gdi::GlyphRun& run) override;
    void drawImage(const gdi::RectF& dest, const gdi::Bitmap& image) override;

private:
    void use(const gdi::PenSpec& pen, const gdi::BrushSpec& brush);
    QRectF inside(const gdi::RectF& r, const gdi::PenSpec& pen) const;
    const QRawFont& rawFont(const Font& font, double pixelSize);

    QPainter& painter_;
    bool pdf_;
    // Printers get text they can search, not outlines.
    bool embedFonts_;
    QTransform transform_;
    // By file, face index and size in quarter pixels.
    std::map<std::tuple<std::string, int, int>, QRawFont> fonts_;
    // A later face of a collection, as a font file of its own, by file and index.
    std::map<std::pair<std::string, int>, QByteArray> faceFiles_;
};

// The page's size in its reference device's pixels (one pixel per device unit).
QSize pageSizeInDevicePixels(const gdi::TMetafile& page);

// Renders a page into a white image of `size` (the page's own pixel size when empty).
QImage renderPage(const gdi::TMetafile& page, QSize size = {});

} // namespace zt::platform::qt
