// Metafile pages: any bytes must parse, enumerate and play without a fault.
#include "FuzzErrors.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/EmfPlayer.h"
#include "platform/gdi/EmfReader.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using namespace zt::platform::gdi;

// Touches what it is given, so the sanitizers see every value the player produces.
class CheckingTarget final : public RenderTarget {
public:
    void setTransform(const Matrix&) override {}
    void setClip(const std::optional<std::vector<RectF>>& rects) override
    {
        if (rects && rects->size() > 100000)
            std::abort();
    }
    void drawRect(const RectF&, const PenSpec&, const BrushSpec&) override {}
    void drawEllipse(const RectF&, const PenSpec&, const BrushSpec&) override {}
    void drawRoundRect(const RectF&, double, double, const PenSpec&, const BrushSpec&) override {}
    void drawPolyline(const std::vector<PointF>&, const PenSpec&) override {}
    void drawPolygons(const std::vector<std::vector<PointF>>&, bool, const PenSpec&, const BrushSpec&) override {}
    void drawGlyphs(const GlyphRun& run) override
    {
        if (run.origins.size() != run.text.size() || !run.font)
            std::abort();
    }
    void drawImage(const RectF&, const Bitmap& image) override
    {
        if (image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
            std::abort();
    }
};

} // namespace

// fontconfig keeps its configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> bytes(data, data + size);
    try {
        const TMetafile page = TMetafile::FromBytes(bytes);
        (void)enumerateTexts(page);
        CheckingTarget target;
        playEmf(page, target, {0, 0, 794, 1123});
    } catch (const std::exception& e) {
        // not a metafile: the expected answer for most inputs
        zt::fuzz::acceptInputError(e);
    }
    return 0;
}
