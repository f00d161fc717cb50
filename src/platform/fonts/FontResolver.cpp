#include "platform/fonts/FontResolver.h"

#include "platform/text/AsciiCase.h"

#include "platform/core/PlatformError.h"

#include <fontconfig/fontconfig.h>

#include <array>
#include <memory>
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

FontResolver::FontResolver(std::string fallbackFamily) : fallback_(std::move(fallbackFamily))
{
    // A reference to the default configuration: loading a private one costs
    // a rescan of the font cache per resolver.
    config_ = FcConfigReference(nullptr);
    if (!config_)
        throw PlatformError(ErrorKind::SystemFailure, "Die Schriftkonfiguration kann nicht geladen werden");
}

FontResolver::~FontResolver()
{
    FcConfigDestroy(config_);
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

    std::lock_guard lock(mutex_);
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
    std::optional<ResolvedFace> found = match(familyFor(face), bold, italic);
    if (!found && foldFaceName(fallback_) != foldFaceName(familyFor(face)))
        found = match(fallback_, bold, italic);
    if (!found)
        throw PlatformError(ErrorKind::SystemFailure, "Font \"" + face + "\" cannot be found");
    found->requested = face;
    return *found;
}

} // namespace zt::platform
