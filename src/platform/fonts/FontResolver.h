#pragma once
// Face names to font files through fontconfig. The faces the documents name
// (Courier New, Arial, Times New Roman, the dialog faces) map to the
// metric-compatible Liberation families so that text breaks where it breaks
// on Windows.

#include "platform/fonts/FontCache.h"
#include "platform/fonts/FontService.h"

#include <ctime>
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
    // substitutes its default font. With a `cacheFile`, answers that still
    // hold are taken from it (see FontCache.h) and fontconfig is started
    // only for the rest; without one, the process's fontconfig
    // configuration answers every question.
    explicit FontResolver(std::string fallbackFamily = std::string(kFallbackFamily), std::string cacheFile = {});
    ~FontResolver();
    FontResolver(const FontResolver&) = delete;
    FontResolver& operator=(const FontResolver&) = delete;

    // Throws PlatformError naming the face when neither the face nor the
    // fallback yields an existing file.
    ResolvedFace resolve(const std::string& face, bool bold, bool italic) const;

    // The family asked of fontconfig for a face name: its metric-compatible
    // stand-in, or the name itself.
    static std::string familyFor(std::string_view face);

    // Whether this resolver has started fontconfig (to tell a run the cache
    // answered from one that needed fontconfig).
    bool startedFontconfig() const;

    // The hinted advances the cache holds for a face's file, when it holds.
    std::vector<CachedAdvances> keptAdvances(const std::string& file, int index) const;
    // Adds advances measured in this run to the cache and writes it when any
    // are new, provided their files are still the ones its stamps describe.
    void keepAdvances(const std::vector<CachedAdvances>& measured) const;

private:
    // The caller holds mutex_.
    std::optional<ResolvedFace> lookup(const std::string& family, bool bold, bool italic) const;
    std::optional<ResolvedFace> match(const std::string& family, bool bold, bool italic) const;
    void startFontconfig() const;
    void loadCache() const;
    void remember(const std::string& family, bool bold, bool italic, const std::optional<ResolvedFace>& face) const;
    std::vector<PathStamp> configurationStamps() const;

    std::string fallback_;
    std::string cacheFile_;
    mutable _FcConfig* config_ = nullptr;
    // The cache as read, kept only while its answers hold.
    mutable bool cacheRead_ = false;
    mutable std::optional<FontCacheContents> cache_;
    // Whether cache_ may be written: not when a path changed while
    // fontconfig loaded.
    mutable bool cacheWritable_ = false;
    // When this resolver's fontconfig configuration was loaded: a path that
    // changed since then may already differ from what fontconfig saw, so its
    // answers are not kept.
    mutable timespec loadedAt_{};
    // fontconfig pattern matching on a shared config is not documented as
    // thread-safe, so one lookup at a time.
    mutable std::mutex mutex_;
};

// ASCII lower case, for the case-insensitive comparison of face names.
std::string foldFaceName(std::string_view name);

} // namespace zt::platform
