#include "platform/fonts/FontCache.h"

#include "platform/files/FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zt::platform {

namespace {

constexpr std::string_view kHeader = "ZTFONTCACHE\t1\n";
constexpr std::string_view kChecksumTag = "Z\t";
// Far above what the resolver keeps (it asks for a handful of faces; a
// system has a few hundred font folders); a larger file is not one of ours.
constexpr std::size_t kMaxFileSize = 1 << 20;
constexpr std::size_t kMaxStamps = 8192;
constexpr std::size_t kMaxMatches = 512;
constexpr std::size_t kMaxEnvironment = 64;
constexpr std::size_t kMaxAdvanceRecords = 512;
constexpr std::size_t kMaxAdvancesPerRecord = 65536;

constexpr const char* kFontEnvironment[] = {
    "FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "HOME",     "XDG_CONFIG_HOME", "XDG_DATA_HOME",
    "XDG_CACHE_HOME",  "XDG_DATA_DIRS",   "FC_LANG",            "LANGUAGE", "LC_ALL",          "LC_CTYPE",
    "LANG",            "FREETYPE_PROPERTIES",
};
// Not a variable: the program name fontconfig's rules can match on.
constexpr std::string_view kProgramEntry = ":program";

std::uint64_t fnv1a(std::string_view bytes)
{
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001B3ull;
    }
    return h;
}

std::int64_t nanoseconds(const timespec& t)
{
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// A field the format can carry: fields are separated by tabs, records by
// line feeds.
bool carriable(std::string_view s)
{
    return s.find_first_of(std::string_view("\t\n\0", 3)) == std::string_view::npos;
}

bool absolutePath(std::string_view s)
{
    return !s.empty() && s.front() == '/' && carriable(s);
}

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    fields.reserve(8); // no record has more: one allocation a line
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

// Only the way std::to_string writes a number, so a file reads back as it
// was written.
template <class T>
bool parseNumber(std::string_view s, T& out)
{
    const std::string_view digits = !s.empty() && s.front() == '-' ? s.substr(1) : s;
    if (digits.empty() || (digits.front() == '0' && s != "0"))
        return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

bool parseFlag(std::string_view s, bool& out)
{
    if (s != "0" && s != "1")
        return false;
    out = s == "1";
    return true;
}

char flag(bool v)
{
    return v ? '1' : '0';
}

bool parseStamp(const std::vector<std::string_view>& f, PathStamp& stamp)
{
    if (f.size() < 3 || !absolutePath(f[1]) || !parseFlag(f[2], stamp.present))
        return false;
    stamp.path = std::string(f[1]);
    if (!stamp.present)
        return f.size() == 3;
    return f.size() == 8 && parseNumber(f[3], stamp.device) && parseNumber(f[4], stamp.inode) &&
           parseNumber(f[5], stamp.size) && parseNumber(f[6], stamp.modifiedNs) &&
           parseNumber(f[7], stamp.changedNs);
}

bool parseMatch(const std::vector<std::string_view>& f, CachedMatch& match)
{
    bool found = false;
    if (f.size() < 5 || f[1].empty() || !carriable(f[1]) || !parseFlag(f[2], match.bold) ||
        !parseFlag(f[3], match.italic) || !parseFlag(f[4], found))
        return false;
    match.family = std::string(f[1]);
    if (!found)
        return f.size() == 5;
    ResolvedFace face;
    if (f.size() != 10 || f[5].empty() || !carriable(f[5]) || !absolutePath(f[6]) || !parseNumber(f[7], face.index) ||
        face.index < 0 || !parseFlag(f[8], face.bold) || !parseFlag(f[9], face.italic))
        return false;
    face.family = std::string(f[5]);
    face.file = std::string(f[6]);
    match.face = std::move(face);
    return true;
}

// "glyph=advance" pairs, glyphs ascending, separated by commas.
bool parseAdvances(const std::vector<std::string_view>& f, CachedAdvances& a)
{
    if (f.size() != 5 || !absolutePath(f[1]) || !parseNumber(f[2], a.index) || a.index < 0 ||
        !parseNumber(f[3], a.ppem) || a.ppem <= 0 || f[4].empty())
        return false;
    a.file = std::string(f[1]);
    std::string_view list = f[4];
    bool first = true;
    std::uint32_t last = 0;
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view pair = list.substr(0, comma);
        const std::size_t eq = pair.find('=');
        std::uint32_t glyph = 0;
        int advance = 0;
        if (eq == std::string_view::npos || !parseNumber(pair.substr(0, eq), glyph) ||
            !parseNumber(pair.substr(eq + 1), advance) || (!first && glyph <= last) ||
            a.advances.size() >= kMaxAdvancesPerRecord)
            return false;
        a.advances.emplace_hint(a.advances.end(), glyph, advance);
        first = false;
        last = glyph;
        if (comma == std::string_view::npos)
            return true;
        list.remove_prefix(comma + 1);
    }
}

// Makes the folders above `path` that are missing, private to the user.
bool makeFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

} // namespace

