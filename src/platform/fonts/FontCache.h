#pragma once
// The font resolutions of earlier runs, kept in a small file so that a run
// whose fonts, font configuration and environment are as they were need not
// start fontconfig (reading its configuration and caches is most of a short
// batch run). The file records what its answers depend on: the environment
// fontconfig reads, and the identity, size and times of every configuration
// file, configuration folder, font folder, cache folder and font file it
// used. Any difference, and any file that is not whole, sends the resolver
// back to fontconfig.

#include "platform/fonts/FontService.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zt::platform {

// What a path was when the answers were found: missing, or its identity,
// size and times (the change time catches a rewrite that restores the
// modification time).
struct PathStamp {
    std::string path;
    bool present = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    bool operator==(const PathStamp&) const = default;
};

PathStamp stampOf(const std::string& path);

// One variable fontconfig reads; no value: unset.
struct EnvValue {
    std::string name;
    std::optional<std::string> value;

    bool operator==(const EnvValue&) const = default;
};

// The variables whose values change fontconfig's answers (its files and
// folders, the home and XDG folders they are found in, the languages the
// match prefers), and the program's name, which its rules may match on.
std::vector<EnvValue> currentFontEnvironment();

// One question put to fontconfig: a family in a style, and the face it
// gave, or none when it has no face of that family.
struct CachedMatch {
    std::string family;
    bool bold = false;
    bool italic = false;
    std::optional<ResolvedFace> face;  // `requested` is not kept
};

// The hinted advances measured on one face of a file at one pixel size, by
// glyph: running a font's instructions for every glyph is most of what is
// left of a short run once fontconfig is not started.
struct CachedAdvances {
    std::string file;
    int index = 0;
    int ppem = 0;
    std::map<std::uint32_t, int> advances;

    bool operator==(const CachedAdvances&) const = default;
};

struct FontCacheContents {
    std::vector<EnvValue> environment;
    std::vector<PathStamp> stamps;
    std::vector<CachedMatch> matches;
    std::vector<CachedAdvances> advances;

    const CachedMatch* find(std::string_view family, bool bold, bool italic) const;
    // The stamp of a path, when it was present.
    const PathStamp* presentStamp(std::string_view path) const;
};

// Refuses nothing that parseFontCache accepts; nullopt when a name, value or
// path holds a character the format cannot carry (such answers are not kept).
std::optional<std::string> serializeFontCache(const FontCacheContents& contents);

// A file this program wrote, whole: its checksum holds, every field is well
// formed and every face's file (of a match or of advances) has a stamp.
// nullopt for anything else.
std::optional<FontCacheContents> parseFontCache(std::string_view bytes);

// True when the environment is the one given and every stamp still holds.
bool cacheStillHolds(const FontCacheContents& contents, const std::vector<EnvValue>& environment);

// $XDG_CACHE_HOME/zettelino/schriften.cache (~/.cache/... without it); empty
// when neither is known.
std::string defaultFontCacheFile();

// The file's contents when it is there, not larger than a cache can be, and
// a regular file; nullopt otherwise.
std::optional<std::string> readFontCacheFile(const std::string& path);

// Writes the file privately (folder 0700, file 0600) through a temporary
// file renamed over it, so a reader sees the old file or the new one. No
// fsync: a file lost in a crash only costs one fontconfig start, and a torn
// one fails its checksum. False when it could not be written.
bool writeFontCacheFile(const std::string& path, std::string_view bytes);

} // namespace zt::platform
