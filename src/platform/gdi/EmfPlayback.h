#pragma once
// The metafile player's state and its record handlers, shared by the files
// that implement them (EmfPlayer.cpp: transforms, objects, shapes, the record
// switch; EmfPlayerText.cpp: text and pictures). Not for use elsewhere:
// playEmf (EmfPlayer.h) is the interface.

#include "platform/gdi/EmfPlayer.h"
#include "platform/gdi/EmfReader.h"
#include "platform/gdi/EmfRecords.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace zt::platform::gdi::playback {

constexpr std::size_t kMaxObjects = 65536;
constexpr std::size_t kMaxSavedStates = 4096;

struct Object {
    enum class Kind { None, Pen, Brush, Font } kind = Kind::None;
    PenSpec pen;
    BrushSpec brush;
    LogFont font;
};

// The stock fonts' logical fonts.
LogFont stockFont(std::uint32_t stock);


struct DcState {
    PenSpec pen;                       // BLACK_PEN
    BrushSpec brush;                   // WHITE_BRUSH
    LogFont font = stockFont(SYSTEM_FONT);
    ColorRef textColor = 0;
    ColorRef bkColor = 0xFFFFFF;
    std::uint32_t bkMode = OPAQUE;
    std::uint32_t textAlign = TA_LEFT | TA_TOP;
    std::uint32_t polyFillMode = ALTERNATE;
    std::uint32_t mapMode = MM_TEXT;
    PointF windowOrg{0, 0}, windowExt{1, 1}, viewportOrg{0, 0}, viewportExt{1, 1};
    Matrix world;
    PointF position;
    std::optional<std::vector<RectF>> clip;  // reference-device pixels
};

class Player {
public:
    Player(const EmfHeaderInfo& header, RenderTarget& target, const RectF& dest) : header_(header), target_(target)
    {
        objects_.resize(std::min<std::size_t>(std::max<std::size_t>(header.handles, 1), kMaxObjects));
        // The frame (0.01 mm) in reference pixels is what maps onto `dest`.
        const double pxPerMmX = header.millimetersCx > 0 ? double(header.deviceCx) / header.millimetersCx : 96 / 25.4;
        const double pxPerMmY = header.millimetersCy > 0 ? double(header.deviceCy) / header.millimetersCy : 96 / 25.4;
        double fl = header.frame.left * pxPerMmX / 100, ft = header.frame.top * pxPerMmY / 100;
        // Differences in double: a hostile header's corners may be far apart.
        double fw = (double(header.frame.right) - header.frame.left) * pxPerMmX / 100;
        double fh = (double(header.frame.bottom) - header.frame.top) * pxPerMmY / 100;
        if (!(fw > 0) || !(fh > 0)) {
            fl = header.bounds.left;
            ft = header.bounds.top;
            fw = std::max(1.0, double(header.bounds.right) - header.bounds.left + 1);
            fh = std::max(1.0, double(header.bounds.bottom) - header.bounds.top + 1);
        }
        // The frame is kept in 0.01 mm; a frame made from whole pixels comes back a
        // hair off them, which would blur every edge of the picture.
        const double tolX = pxPerMmX / 200 + 1e-6, tolY = pxPerMmY / 200 + 1e-6;
        for (auto [v, tol] : {std::pair{&fl, tolX}, {&fw, tolX}, {&ft, tolY}, {&fh, tolY}})
            if (std::abs(*v - std::round(*v)) <= tol)
                *v = std::round(*v);
        const double sx = dest.width() / fw, sy = dest.height() / fh;
        deviceToTarget_ = {sx, 0, 0, sy, dest.left - fl * sx, dest.top - ft * sy};
        pxPerMmX_ = pxPerMmX;
        pxPerMmY_ = pxPerMmY;
        applyTransform();
        target_.setClip(std::nullopt);
    }

    void play(const EmfRecordView& r);

private:
    Matrix pageMatrix() const;
    Matrix logicalToDevice() const { return s_.world.then(pageMatrix()); }
    void applyTransform() { target_.setTransform(logicalToDevice().then(deviceToTarget_)); }
    void applyClip();
    RectF logicalRectToDevice(double l, double t, double r, double b) const;

    PointF point32(const EmfRecordView& r, std::uint32_t off) const { return {double(r.i32(off)), double(r.i32(off + 4))}; }
    PointF point16(const EmfRecordView& r, std::uint32_t off) const { return {double(r.i16(off)), double(r.i16(off + 2))}; }
    std::vector<PointF> points(const EmfRecordView& r, std::uint32_t countOff, std::uint32_t firstOff, bool small) const;

    void createPen(const EmfRecordView& r);
    void createExtPen(const EmfRecordView& r);
    void createBrush(const EmfRecordView& r);
    void createPatternBrush(const EmfRecordView& r);
    void createFont(const EmfRecordView& r);
    Object* objectAt(std::uint32_t index);
    void selectObject(std::uint32_t index);

    void polyline(std::vector<PointF> pts, bool fromCurrent);
    void polygons(std::vector<std::vector<PointF>> polys);
    void polyPoly(const EmfRecordView& r, bool small, bool closed);
    void bezier(const EmfRecordView& r, bool small, bool fromCurrent);
    void arc(const EmfRecordView& r, std::uint32_t type);
    void text(const EmfRecordView& r, std::uint32_t emrText, bool wide, std::uint32_t graphicsMode);
    void blit(const EmfRecordView& r, std::uint32_t type);
    void clipRegion(const EmfRecordView& r);
    void strokeFillPath(bool stroke, bool fill);

    const EmfHeaderInfo& header_;
    RenderTarget& target_;
    Matrix deviceToTarget_;
    double pxPerMmX_ = 96 / 25.4, pxPerMmY_ = 96 / 25.4;
    DcState s_;
    std::vector<DcState> saved_;
    std::vector<Object> objects_;
    bool inPath_ = false;
    std::vector<std::vector<PointF>> path_;
    std::vector<bool> pathClosed_;
};


} // namespace zt::platform::gdi::playback
