#include "platform/qt/QtRenderTarget.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/EmfPlayer.h"
#include "platform/fonts/SfntFile.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <cmath>
#include <mutex>
#include <vector>

namespace zt::platform::qt {

namespace {

QColor toQColor(gdi::ColorRef c)
{
    return QColor(gdi::redOf(c), gdi::greenOf(c), gdi::blueOf(c));
}

Qt::PenStyle toQtStyle(std::uint32_t style)
{
    switch (style) {
    case gdi::PS_DASH: return Qt::DashLine;
    case gdi::PS_DOT: return Qt::DotLine;
    case gdi::PS_DASHDOT: return Qt::DashDotLine;
    case gdi::PS_DASHDOTDOT: return Qt::DashDotDotLine;
    case gdi::PS_NULL: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

Qt::BrushStyle toQtHatch(std::uint32_t hatch)
{
    switch (hatch) {
    case gdi::HS_HORIZONTAL: return Qt::HorPattern;
    case gdi::HS_VERTICAL: return Qt::VerPattern;
    case gdi::HS_FDIAGONAL: return Qt::BDiagPattern;
    case gdi::HS_BDIAGONAL: return Qt::FDiagPattern;
    case gdi::HS_CROSS: return Qt::CrossPattern;
    default: return Qt::DiagCrossPattern;
    }
}

// The font database's family for a face of a font file, the file registered
// once per process; a collection registers all its faces, so the face's own
// family is the one picked.
QString registeredFamily(const QString& file, const QString& family)
{
    static std::mutex mutex;
    static std::map<QString, QStringList> families;
    std::lock_guard lock(mutex);
    auto it = families.find(file);
    if (it == families.end()) {
        const int id = QFontDatabase::addApplicationFont(file);
        it = families.emplace(file, id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList()).first;
    }
    if (it->second.contains(family))
        return family;
    return it->second.isEmpty() ? QString() : it->second.first();
}

// The same face as `fromFile`, but through the font database, whose fonts a
// printer or PDF engine can embed as text; invalid when the database picks
// another face.
QRawFont embeddableFont(const QString& file, const QRawFont& fromFile, double pixelSize)
{
    const QString family = registeredFamily(file, fromFile.familyName());
    if (family.isEmpty())
        return {};
    QFont font(family);
    font.setStyleName(fromFile.styleName());
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || raw.familyName() != fromFile.familyName() || raw.styleName() != fromFile.styleName())
        return {};
    raw.setPixelSize(pixelSize);
    return raw;
}

// Where a raster target draws a run's glyphs. A page's spacing array holds
// the advances measured with the font hinted at the recording size; at a small
// size hinting may widen a glyph by two pixels or more (a 'w' of 11 pixels per
// em measures 10 instead of 8), and the unhinted outline drawn at that cell
// leaves a gap the printout lacks. So within each word the glyphs follow the
// font's own advances, the word's difference to its recorded width shared
// evenly between its glyphs: each word still starts, and the run still ends,
// exactly where the page puts them. Spacing that no hinting explains (glyphs
// set apart or on top of one another on purpose) stays as recorded.
void followOwnAdvances(QList<QPointF>& positions, const QList<QPointF>& advances, const std::vector<bool>& wordStart,
                       double runEnd, double pixelSize)
{
    const qsizetype n = positions.size();
    if (n < 2 || advances.size() != n)
        return;
    for (qsizetype i = 1; i < n; ++i)
        if (positions[i].y() != positions[0].y() || positions[i].x() < positions[i - 1].x())
            return;
    if (runEnd < positions.back().x())
        return;
    // A quarter em per glyph is more than hinting changes an advance by.
    const double tolerance = pixelSize / 4;
    for (qsizetype a = 0; a < n;) {
        qsizetype b = a + 1;
        while (b < n && !wordStart[static_cast<std::size_t>(b)])
            ++b;
        const double start = positions[a].x();
        const double end = b < n ? positions[b].x() : runEnd;
        double natural = 0;
        for (qsizetype k = a; k < b; ++k)
            natural += advances[k].x();
        const double slack = (end - start) - natural;
        const auto count = static_cast<double>(b - a);
        if (std::abs(slack) <= tolerance * count) {
            double x = start;
            for (qsizetype k = a; k < b; ++k) {
                positions[k].setX(x + slack * static_cast<double>(k - a) / count);
                x += advances[k].x();
            }
        }
        a = b;
    }
}

} // namespace

QtRenderTarget::QtRenderTarget(QPainter& painter)
    : painter_(painter),
      pdf_(painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Pdf),
      embedFonts_(pdf_ || (painter.device() != nullptr && painter.device()->devType() == QInternal::Printer))
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void QtRenderTarget::setTransform(const gdi::Matrix& m)
{
    transform_ = QTransform(m.m11, m.m12, m.m21, m.m22, m.dx, m.dy);
    painter_.setTransform(transform_);
}

void QtRenderTarget::setClip(const std::optional<std::vector<gdi::RectF>>& rects)
{
    if (!rects) {
        painter_.setClipping(false);
        return;
    }
    // Clip rectangles are target pixels: set them without the page transform.
    painter_.setTransform(QTransform());
    QPainterPath path;
    for (const auto& r : *rects)
        path.addRect(QRectF(r.left, r.top, r.width(), r.height()));
    painter_.setClipPath(path);
    painter_.setTransform(transform_);
}

void QtRenderTarget::use(const gdi::PenSpec& pen, const gdi::BrushSpec& brush)
{
    if (pen.null) {
        painter_.setPen(Qt::NoPen);
    } else {
        QPen p(toQColor(pen.color));
        p.setWidthF(pen.width); // 0 is Qt's cosmetic one-pixel pen, as GDI's
        p.setStyle(toQtStyle(pen.style));
        p.setCapStyle(Qt::FlatCap);
        p.setJoinStyle(Qt::MiterJoin);
        painter_.setPen(p);
    }
    if (brush.null)
        painter_.setBrush(Qt::NoBrush);
    else if (brush.style == gdi::BS_HATCHED)
        painter_.setBrush(QBrush(toQColor(brush.color), toQtHatch(brush.hatch)));
    else
        painter_.setBrush(QBrush(toQColor(brush.color)));
}

QRectF QtRenderTarget::inside(const gdi::RectF& r, const gdi::PenSpec& pen) const
{
    // GDI draws a shape's outline inside its rectangle, whose right and bottom edges are exclusive.
    double inset = 0.5;
    if (!pen.null && pen.width > 1)
        inset = pen.width / 2;
    if (pen.null)
        return QRectF(r.left, r.top, r.width(), r.height());
    return QRectF(r.left + inset, r.top + inset, r.width() - 2 * inset, r.height() - 2 * inset);
}

void QtRenderTarget::drawRect(const gdi::RectF& r, const gdi::PenSpec& pen, const gdi::BrushSpec& brush)
{
    use(pen, brush);
    painter_.drawRect(inside(r, pen));
}

void QtRenderTarget::drawEllipse(const gdi::RectF& r, const gdi::PenSpec& pen, const gdi::BrushSpec& brush)
{
    use(pen, brush);
    painter_.drawEllipse(inside(r, pen));
}

void QtRenderTarget::drawRoundRect(const gdi::RectF& r, double rx, double ry, const gdi::PenSpec& pen,
                                   const gdi::BrushSpec& brush)
{
    use(pen, brush);
    painter_.drawRoundedRect(inside(r, pen), rx, ry);
}

void QtRenderTarget::drawPolyline(const std::vector<gdi::PointF>& points, const gdi::PenSpec& pen)
{
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(points.size()));
    for (const auto& p : points)
        poly << QPointF(p.x, p.y);
    use(pen, {true, gdi::BS_NULL, 0, 0});
    painter_.drawPolyline(poly);
}

void QtRenderTarget::drawPolygons(const std::vector<std::vector<gdi::PointF>>& polygons, bool winding,
                                  const gdi::PenSpec& pen, const gdi::BrushSpec& brush)
{
    QPainterPath path;
    path.setFillRule(winding ? Qt::WindingFill : Qt::OddEvenFill);
    for (const auto& poly : polygons) {
        QPolygonF q;
        for (const auto& p : poly)
            q << QPointF(p.x, p.y);
        if (!q.isEmpty()) {
            path.addPolygon(q);
            path.closeSubpath();
        }
    }
    use(pen, brush);
    painter_.drawPath(path);
}

const QRawFont& QtRenderTarget::rawFont(const Font& font, double pixelSize)
{
    const std::string& file = font.face().file;
    const int index = font.face().index;
    // Sizes are kept in quarter pixels, enough for any zoom of the preview.
    const int key = static_cast<int>(std::lround(pixelSize * 4));
    auto it = fonts_.find({file, index, key});
    if (it == fonts_.end()) {
        const QString path = QString::fromStdString(file);
        QRawFont raw;
        if ((index & 0xFFFF) == 0) {
            raw = QRawFont(path, key / 4.0, QFont::PreferNoHinting);
        } else {
            // Qt opens a file's first face only: a later face of a
            // collection is handed over as a font file of its own.
            auto data = faceFiles_.find({file, index});
            if (data == faceFiles_.end()) {
                const std::vector<std::uint8_t> bytes = sfntFace(font.fontData(), index);
                data = faceFiles_.emplace(std::make_pair(file, index),
                                          QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                     static_cast<qsizetype>(bytes.size())))
                           .first;
            }
            raw = QRawFont(data->second, key / 4.0, QFont::PreferNoHinting);
        }
        if (embedFonts_ && raw.isValid())
            if (QRawFont embeddable = embeddableFont(path, raw, key / 4.0); embeddable.isValid())
                raw = embeddable;
        it = fonts_.emplace(std::make_tuple(file, index, key), raw).first;
    }
    return it->second;
}

