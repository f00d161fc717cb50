#include "platform/text/CodePage.h"

#include "platform/text/Utf.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace zt::platform::text {

namespace {

// 0x80..0x9F; the rest of the table equals ISO 8859-1 (and so Unicode).
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

char32_t cp1252ToUnicode(std::uint8_t byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHigh[byte - 0x80];
    return byte;
}

std::optional<std::uint8_t> unicodeToCp1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<std::uint8_t>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp)
            return static_cast<std::uint8_t>(0x80 + i);
    return std::nullopt;
}

std::string decodeCp1252(std::string_view bytes)
{
    // Each byte's UTF-8 (one to three bytes), made once; written four bytes
    // at a time into room for the longest result and cut to what was
    // written, with no branch on the byte: umlauts come every few letters.
    struct Utf8Of {
        char bytes[4];
        std::uint32_t size;
    };
    static const std::array<Utf8Of, 256> table = [] {
        std::array<Utf8Of, 256> t{};
        for (std::size_t b = 0; b < t.size(); ++b) {
            std::string utf8;
            appendUtf8(utf8, cp1252ToUnicode(static_cast<std::uint8_t>(b)));
            t[b].size = static_cast<std::uint32_t>(utf8.size());
            std::copy(utf8.begin(), utf8.end(), t[b].bytes);
        }
        return t;
    }();
    // A line is short: its room comes from a buffer kept per thread; a whole
    // file's from one of its own, not kept.
    constexpr std::size_t kKeptRoom = 64 * 1024;
    thread_local std::string kept;
    std::string own;
    std::string& room = bytes.size() < kKeptRoom ? kept : own;
    room.resize(3 * bytes.size() + 4);
    char* p = room.data();
    for (const char c : bytes) {
        const Utf8Of& u = table[static_cast<std::uint8_t>(c)];
        std::memcpy(p, u.bytes, 4);
        p += u.size;
    }
    return std::string(room.data(), p);
}

std::optional<std::string> encodeCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto byte = unicodeToCp1252(decodeUtf8(utf8, pos));
        if (!byte)
            return std::nullopt;
        out.push_back(static_cast<char>(*byte));
    }
    return out;
}

bool fitsCp1252(std::string_view utf8)
{
    for (std::size_t pos = 0; pos < utf8.size();)
        if (!unicodeToCp1252(decodeUtf8(utf8, pos)))
            return false;
    return true;
}

namespace {

// One code page's table, made once from iconv and never changed after.
struct CodePageTable {
    bool singleByte = false;
    std::array<char32_t, 256> toUnicode{};
    std::unordered_map<char32_t, std::uint8_t> fromUnicode;
};

CodePageTable makeTable(int codePage)
{
    CodePageTable t;
    const std::string name = "CP" + std::to_string(codePage);
    const iconv_t cd = iconv_open("UTF-32LE", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return t;
    t.singleByte = true;
    for (int b = 0; b < 256 && t.singleByte; ++b) {
        char in[1] = {static_cast<char>(b)};
        char out[8] = {};
        char* inPtr = in;
        char* outPtr = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        if (done == static_cast<std::size_t>(-1)) {
            // EINVAL: a lead byte of a multi-byte code page; EILSEQ: undefined.
            if (errno == EINVAL)
                t.singleByte = false;
            continue;
        }
        // The Hebrew and Vietnamese converters hold a base letter back in
        // case a combining mark follows; the flush writes it out.
        if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            continue;
        if (sizeof out - outLeft != 4)
            continue;
        const char32_t c = static_cast<std::uint8_t>(out[0]) | static_cast<std::uint8_t>(out[1]) << 8 |
                           static_cast<std::uint8_t>(out[2]) << 16 | static_cast<char32_t>(static_cast<std::uint8_t>(out[3])) << 24;
        t.toUnicode[static_cast<std::size_t>(b)] = c;
        t.fromUnicode.emplace(c, static_cast<std::uint8_t>(b));
    }
    iconv_close(cd);
    return t;
}

const CodePageTable& tableOf(int codePage)
{
    // Pure functions of the code page, made on first use.
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<CodePageTable>> tables;
    std::lock_guard lock(mutex);
    auto& slot = tables[codePage];
    if (!slot)
        slot = std::make_unique<CodePageTable>(makeTable(codePage));
    return *slot;
}

} // namespace

bool isSingleByteCodePage(int codePage)
{
    return codePage == kCodePage1252 || tableOf(codePage).singleByte;
}

char32_t codePageToUnicode(int codePage, std::uint8_t byte)
{
    if (codePage == kCodePage1252 || !isSingleByteCodePage(codePage))
        return cp1252ToUnicode(byte);
    return tableOf(codePage).toUnicode[byte];
}

std::optional<std::uint8_t> unicodeToCodePage(int codePage, char32_t cp)
{
    if (codePage == kCodePage1252 || !isSingleByteCodePage(codePage))
        return unicodeToCp1252(cp);
    const auto& from = tableOf(codePage).fromUnicode;
    const auto it = from.find(cp);
    return it == from.end() ? std::nullopt : std::optional<std::uint8_t>(it->second);
}

} // namespace zt::platform::text
