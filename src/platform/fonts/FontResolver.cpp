#include "platform/fonts/FontResolver.h"

#include "platform/text/AsciiCase.h"

#include "platform/core/PlatformError.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <dlfcn.h>
#include <iterator>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <utility>

namespace zt::platform {

namespace {

struct StandIn {
    std::string_view face;     // folded
    std::string_view family;
};

// Liberation Mono/Sans/Serif share the advance widths and vertical metrics of
// these faces; the dialog faces are sans faces of similar widths.
constexpr std::array<StandIn, 10> kStandIns = {{
    {"courier new", "Liberation Mono"},
    {"arial", "Liberation Sans"},
    {"times new roman", "Liberation Serif"},
    {"ms sans serif", "Liberation Sans"},
    {"microsoft sans serif", "Liberation Sans"},
    {"segoe ui", "Liberation Sans"},
    {"tahoma", "Liberation Sans"},
    {"system", "Liberation Sans"},
    {"ms shell dlg", "Liberation Sans"},
    {"ms shell dlg 2", "Liberation Sans"},
}};

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

bool isReadableFile(const char* path)
{
    struct stat st {};
    return ::stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

// The clock file times are taken from; a change after a reading of it has
// a time at or after that reading.
timespec fileClockNow()
{
    timespec t{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &t);
    return t;
}

std::int64_t nanosecondsOf(const timespec& t)
{
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

void addAll(FcStrList* list, std::set<std::string>& paths)
{
    if (list == nullptr)
        return;
    while (FcChar8* s = FcStrListNext(list))
        paths.insert(reinterpret_cast<const char*>(s));
    FcStrListDone(list);
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

} // namespace

std::string foldFaceName(std::string_view name)
{
    return text::asciiLower(name);
}

std::string FontResolver::familyFor(std::string_view face)
{
    const std::string folded = foldFaceName(face);
    for (const StandIn& s : kStandIns)
        if (s.face == folded)
            return std::string(s.family);
    return std::string(face);
}

FontResolver::FontResolver(std::string fallbackFamily, std::string cacheFile)
    : fallback_(std::move(fallbackFamily)), cacheFile_(std::move(cacheFile))
{
}

FontResolver::~FontResolver()
{
    if (config_)
        FcConfigDestroy(config_);
}

bool FontResolver::startedFontconfig() const
{
    std::lock_guard lock(mutex_);
    return config_ != nullptr;
}

void FontResolver::startFontconfig() const
{
    if (config_)
        return;
    if (cacheFile_.empty()) {
        // A reference to the default configuration: loading a private one
        // costs a rescan of the font cache per resolver.
        config_ = FcConfigReference(nullptr);
    } else {
        // A configuration of its own, loaded now: the default one may have
        // been loaded long ago (by the toolkit), and what is kept must
        // answer as a configuration loaded at the time of its stamps.
        loadedAt_ = fileClockNow();
        config_ = FcInitLoadConfigAndFonts();
    }
    if (!config_)
        throw PlatformError(ErrorKind::SystemFailure, "Die Schriftkonfiguration kann nicht geladen werden");
}

void FontResolver::loadCache() const
{
    cacheRead_ = true;
    const std::optional<std::string> bytes = readFontCacheFile(cacheFile_);
    if (!bytes)
        return;
    cache_ = parseFontCache(*bytes);
    if (cache_ && !cacheStillHolds(*cache_, currentFontEnvironment()))
        cache_.reset();
    cacheWritable_ = cache_.has_value();
}

std::vector<PathStamp> FontResolver::configurationStamps() const
{
    std::set<std::string> paths;
    std::set<std::string> configFiles;
    addAll(FcConfigGetConfigFiles(config_), configFiles);
    for (const std::string& file : configFiles) {
        paths.insert(file);
        // A file added beside it (conf.d) changes its folder.
        paths.insert(folderOf(file));
    }
    // Where the stock configuration looks for the user's own, present or not.
    std::string configHome;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/')
        configHome = xdg;
    const char* home = std::getenv("HOME");
    if (configHome.empty() && home != nullptr && home[0] == '/')
        configHome = std::string(home) + "/.config";
    if (!configHome.empty())
        for (const char* tail : {"", "/fontconfig", "/fontconfig/conf.d", "/fontconfig/fonts.conf"})
            paths.insert(configHome + tail);
    if (home != nullptr && home[0] == '/')
        for (const char* tail : {"/.fonts.conf", "/.fonts.conf.d", "/.fonts"})
            paths.insert(std::string(home) + tail);
    addAll(FcConfigGetConfigDirs(config_), paths);
    addAll(FcConfigGetFontDirs(config_), paths);
    addAll(FcConfigGetCacheDirs(config_), paths);
    // Another fontconfig may answer otherwise, another FreeType hint otherwise.
    for (void* symbol : {reinterpret_cast<void*>(&FcFontMatch), reinterpret_cast<void*>(&FT_Load_Glyph)}) {
        Dl_info library{};
        if (::dladdr(symbol, &library) != 0 && library.dli_fname != nullptr && library.dli_fname[0] == '/')
            paths.insert(library.dli_fname);
    }

    std::vector<PathStamp> stamps;
    for (const std::string& path : paths)
        if (!path.empty() && path.front() == '/')
            stamps.push_back(stampOf(path));
    return stamps;
}

void FontResolver::remember(const std::string& family, bool bold, bool italic,
                            const std::optional<ResolvedFace>& face) const
{
    FontCacheContents next;
    next.environment = currentFontEnvironment();
    // The answers read earlier stay when nothing they rest on has changed.
    if (cache_ && cacheStillHolds(*cache_, next.environment)) {
        next.matches = cache_->matches;
        next.advances = cache_->advances;
    }
    CachedMatch asked{family, bold, italic, face};
    if (asked.face)
        asked.face->requested.clear();
    next.matches.push_back(std::move(asked));
    next.stamps = configurationStamps();
    std::set<std::string> stamped;
    for (const PathStamp& s : next.stamps)
        stamped.insert(s.path);
    for (const CachedMatch& m : next.matches)
        if (m.face && stamped.insert(m.face->file).second)
            next.stamps.push_back(stampOf(m.face->file));
    for (const CachedAdvances& a : next.advances)
        if (stamped.insert(a.file).second)
            next.stamps.push_back(stampOf(a.file));
    cache_ = next;
    // What changed while or after fontconfig read it may differ from its
    // answers; such answers are kept for this run only. Its cache folders
    // are its own to write while it loads (a folder it scanned anew).
    std::set<std::string> cacheDirs;
    addAll(FcConfigGetCacheDirs(config_), cacheDirs);
    const std::int64_t loaded = nanosecondsOf(loadedAt_);
    cacheWritable_ = std::none_of(next.stamps.begin(), next.stamps.end(), [&](const PathStamp& s) {
        return s.present && (s.changedNs >= loaded || s.modifiedNs >= loaded) && !cacheDirs.count(s.path);
    });
    if (!cacheWritable_)
        return;
    if (const std::optional<std::string> bytes = serializeFontCache(next))
        writeFontCacheFile(cacheFile_, *bytes);
}

std::vector<CachedAdvances> FontResolver::keptAdvances(const std::string& file, int index) const
{
    std::lock_guard lock(mutex_);
    if (cacheFile_.empty())
        return {};
    if (!cacheRead_)
        loadCache();
    std::vector<CachedAdvances> kept;
    if (cache_)
        for (const CachedAdvances& a : cache_->advances)
            if (a.file == file && a.index == index)
                kept.push_back(a);
    return kept;
}

void FontResolver::keepAdvances(const std::vector<CachedAdvances>& measured) const
{
    std::lock_guard lock(mutex_);
    if (cacheFile_.empty() || !cache_ || !cacheWritable_)
        return;
    bool added = false;
    for (const CachedAdvances& m : measured) {
        // Only for a file as its stamp describes it, now that it has been read.
        const PathStamp* stamp = cache_->presentStamp(m.file);
        if (m.advances.empty() || stamp == nullptr || stampOf(m.file) != *stamp)
            continue;
        auto it = std::find_if(cache_->advances.begin(), cache_->advances.end(), [&](const CachedAdvances& a) {
            return a.file == m.file && a.index == m.index && a.ppem == m.ppem;
        });
        if (it == cache_->advances.end()) {
            cache_->advances.push_back({m.file, m.index, m.ppem, {}});
            it = std::prev(cache_->advances.end());
        }
        for (const auto& [glyph, advance] : m.advances)
            added |= it->advances.emplace(glyph, advance).second;
    }
    if (!added)
        return;
    if (const std::optional<std::string> bytes = serializeFontCache(*cache_))
        writeFontCacheFile(cacheFile_, *bytes);
}

std::optional<ResolvedFace> FontResolver::lookup(const std::string& family, bool bold, bool italic) const
{
    if (family.empty())
        return std::nullopt;
    if (!cacheFile_.empty()) {
        if (!cacheRead_)
            loadCache();
        if (cache_)
            if (const CachedMatch* m = cache_->find(family, bold, italic))
                return m->face;
    }
    startFontconfig();
    std::optional<ResolvedFace> face = match(family, bold, italic);
    if (!cacheFile_.empty())
        remember(family, bold, italic, face);
    return face;
}

std::optional<ResolvedFace> FontResolver::match(const std::string& family, bool bold, bool italic) const
{
    if (family.empty())
        return std::nullopt;
    PatternPtr pattern(FcPatternCreate());
    if (!pattern)
        return std::nullopt;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    // Outline fonts only: the metrics are computed from TrueType tables.
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);

    if (!FcConfigSubstitute(config_, pattern.get(), FcMatchPattern))
        return std::nullopt;
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr found(FcFontMatch(config_, pattern.get(), &result));
    if (!found || result != FcResultMatch)
        return std::nullopt;

    // fontconfig always answers with something; only a font of the asked
    // family counts, so that unknown faces take the fallback below.
    const std::string wanted = foldFaceName(family);
    std::string matchedFamily;
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(found.get(), FC_FAMILY, i, &value) == FcResultMatch; ++i) {
        const std::string name(reinterpret_cast<const char*>(value));
        if (foldFaceName(name) == wanted) {
            matchedFamily = name;
            break;
        }
    }
    if (matchedFamily.empty())
        return std::nullopt;

    FcChar8* file = nullptr;
    if (FcPatternGetString(found.get(), FC_FILE, 0, &file) != FcResultMatch || !file
        || !isReadableFile(reinterpret_cast<const char*>(file)))
        return std::nullopt;

    ResolvedFace face;
    face.family = matchedFamily;
    face.file = reinterpret_cast<const char*>(file);
    int index = 0;
    if (FcPatternGetInteger(found.get(), FC_INDEX, 0, &index) == FcResultMatch)
        face.index = index;
    // The style of the file itself: the match carries the weight and slant
    // that fontconfig's synthetic-style rules assign to a regular file they
    // plan to embolden or slant, and GDI's own emboldening depends on
    // whether the file is bold.
    const FcPattern* style = found.get();
    PatternPtr query(FcPatternBuild(nullptr, FC_FILE, FcTypeString, file, FC_INDEX, FcTypeInteger, face.index,
                                    static_cast<char*>(nullptr)));
    FcObjectSet* objects = FcObjectSetBuild(FC_WEIGHT, FC_SLANT, static_cast<char*>(nullptr));
    FcFontSet* listed = query && objects ? FcFontList(config_, query.get(), objects) : nullptr;
    if (objects)
        FcObjectSetDestroy(objects);
    if (listed && listed->nfont > 0)
        style = listed->fonts[0];
    int weight = FC_WEIGHT_REGULAR;
    if (FcPatternGetInteger(style, FC_WEIGHT, 0, &weight) == FcResultMatch)
        face.bold = FcWeightToOpenType(weight) >= 600;
    int slant = FC_SLANT_ROMAN;
    if (FcPatternGetInteger(style, FC_SLANT, 0, &slant) == FcResultMatch)
        face.italic = slant != FC_SLANT_ROMAN;
    if (listed)
        FcFontSetDestroy(listed);
    return face;
}

ResolvedFace FontResolver::resolve(const std::string& face, bool bold, bool italic) const
{
    std::lock_guard lock(mutex_);
    std::optional<ResolvedFace> found = lookup(familyFor(face), bold, italic);
    if (!found && foldFaceName(fallback_) != foldFaceName(familyFor(face)))
        found = lookup(fallback_, bold, italic);
    if (!found)
        throw PlatformError(ErrorKind::SystemFailure, "Font \"" + face + "\" cannot be found");
    found->requested = face;
    return *found;
}

} // namespace zt::platform
