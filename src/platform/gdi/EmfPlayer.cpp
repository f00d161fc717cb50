#include "platform/gdi/EmfPlayer.h"

#include "platform/gdi/EmfPlayback.h"
#include "platform/gdi/EmfReader.h"
#include "platform/gdi/EmfRecords.h"
#include "platform/gdi/GdiClip.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace zt::platform::gdi {

Matrix Matrix::then(const Matrix& n) const
{
    return {m11 * n.m11 + m12 * n.m21,
            m11 * n.m12 + m12 * n.m22,
            m21 * n.m11 + m22 * n.m21,
            m21 * n.m12 + m22 * n.m22,
            dx * n.m11 + dy * n.m21 + n.dx,
            dx * n.m12 + dy * n.m22 + n.dy};
}

namespace playback {

Matrix Player::pageMatrix() const
{
    double sx = 1, sy = 1;
    const double mmToPxX = pxPerMmX_, mmToPxY = pxPerMmY_;
    switch (s_.mapMode) {
    case MM_LOMETRIC: sx = mmToPxX / 10; sy = -mmToPxY / 10; break;
    case MM_HIMETRIC: sx = mmToPxX / 100; sy = -mmToPxY / 100; break;
    case MM_LOENGLISH: sx = mmToPxX * 0.254; sy = -mmToPxY * 0.254; break;
    case MM_HIENGLISH: sx = mmToPxX * 0.0254; sy = -mmToPxY * 0.0254; break;
    case MM_TWIPS: sx = mmToPxX * 25.4 / 1440; sy = -mmToPxY * 25.4 / 1440; break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC: {
        sx = s_.windowExt.x != 0 ? s_.viewportExt.x / s_.windowExt.x : 1;
        sy = s_.windowExt.y != 0 ? s_.viewportExt.y / s_.windowExt.y : 1;
        if (s_.mapMode == MM_ISOTROPIC) {
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(m, sx);
            sy = std::copysign(m, sy);
        }
        break;
    }
    default: break;
    }
    if (!std::isfinite(sx) || sx == 0)
        sx = 1;
    if (!std::isfinite(sy) || sy == 0)
        sy = 1;
    return {sx, 0, 0, sy, s_.viewportOrg.x - s_.windowOrg.x * sx, s_.viewportOrg.y - s_.windowOrg.y * sy};
}

RectF Player::logicalRectToDevice(double l, double t, double r, double b) const
{
    const Matrix m = logicalToDevice();
    const PointF p[4] = {m.map(l, t), m.map(r, t), m.map(l, b), m.map(r, b)};
    RectF out{p[0].x, p[0].y, p[0].x, p[0].y};
    for (const auto& q : p) {
        out.left = std::min(out.left, q.x);
        out.right = std::max(out.right, q.x);
        out.top = std::min(out.top, q.y);
        out.bottom = std::max(out.bottom, q.y);
    }
    return out;
}

void Player::applyClip()
{
    if (!s_.clip) {
        target_.setClip(std::nullopt);
        return;
    }
    std::vector<RectF> mapped;
    mapped.reserve(s_.clip->size());
    for (const auto& r : *s_.clip) {
        const PointF a = deviceToTarget_.map(r.left, r.top), b = deviceToTarget_.map(r.right, r.bottom);
        mapped.push_back({std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)});
    }
    target_.setClip(mapped);
}

std::vector<PointF> Player::points(const EmfRecordView& r, std::uint32_t countOff, std::uint32_t firstOff,
                                   bool small) const
{
    const std::uint64_t count = r.u32(countOff);
    const std::uint64_t each = small ? 4 : 8;
    std::vector<PointF> pts;
    if (!r.has(firstOff, count * each))
        return pts;
    pts.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        const auto off = static_cast<std::uint32_t>(firstOff + i * each);
        pts.push_back(small ? point16(r, off) : point32(r, off));
    }
    return pts;
}

void Player::polyline(std::vector<PointF> pts, bool fromCurrent)
{
    if (fromCurrent)
        pts.insert(pts.begin(), s_.position);
    if (pts.empty())
        return;
    if (inPath_) {
        if (fromCurrent && !path_.empty() && !pathClosed_.back()) {
            path_.back().insert(path_.back().end(), pts.begin() + 1, pts.end());
        } else {
            path_.push_back(pts);
            pathClosed_.push_back(false);
        }
    } else if (!s_.pen.null && pts.size() > 1) {
        target_.drawPolyline(pts, s_.pen);
    }
    if (fromCurrent)
        s_.position = pts.back();
}

void Player::polygons(std::vector<std::vector<PointF>> polys)
{
    std::erase_if(polys, [](const auto& p) { return p.size() < 2; });
    if (polys.empty())
        return;
    if (inPath_) {
        for (auto& p : polys) {
            path_.push_back(std::move(p));
            pathClosed_.push_back(true);
        }
        return;
    }
    target_.drawPolygons(polys, s_.polyFillMode == WINDING, s_.pen, s_.brush);
}

