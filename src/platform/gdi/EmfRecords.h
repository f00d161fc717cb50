#pragma once
// Enhanced-metafile record types and the GDI constants the recorder writes
// and the player understands (MS-EMF).

#include <cstdint>

namespace zt::platform::gdi {

enum EmrType : std::uint32_t {
    EMR_HEADER = 1,
    EMR_POLYBEZIER = 2,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYBEZIERTO = 5,
    EMR_POLYLINETO = 6,
    EMR_POLYPOLYLINE = 7,
    EMR_POLYPOLYGON = 8,
    EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTEXTEX = 11,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_SETBRUSHORGEX = 13,
    EMR_EOF = 14,
    EMR_SETPIXELV = 15,
    EMR_SETMAPPERFLAGS = 16,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETROP2 = 20,
    EMR_SETSTRETCHBLTMODE = 21,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_OFFSETCLIPRGN = 26,
    EMR_MOVETOEX = 27,
    EMR_SETMETARGN = 28,
    EMR_EXCLUDECLIPRECT = 29,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SCALEVIEWPORTEXTEX = 31,
    EMR_SCALEWINDOWEXTEX = 32,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SETWORLDTRANSFORM = 35,
    EMR_MODIFYWORLDTRANSFORM = 36,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ROUNDRECT = 44,
    EMR_ARC = 45,
    EMR_CHORD = 46,
    EMR_PIE = 47,
    EMR_LINETO = 54,
    EMR_BEGINPATH = 59,
    EMR_ENDPATH = 60,
    EMR_CLOSEFIGURE = 61,
    EMR_FILLPATH = 62,
    EMR_STROKEANDFILLPATH = 63,
    EMR_STROKEPATH = 64,
    EMR_SELECTCLIPPATH = 67,
    EMR_ABORTPATH = 68,
    EMR_GDICOMMENT = 70,
    EMR_EXTSELECTCLIPRGN = 75,
    EMR_BITBLT = 76,
    EMR_STRETCHBLT = 77,
    EMR_SETDIBITSTODEVICE = 80,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTA = 83,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYBEZIER16 = 85,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_POLYBEZIERTO16 = 88,
    EMR_POLYLINETO16 = 89,
    EMR_POLYPOLYLINE16 = 90,
    EMR_POLYPOLYGON16 = 91,
    EMR_EXTCREATEPEN = 95,
    EMR_POLYTEXTOUTA = 96,
    EMR_POLYTEXTOUTW = 97,
};

// Stock objects are referred to with the high bit set.
inline constexpr std::uint32_t kStockObject = 0x80000000u;
enum StockObject : std::uint32_t {
    WHITE_BRUSH = 0,
    LTGRAY_BRUSH = 1,
    GRAY_BRUSH = 2,
    DKGRAY_BRUSH = 3,
    BLACK_BRUSH = 4,
    NULL_BRUSH = 5,
    WHITE_PEN = 6,
    BLACK_PEN = 7,
    NULL_PEN = 8,
    OEM_FIXED_FONT = 10,
    ANSI_FIXED_FONT = 11,
    ANSI_VAR_FONT = 12,
    SYSTEM_FONT = 13,
    DEVICE_DEFAULT_FONT = 14,
    DEFAULT_PALETTE = 15,
    SYSTEM_FIXED_FONT = 16,
    DEFAULT_GUI_FONT = 17,
    DC_BRUSH = 18,
    DC_PEN = 19,
};

// Pen styles.
enum : std::uint32_t {
    PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5, PS_INSIDEFRAME = 6,
    PS_STYLE_MASK = 0x0F,
};
// Brush styles and hatches.
enum : std::uint32_t { BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2 };
enum : std::uint32_t {
    HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3, HS_CROSS = 4, HS_DIAGCROSS = 5,
};
// Background modes.
enum : std::uint32_t { TRANSPARENT = 1, OPAQUE = 2 };
// Text alignment flags.
enum : std::uint32_t {
    TA_NOUPDATECP = 0, TA_UPDATECP = 1,
    TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6,
    TA_TOP = 0, TA_BOTTOM = 8, TA_BASELINE = 24,
    TA_RTLREADING = 256,
};
// Text output options.
enum : std::uint32_t { ETO_OPAQUE = 0x0002, ETO_CLIPPED = 0x0004, ETO_GLYPH_INDEX = 0x0010, ETO_PDY = 0x2000 };
// Graphics modes.
enum : std::uint32_t { GM_COMPATIBLE = 1, GM_ADVANCED = 2 };
// Map modes.
enum : std::uint32_t {
    MM_TEXT = 1, MM_LOMETRIC = 2, MM_HIMETRIC = 3, MM_LOENGLISH = 4, MM_HIENGLISH = 5, MM_TWIPS = 6,
    MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8,
};
// World-transform modification modes.
enum : std::uint32_t { MWT_IDENTITY = 1, MWT_LEFTMULTIPLY = 2, MWT_RIGHTMULTIPLY = 3, MWT_SET = 4 };
// Region combination modes.
enum : std::uint32_t { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
// Polygon fill modes.
enum : std::uint32_t { ALTERNATE = 1, WINDING = 2 };
// Raster operations.
enum : std::uint32_t { SRCCOPY = 0x00CC0020, PATCOPY = 0x00F00021, BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062 };
enum : std::uint32_t { DIB_RGB_COLORS = 0 };

// Colours are 0x00BBGGRR.
using ColorRef = std::uint32_t;
inline constexpr ColorRef rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return ColorRef(r) | ColorRef(g) << 8 | ColorRef(b) << 16;
}
inline constexpr std::uint8_t redOf(ColorRef c) { return static_cast<std::uint8_t>(c); }
inline constexpr std::uint8_t greenOf(ColorRef c) { return static_cast<std::uint8_t>(c >> 8); }
inline constexpr std::uint8_t blueOf(ColorRef c) { return static_cast<std::uint8_t>(c >> 16); }

// Fixed sizes of the records the recorder writes.
inline constexpr std::uint32_t kHeaderRecordSize = 108;
inline constexpr std::uint32_t kFontRecordSize = 368;     // with the full LOGFONTEXDV form
inline constexpr std::uint32_t kLogFontWSize = 92;
inline constexpr std::uint32_t kExtTextOutFixedSize = 76;
inline constexpr std::uint32_t kDesignVectorSignature = 0x08007664;

} // namespace zt::platform::gdi