PathStamp stampOf(const std::string& path)
{
    PathStamp stamp;
    stamp.path = path;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return stamp;
    stamp.present = true;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modifiedNs = nanoseconds(st.st_mtim);
    stamp.changedNs = nanoseconds(st.st_ctim);
    return stamp;
}

std::vector<EnvValue> currentFontEnvironment()
{
    std::vector<EnvValue> env;
    for (const char* name : kFontEnvironment) {
        EnvValue v{name, std::nullopt};
        if (const char* value = std::getenv(name))
            v.value = value;
        env.push_back(std::move(v));
    }
    env.push_back({std::string(kProgramEntry), std::string(program_invocation_short_name)});
    return env;
}

const PathStamp* FontCacheContents::presentStamp(std::string_view path) const
{
    for (const PathStamp& s : stamps)
        if (s.present && s.path == path)
            return &s;
    return nullptr;
}

const CachedMatch* FontCacheContents::find(std::string_view family, bool bold, bool italic) const
{
    for (const CachedMatch& m : matches)
        if (m.family == family && m.bold == bold && m.italic == italic)
            return &m;
    return nullptr;
}

std::optional<std::string> serializeFontCache(const FontCacheContents& contents)
{
    if (contents.environment.size() > kMaxEnvironment || contents.stamps.size() > kMaxStamps ||
        contents.matches.size() > kMaxMatches || contents.advances.size() > kMaxAdvanceRecords)
        return std::nullopt;
    std::string out(kHeader);
    for (const EnvValue& v : contents.environment) {
        if (v.name.empty() || !carriable(v.name) || (v.value && !carriable(*v.value)))
            return std::nullopt;
        out += v.value ? "E\t" + v.name + '\t' + *v.value + '\n' : "U\t" + v.name + '\n';
    }
    for (const PathStamp& s : contents.stamps) {
        if (!absolutePath(s.path))
            return std::nullopt;
        out += "S\t" + s.path + '\t' + flag(s.present);
        if (s.present)
            out += '\t' + std::to_string(s.device) + '\t' + std::to_string(s.inode) + '\t' + std::to_string(s.size) +
                   '\t' + std::to_string(s.modifiedNs) + '\t' + std::to_string(s.changedNs);
        out += '\n';
    }
    for (const CachedMatch& m : contents.matches) {
        if (m.family.empty() || !carriable(m.family))
            return std::nullopt;
        out += "M\t" + m.family + '\t' + flag(m.bold) + '\t' + flag(m.italic) + '\t' + flag(m.face.has_value());
        if (m.face) {
            const ResolvedFace& f = *m.face;
            if (f.family.empty() || !carriable(f.family) || !absolutePath(f.file) || f.index < 0)
                return std::nullopt;
            if (!contents.presentStamp(f.file))
                return std::nullopt;
            out += '\t' + f.family + '\t' + f.file + '\t' + std::to_string(f.index) + '\t' + flag(f.bold) + '\t' +
                   flag(f.italic);
        }
        out += '\n';
    }
    for (const CachedAdvances& a : contents.advances) {
        if (a.advances.empty())
            continue;
        if (!absolutePath(a.file) || a.index < 0 || a.ppem <= 0 || !contents.presentStamp(a.file) ||
            a.advances.size() > kMaxAdvancesPerRecord)
            return std::nullopt;
        out += "A\t" + a.file + '\t' + std::to_string(a.index) + '\t' + std::to_string(a.ppem) + '\t';
        bool first = true;
        for (const auto& [glyph, advance] : a.advances) {
            if (!first)
                out += ',';
            first = false;
            out += std::to_string(glyph) + '=' + std::to_string(advance);
        }
        out += '\n';
    }
    char sum[17];
    std::snprintf(sum, sizeof sum, "%016llx", static_cast<unsigned long long>(fnv1a(out)));
    out += std::string(kChecksumTag) + sum + '\n';
    return out;
}