void QtRenderTarget::drawGlyphs(const gdi::GlyphRun& run)
{
    if (!run.font || run.text.empty() || run.pixelSize < 0.25 || run.pixelSize > 20000)
        return;
    const QRawFont& font = rawFont(*run.font, run.pixelSize);
    if (!font.isValid())
        return;
    // One glyph per character: a surrogate pair takes the origin of its first unit.
    QList<quint32> glyphs;
    QList<QPointF> positions;
    // Whether a glyph begins a word: it follows a space.
    std::vector<bool> wordStart;
    bool afterSpace = true;
    const auto n = run.text.size();
    for (std::size_t i = 0; i < n && i < run.origins.size(); ++i) {
        char32_t cp = run.text[i];
        const bool pair = cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && run.text[i + 1] >= 0xDC00 &&
                          run.text[i + 1] <= 0xDFFF;
        QString ch = pair ? QString::fromUtf16(&run.text[i], 2) : QString(QChar(static_cast<char16_t>(cp)));
        const QList<quint32> g = font.glyphIndexesForString(ch);
        if (!g.isEmpty()) {
            glyphs << g.first();
            positions << QPointF(run.origins[i].x, run.origins[i].y);
            wordStart.push_back(afterSpace);
        }
        afterSpace = cp == u' ' || cp == 0xA0;
        if (pair)
            ++i;
    }
    // A PDF reader tells words apart by the gaps between glyphs, and a page's
    // spacing array may open gaps inside words. In a PDF the glyphs follow the
    // font's own advances from the run's start, squeezed when the run must
    // end sooner, so the text reads back as it was written.
    if (pdf_ && glyphs.size() > 1) {
        const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
        double natural = 0;
        for (qsizetype i = 0; i + 1 < advances.size(); ++i)
            natural += advances[i].x();
        const double span = positions.back().x() - positions.front().x();
        if (natural > 0 && span > 0) {
            const double scale = std::min(1.0, span / natural);
            double x = positions.front().x();
            for (qsizetype i = 1; i < positions.size(); ++i) {
                x += advances[i - 1].x() * scale;
                positions[i].setX(x);
            }
        }
    }
    if (!pdf_ && glyphs.size() > 1 && !run.origins.empty())
        followOwnAdvances(positions, font.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics), wordStart,
                          run.origins.front().x + run.lineWidth, run.pixelSize);
    QGlyphRun glyphRun;
    glyphRun.setRawFont(font);
    glyphRun.setGlyphIndexes(glyphs);
    glyphRun.setPositions(positions);

    painter_.save();
    painter_.setTransform(QTransform());
    painter_.setPen(toQColor(run.color));
    painter_.drawGlyphRun(QPointF(0, 0), glyphRun);
    if ((run.underline || run.strikeOut) && !run.origins.empty()) {
        const QPointF start(run.origins.front().x, run.origins.front().y);
        const double thickness = std::max(1.0, std::round(run.pixelSize / 14));
        const auto line = [&](double dy) {
            painter_.fillRect(QRectF(start.x(), start.y() + dy, run.lineWidth, thickness), toQColor(run.color));
        };
        if (run.underline)
            line(std::max(1.0, std::round(run.pixelSize / 9)));
        if (run.strikeOut)
            line(-std::round(run.pixelSize * 0.28));
    }
    painter_.restore();
}

