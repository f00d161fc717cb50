#pragma once
// What the metafile player draws on. Geometry arrives in the metafile's
// logical units together with the transform to the target's pixels; glyph
// origins and clip rectangles arrive already in target pixels, because text
// stays upright and clipping is a device matter in GDI.

#include "platform/fonts/FontService.h"
#include "platform/gdi/EmfRecords.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zt::platform::gdi {

struct Bitmap;

struct PointF {
    double x = 0, y = 0;
};

struct RectF {
    double left = 0, top = 0, right = 0, bottom = 0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

// x' = m11 x + m21 y + dx, y' = m12 x + m22 y + dy (the XFORM convention).
struct Matrix {
    double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;

    PointF map(double x, double y) const { return {m11 * x + m21 * y + dx, m12 * x + m22 * y + dy}; }
    // this, then `next`.
    Matrix then(const Matrix& next) const;
    static Matrix translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static Matrix scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
};

struct PenSpec {
    bool null = false;
    std::uint32_t style = PS_SOLID;
    double width = 0;              // logical units; 0 is one target pixel
    ColorRef color = 0;
};

struct BrushSpec {
    bool null = false;
    std::uint32_t style = BS_SOLID;
    std::uint32_t hatch = 0;
    ColorRef color = 0xFFFFFF;
};

struct GlyphRun {
    std::shared_ptr<const Font> font;   // the face and its metrics
    double pixelSize = 0;               // em height in target pixels
    bool underline = false;
    bool strikeOut = false;
    ColorRef color = 0;
    std::u16string text;
    std::vector<PointF> origins;        // baseline origin of each UTF-16 unit, target pixels
    double lineWidth = 0;               // for underline and strike-out: the run's advance, target pixels
};

class RenderTarget {
public:
    virtual ~RenderTarget() = default;

    virtual void setTransform(const Matrix& logicalToTarget) = 0;
    // nullopt: no clipping. Otherwise the union of the rectangles (target pixels).
    virtual void setClip(const std::optional<std::vector<RectF>>& rects) = 0;

    virtual void drawRect(const RectF& r, const PenSpec& pen, const BrushSpec& brush) = 0;
    virtual void drawEllipse(const RectF& r, const PenSpec& pen, const BrushSpec& brush) = 0;
    virtual void drawRoundRect(const RectF& r, double rx, double ry, const PenSpec& pen, const BrushSpec& brush) = 0;
    virtual void drawPolyline(const std::vector<PointF>& points, const PenSpec& pen) = 0;
    virtual void drawPolygons(const std::vector<std::vector<PointF>>& polygons, bool winding, const PenSpec& pen,
                              const BrushSpec& brush) = 0;
    virtual void drawGlyphs(const GlyphRun& run) = 0;
    // `dest` in logical units; the whole bitmap is drawn stretched into it.
    virtual void drawImage(const RectF& dest, const Bitmap& image) = 0;
};

} // namespace zt::platform::gdi
