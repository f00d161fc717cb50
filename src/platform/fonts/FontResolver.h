#pragma once
// Face names to font files through fontconfig. The faces the documents name
// (Courier New, Arial, Times New Roman, the dialog faces) map to the
// metric-compatible Liberation families so that text breaks where it breaks
// on Windows.

#include "platform/fonts/FontService.h"

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

struct _FcConfig;

namespace zt::platform {

inline constexpr std::string_view kFallbackFamily = "Liberation Sans";

class FontResolver {
public:
    // `fallbackFamily` stands in for faces fontconfig does not have, as GDI
    // substitutes its default font.
    explicit FontResolver(std::string fallbackFamily = std::string(kFallbackFamily));
    ~FontResolver();
    FontResolver(const FontResolver&) = delete;
    FontResolver& operator=(const FontResolver&) = delete;

    // Throws PlatformError naming the face when neither the face nor the
    // fallback yields an existing file.
    ResolvedFace resolve(const std::string& face, bool bold, bool italic) const;

    // The family asked of fontconfig for a face name: its metric-compatible
    // stand-in, or the name itself.
    static std::string familyFor(std::string_view face);

private:
    std::optional<ResolvedFace> match(const std::string& family, bool bold, bool italic) const;

    std::string fallback_;
    _FcConfig* config_ = nullptr;
    // fontconfig pattern matching on a shared config is not documented as
    // thread-safe, so one lookup at a time.
    mutable std::mutex mutex_;
};

// ASCII lower case, for the case-insensitive comparison of face names.
std::string foldFaceName(std::string_view name);

} // namespace zt::platform