void Player::polyPoly(const EmfRecordView& r, bool small, bool closed)
{
    const std::uint64_t nPolys = r.u32(24);
    const std::uint64_t total = r.u32(28);
    const std::uint64_t each = small ? 4 : 8;
    if (!r.has(32, nPolys * 4 + total * each))
        return;
    std::vector<std::vector<PointF>> polys;
    std::uint64_t at = 32 + nPolys * 4, used = 0;
    for (std::uint64_t i = 0; i < nPolys; ++i) {
        const std::uint64_t n = r.u32(static_cast<std::uint32_t>(32 + i * 4));
        if (used + n > total)
            return;
        std::vector<PointF> pts;
        pts.reserve(n);
        for (std::uint64_t k = 0; k < n; ++k, at += each)
            pts.push_back(small ? point16(r, static_cast<std::uint32_t>(at)) : point32(r, static_cast<std::uint32_t>(at)));
        used += n;
        polys.push_back(std::move(pts));
    }
    if (closed) {
        polygons(std::move(polys));
    } else {
        for (auto& p : polys)
            polyline(std::move(p), false);
    }
}

void Player::bezier(const EmfRecordView& r, bool small, bool fromCurrent)
{
    std::vector<PointF> ctl = points(r, 24, 28, small);
    if (fromCurrent)
        ctl.insert(ctl.begin(), s_.position);
    if (ctl.size() < 4)
        return;
    std::vector<PointF> out{ctl[0]};
    constexpr int kSteps = 16;
    for (std::size_t i = 0; i + 3 < ctl.size(); i += 3) {
        const PointF p0 = ctl[i], p1 = ctl[i + 1], p2 = ctl[i + 2], p3 = ctl[i + 3];
        for (int k = 1; k <= kSteps; ++k) {
            const double t = double(k) / kSteps, u = 1 - t;
            out.push_back({u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
                           u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y});
        }
    }
    if (fromCurrent) {
        out.erase(out.begin());
        polyline(std::move(out), true);
    } else {
        polyline(std::move(out), false);
    }
}

void Player::arc(const EmfRecordView& r, std::uint32_t type)
{
    const double l = r.i32(8), t = r.i32(12), rr = r.i32(16), b = r.i32(20);
    const double cx = (l + rr) / 2, cy = (t + b) / 2, rx = std::abs(rr - l) / 2, ry = std::abs(b - t) / 2;
    if (rx <= 0 || ry <= 0)
        return;
    const double a0 = std::atan2(r.i32(28) - cy, r.i32(24) - cx);
    double a1 = std::atan2(r.i32(36) - cy, r.i32(32) - cx);
    // Counter-clockwise on the screen means decreasing angle with y downwards.
    while (a1 >= a0)
        a1 -= 2 * std::numbers::pi;
    std::vector<PointF> pts;
    constexpr int kSteps = 64;
    for (int k = 0; k <= kSteps; ++k) {
        const double a = a0 + (a1 - a0) * k / kSteps;
        pts.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    if (type == EMR_ARC) {
        polyline(std::move(pts), false);
        return;
    }
    if (type == EMR_PIE)
        pts.push_back({cx, cy});
    polygons({std::move(pts)});
}

void Player::clipRegion(const EmfRecordView& r)
{
    const std::uint32_t cb = r.u32(8), mode = r.u32(12);
    if (cb == 0 || !r.has(16, cb) || cb < 32) {
        if (mode == RGN_COPY) {
            s_.clip.reset();
            applyClip();
        }
        return;
    }
    const std::uint64_t count = r.u32(24);
    if (!r.has(48, count * 16))
        return;
    std::vector<RectF> rects;
    rects.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        const auto o = static_cast<std::uint32_t>(48 + i * 16);
        rects.push_back({double(r.i32(o)), double(r.i32(o + 4)), double(r.i32(o + 8)), double(r.i32(o + 12))});
    }
    s_.clip = combineClip(s_.clip, rects, mode);
    applyClip();
}

void Player::strokeFillPath(bool stroke, bool fill)
{
    if (path_.empty())
        return;
    const PenSpec noPen{true, PS_NULL, 0, 0};
    const BrushSpec noBrush{true, BS_NULL, 0, 0};
    if (fill)
        target_.drawPolygons(path_, s_.polyFillMode == WINDING, stroke ? s_.pen : noPen, s_.brush);
    else if (stroke)
        for (std::size_t i = 0; i < path_.size(); ++i) {
            if (pathClosed_[i])
                target_.drawPolygons({path_[i]}, false, s_.pen, noBrush);
            else
                target_.drawPolyline(path_[i], s_.pen);
        }
    path_.clear();
    pathClosed_.clear();
}