std::optional<FontCacheContents> parseFontCache(std::string_view bytes)
{
    if (bytes.size() > kMaxFileSize || bytes.substr(0, kHeader.size()) != kHeader || bytes.back() != '\n')
        return std::nullopt;
    // The last line is the checksum of everything before it.
    const std::size_t lastStart = bytes.rfind('\n', bytes.size() - 2) + 1;
    const std::string_view last = bytes.substr(lastStart, bytes.size() - 1 - lastStart);
    const std::string_view body = bytes.substr(0, lastStart);
    if (lastStart < kHeader.size() || last.size() != kChecksumTag.size() + 16 ||
        last.substr(0, kChecksumTag.size()) != kChecksumTag)
        return std::nullopt;
    std::uint64_t sum = 0;
    const std::string_view hex = last.substr(kChecksumTag.size());
    if (hex.find_first_not_of("0123456789abcdef") != std::string_view::npos)
        return std::nullopt;
    const auto [end, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), sum, 16);
    if (ec != std::errc() || end != hex.data() + hex.size() || sum != fnv1a(body))
        return std::nullopt;

    FontCacheContents contents;
    std::size_t pos = kHeader.size();
    // The records come in the order they are written: environment, stamps,
    // matches, advances.
    int section = 0;
    const auto enter = [&section](int next) {
        if (next < section)
            return false;
        section = next;
        return true;
    };
    while (pos < body.size()) {
        const std::size_t nl = body.find('\n', pos);
        const std::vector<std::string_view> f = splitFields(body.substr(pos, nl - pos));
        pos = nl + 1;
        const int rank = f[0] == "E" || f[0] == "U" ? 0 : f[0] == "S" ? 1 : f[0] == "M" ? 2 : f[0] == "A" ? 3 : -1;
        if (rank < 0 || !enter(rank))
            return std::nullopt;
        if (f[0] == "E" || f[0] == "U") {
            if (contents.environment.size() >= kMaxEnvironment || f.size() != (f[0] == "E" ? 3u : 2u) ||
                f[1].empty() || !carriable(f[1]) || (f.size() == 3 && !carriable(f[2])))
                return std::nullopt;
            EnvValue v{std::string(f[1]), std::nullopt};
            if (f[0] == "E")
                v.value = std::string(f[2]);
            contents.environment.push_back(std::move(v));
        } else if (f[0] == "S") {
            PathStamp stamp;
            if (contents.stamps.size() >= kMaxStamps || !parseStamp(f, stamp))
                return std::nullopt;
            contents.stamps.push_back(std::move(stamp));
        } else if (f[0] == "A") {
            CachedAdvances advances;
            if (contents.advances.size() >= kMaxAdvanceRecords || !parseAdvances(f, advances))
                return std::nullopt;
            contents.advances.push_back(std::move(advances));
        } else if (f[0] == "M") {
            CachedMatch match;
            if (contents.matches.size() >= kMaxMatches || !parseMatch(f, match))
                return std::nullopt;
            contents.matches.push_back(std::move(match));
        } else {
            return std::nullopt;
        }
    }
    // A face whose file is not watched could change unseen.
    for (const CachedMatch& m : contents.matches)
        if (m.face && !contents.presentStamp(m.face->file))
            return std::nullopt;
    for (const CachedAdvances& a : contents.advances)
        if (!contents.presentStamp(a.file))
            return std::nullopt;
    return contents;
}

bool cacheStillHolds(const FontCacheContents& contents, const std::vector<EnvValue>& environment)
{
    if (contents.environment != environment)
        return false;
    return std::all_of(contents.stamps.begin(), contents.stamps.end(),
                       [](const PathStamp& s) { return stampOf(s.path) == s; });
}

std::string defaultFontCacheFile()
{
    std::string base;
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg != nullptr && xdg[0] == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/')
        base = std::string(home) + "/.cache";
    else
        return {};
    return base + "/zettelino/schriften.cache";
}

std::optional<std::string> readFontCacheFile(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    files::Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::uint64_t>(st.st_size) > kMaxFileSize)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;  // shorter than it said: being replaced, not trusted
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

bool writeFontCacheFile(const std::string& path, std::string_view bytes)
{
    const std::size_t slash = path.find_last_of('/');
    if (path.empty() || path.front() != '/' || slash == std::string::npos || !makeFolders(path))
        return false;
    std::string temp = path.substr(0, slash + 1) + ".schriften.XXXXXX";
    files::Fd fd(::mkostemp(temp.data(), O_CLOEXEC));  // 0600
    if (fd.get() < 0)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::unlink(temp.c_str());
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd.release()) != 0 || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

} // namespace zt::platform