void QtRenderTarget::drawImage(const gdi::RectF& dest, const gdi::Bitmap& image)
{
    const QImage img(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                     image.width * 4, QImage::Format_ARGB32);
    painter_.drawImage(QRectF(dest.left, dest.top, dest.width(), dest.height()), img);
}

QSize pageSizeInDevicePixels(const gdi::TMetafile& page)
{
    const auto& h = page.Header();
    // The device's size in micrometres is exact; its whole millimetres are
    // rounded (a 1080-pixel screen of 285.75 mm states 286) and would
    // shorten an A4 page by a pixel.
    const double umX = h.micrometersCx > 0 ? h.micrometersCx : h.millimetersCx * 1000.0;
    const double umY = h.micrometersCy > 0 ? h.micrometersCy : h.millimetersCy * 1000.0;
    if (umX <= 0 || umY <= 0 || h.deviceCx <= 0 || h.deviceCy <= 0)
        return {page.Width(), page.Height()};
    const double w = (double(h.frame.right) - h.frame.left) * h.deviceCx / (umX / 10.0);
    const double hgt = (double(h.frame.bottom) - h.frame.top) * h.deviceCy / (umY / 10.0);
    return {static_cast<int>(std::lround(w)), static_cast<int>(std::lround(hgt))};
}

QImage renderPage(const gdi::TMetafile& page, QSize size)
{
    if (size.isEmpty())
        size = pageSizeInDevicePixels(page);
    size = size.boundedTo(QSize(20000, 20000)).expandedTo(QSize(1, 1));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtRenderTarget target(painter);
    gdi::playEmf(page, target, {0, 0, double(size.width()), double(size.height())});
    painter.end();
    return image;
}

} // namespace zt::platform::qt