void Player::play(const EmfRecordView& r)
{
    switch (r.type()) {
    case EMR_SETMAPMODE: s_.mapMode = r.u32(8); applyTransform(); break;
    case EMR_SETWINDOWEXTEX: s_.windowExt = point32(r, 8); applyTransform(); break;
    case EMR_SETWINDOWORGEX: s_.windowOrg = point32(r, 8); applyTransform(); break;
    case EMR_SETVIEWPORTEXTEX: s_.viewportExt = point32(r, 8); applyTransform(); break;
    case EMR_SETVIEWPORTORGEX: s_.viewportOrg = point32(r, 8); applyTransform(); break;
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX: {
        PointF& ext = r.type() == EMR_SCALEVIEWPORTEXTEX ? s_.viewportExt : s_.windowExt;
        const double xd = r.i32(12), yd = r.i32(20);
        if (xd != 0 && yd != 0) {
            ext.x = ext.x * r.i32(8) / xd;
            ext.y = ext.y * r.i32(16) / yd;
        }
        applyTransform();
        break;
    }
    case EMR_SETWORLDTRANSFORM:
    case EMR_MODIFYWORLDTRANSFORM: {
        const Matrix m{r.f32(8), r.f32(12), r.f32(16), r.f32(20), r.f32(24), r.f32(28)};
        const bool finite = std::isfinite(m.m11) && std::isfinite(m.m12) && std::isfinite(m.m21) &&
                            std::isfinite(m.m22) && std::isfinite(m.dx) && std::isfinite(m.dy);
        const std::uint32_t mode = r.type() == EMR_SETWORLDTRANSFORM ? MWT_SET : r.u32(32);
        if (mode == MWT_IDENTITY)
            s_.world = {};
        else if (!finite)
            break;
        else if (mode == MWT_SET)
            s_.world = m;
        else if (mode == MWT_LEFTMULTIPLY)
            s_.world = m.then(s_.world);
        else if (mode == MWT_RIGHTMULTIPLY)
            s_.world = s_.world.then(m);
        applyTransform();
        break;
    }
    case EMR_SAVEDC:
        if (saved_.size() < kMaxSavedStates)
            saved_.push_back(s_);
        break;
    case EMR_RESTOREDC: {
        const std::int64_t rel = r.i32(8);
        std::int64_t index = rel < 0 ? static_cast<std::int64_t>(saved_.size()) + rel : rel - 1;
        if (index >= 0 && index < static_cast<std::int64_t>(saved_.size())) {
            s_ = saved_[static_cast<std::size_t>(index)];
            saved_.resize(static_cast<std::size_t>(index));
            applyTransform();
            applyClip();
        }
        break;
    }
    case EMR_CREATEPEN: createPen(r); break;
    case EMR_EXTCREATEPEN: createExtPen(r); break;
    case EMR_CREATEBRUSHINDIRECT: createBrush(r); break;
    case 93: // EMR_CREATEMONOBRUSH
    case 94: // EMR_CREATEDIBPATTERNBRUSHPT
        createPatternBrush(r);
        break;
    case EMR_EXTCREATEFONTINDIRECTW: createFont(r); break;
    case EMR_SELECTOBJECT: selectObject(r.u32(8)); break;
    case EMR_DELETEOBJECT:
        if (Object* o = r.u32(8) < objects_.size() ? &objects_[r.u32(8)] : nullptr)
            *o = {};
        break;
    case EMR_SETBKMODE: s_.bkMode = r.u32(8); break;
    case EMR_SETBKCOLOR: s_.bkColor = r.u32(8) & 0xFFFFFF; break;
    case EMR_SETTEXTCOLOR: s_.textColor = r.u32(8) & 0xFFFFFF; break;
    case EMR_SETTEXTALIGN: s_.textAlign = r.u32(8); break;
    case EMR_SETPOLYFILLMODE: s_.polyFillMode = r.u32(8); break;
    case EMR_MOVETOEX:
        s_.position = point32(r, 8);
        if (inPath_) {
            path_.push_back({s_.position});
            pathClosed_.push_back(false);
        }
        break;
    case EMR_LINETO: polyline({point32(r, 8)}, true); break;
    case EMR_RECTANGLE:
    case EMR_ELLIPSE:
    case EMR_ROUNDRECT: {
        const RectF rect{double(r.i32(8)), double(r.i32(12)), double(r.i32(16)), double(r.i32(20))};
        if (inPath_) {
            polygons({{{rect.left, rect.top}, {rect.right, rect.top}, {rect.right, rect.bottom}, {rect.left, rect.bottom}}});
        } else if (r.type() == EMR_RECTANGLE) {
            target_.drawRect(rect, s_.pen, s_.brush);
        } else if (r.type() == EMR_ELLIPSE) {
            target_.drawEllipse(rect, s_.pen, s_.brush);
        } else {
            target_.drawRoundRect(rect, r.i32(24) / 2.0, r.i32(28) / 2.0, s_.pen, s_.brush);
        }
        break;
    }
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE: arc(r, r.type()); break;
    case EMR_POLYGON: polygons({points(r, 24, 28, false)}); break;
    case EMR_POLYGON16: polygons({points(r, 24, 28, true)}); break;
    case EMR_POLYLINE: polyline(points(r, 24, 28, false), false); break;
    case EMR_POLYLINE16: polyline(points(r, 24, 28, true), false); break;
    case EMR_POLYLINETO: polyline(points(r, 24, 28, false), true); break;
    case EMR_POLYLINETO16: polyline(points(r, 24, 28, true), true); break;
    case EMR_POLYPOLYGON: polyPoly(r, false, true); break;
    case EMR_POLYPOLYGON16: polyPoly(r, true, true); break;
    case EMR_POLYPOLYLINE: polyPoly(r, false, false); break;
    case EMR_POLYPOLYLINE16: polyPoly(r, true, false); break;
    case EMR_POLYBEZIER: bezier(r, false, false); break;
    case EMR_POLYBEZIER16: bezier(r, true, false); break;
    case EMR_POLYBEZIERTO: bezier(r, false, true); break;
    case EMR_POLYBEZIERTO16: bezier(r, true, true); break;
    case EMR_BEGINPATH: inPath_ = true; path_.clear(); pathClosed_.clear(); break;
    case EMR_ENDPATH: inPath_ = false; break;
    case EMR_ABORTPATH: inPath_ = false; path_.clear(); pathClosed_.clear(); break;
    case EMR_CLOSEFIGURE:
        if (!pathClosed_.empty())
            pathClosed_.back() = true;
        break;
    case EMR_FILLPATH: strokeFillPath(false, true); break;
    case EMR_STROKEPATH: strokeFillPath(true, false); break;
    case EMR_STROKEANDFILLPATH: strokeFillPath(true, true); break;
    case EMR_EXTTEXTOUTW:
    case EMR_EXTTEXTOUTA: text(r, 36, r.type() == EMR_EXTTEXTOUTW, r.u32(24)); break;
    case EMR_POLYTEXTOUTW:
    case EMR_POLYTEXTOUTA: {
        const std::uint64_t n = r.u32(36);
        for (std::uint64_t i = 0; i < n && r.has(40 + i * 40, 40); ++i)
            text(r, static_cast<std::uint32_t>(40 + i * 40), r.type() == EMR_POLYTEXTOUTW, r.u32(24));
        break;
    }
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
    case EMR_STRETCHDIBITS:
    case EMR_SETDIBITSTODEVICE: blit(r, r.type()); break;
    case EMR_INTERSECTCLIPRECT:
        s_.clip = intersectClip(s_.clip, logicalRectToDevice(r.i32(8), r.i32(12), r.i32(16), r.i32(20)));
        applyClip();
        break;
    case EMR_EXCLUDECLIPRECT: {
        const RectF ex = logicalRectToDevice(r.i32(8), r.i32(12), r.i32(16), r.i32(20));
        // Excluding from "everything" needs a finite whole: the reference device.
        std::vector<RectF> whole = s_.clip.value_or(std::vector<RectF>{
            {-1e6, -1e6, 1e6 + header_.deviceCx, 1e6 + header_.deviceCy}});
        s_.clip = combineClip(whole, {ex}, RGN_DIFF);
        applyClip();
        break;
    }
    case EMR_OFFSETCLIPRGN:
        if (s_.clip) {
            const Matrix m = logicalToDevice();
            const double ox = r.i32(8) * m.m11, oy = r.i32(12) * m.m22;
            for (auto& c : *s_.clip) {
                c.left += ox; c.right += ox; c.top += oy; c.bottom += oy;
            }
            applyClip();
        }
        break;
    case EMR_EXTSELECTCLIPRGN: clipRegion(r); break;
    default: break; // palettes, colour management, comments and the like change nothing visible
    }
}

} // namespace playback

PlayResult playEmf(const TMetafile& page, RenderTarget& target, const RectF& dest)
{
    PlayResult result;
    if (page.Empty())
        return result;
    const EmfRecordList list = readEmfRecords(page.Bytes());
    playback::Player player(list.header, target, dest);
    for (const auto& r : list.records) {
        ++result.records;
        if (r.type() == EMR_EOF)
            break;
        if (r.type() != EMR_HEADER)
            player.play(r);
    }
    result.complete = list.complete;
    return result;
}

} // namespace zt::platform::gdi
