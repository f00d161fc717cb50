#pragma once
// Breaking a text into the lines a label or memo prints. Widths are measured
// at screen resolution: the extent of the text plus 1, scaled by the zoom,
// compared with the printable's width in pixels. Extents are sums of
// character advances, so the width of a line plus a word is the sum of both
// extents and nothing is measured twice.

#include "base/QRTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace zt::report {

// The extent of a text in screen pixels (no +1, no zoom).
class TQRExtentSource {
public:
    virtual ~TQRExtentSource() = default;
    virtual int Extent(std::string_view utf8) const = 0;
};

struct TQRWrapRules {
    int PixelWidth = 0;
    int Zoom = 100;
    TWrapStyle WrapStyle = TWrapStyle::BreakOnSpaces;
    bool WordWrap = true;
    bool AutoSize = false;
};

class TQRTextWrapper {
public:
    TQRTextWrapper(const TQRExtentSource& extents, const TQRWrapRules& rules) : FExtents(extents), FRules(rules) {}

    // Appends the formatted lines of one text: line feeds are removed and
    // every piece between carriage returns is wrapped on its own.
    void WrapText(std::string_view text, std::vector<std::string>& out) const;

    // The measured width of a text (extent + 1, zoomed).
    int Measured(std::string_view utf8) const { return measuredOf(FExtents.Extent(utf8)); }

private:
    int measuredOf(int extent) const;
    void wrapPiece(std::string_view piece, std::vector<std::string>& out) const;
    void wrapAnywhere(std::string_view piece, std::vector<std::string>& out) const;
    void wrapOnSpaces(std::string_view piece, std::vector<std::string>& out) const;
    // The longest prefix of `word` whose measured width, added to an extent
    // of `base`, satisfies the limit (below it when `strict`, else not above).
    std::size_t fittingPrefix(std::string_view word, int base, bool strict) const;

    const TQRExtentSource& FExtents;
    TQRWrapRules FRules;
};

// The byte length of the UTF-8 sequence that starts with `lead` (1 for a
// stray continuation byte, so every byte is consumed once).
std::size_t Utf8SequenceLength(unsigned char lead);

} // namespace zt::report
