#pragma once
// Small, valid enhanced-metafile images for the page store's tests and
// benchmarks: a header record, EMR_EXTTEXTOUTW records with known text and an
// EMR_EOF record; and the reverse, the texts found in such an image.

#include <cstdint>
#include <string>
#include <vector>

namespace zt::pages::test {

inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline std::uint32_t get32(const std::vector<std::uint8_t>& in, std::size_t at)
{
    return std::uint32_t(in[at]) | std::uint32_t(in[at + 1]) << 8 | std::uint32_t(in[at + 2]) << 16 |
           std::uint32_t(in[at + 3]) << 24;
}

inline void set32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

constexpr std::uint32_t kEmrHeader = 1;
constexpr std::uint32_t kEmrEof = 14;
constexpr std::uint32_t kEmrExtTextOutW = 84;

inline void appendTextRecord(std::vector<std::uint8_t>& emf, const std::u16string& text, std::int32_t x, std::int32_t y)
{
    const std::size_t start = emf.size();
    const std::uint32_t chars = static_cast<std::uint32_t>(text.size());
    const std::uint32_t textBytes = (chars * 2 + 3) / 4 * 4;
    const std::uint32_t offString = 76;
    const std::uint32_t offDx = offString + textBytes;
    const std::uint32_t size = offDx + chars * 4;
    put32(emf, kEmrExtTextOutW);
    put32(emf, size);
    for (std::uint32_t v : {std::uint32_t(x), std::uint32_t(y), std::uint32_t(x + 8 * chars), std::uint32_t(y + 16)})
        put32(emf, v);                      // bounds
    put32(emf, 1);                          // graphics mode: compatible
    put32(emf, 0);                          // x scale (float 0)
    put32(emf, 0);                          // y scale
    put32(emf, std::uint32_t(x));           // reference point
    put32(emf, std::uint32_t(y));
    put32(emf, chars);
    put32(emf, offString);
    put32(emf, 0);                          // options
    for (int i = 0; i < 4; ++i)
        put32(emf, 0);                      // clip rectangle
    put32(emf, offDx);
    for (char16_t c : text) {
        emf.push_back(static_cast<std::uint8_t>(c));
        emf.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    while ((emf.size() - start) % 4 != 0)
        emf.push_back(0);
    for (std::uint32_t i = 0; i < chars; ++i)
        put32(emf, 8);
}

// A metafile whose text records hold `lines`, one below the other.
inline std::vector<std::uint8_t> MakeEmf(const std::vector<std::u16string>& lines)
{
    std::vector<std::uint8_t> emf;
    put32(emf, kEmrHeader);
    put32(emf, 108);
    for (std::uint32_t v : {0u, 0u, 793u, 1122u})
        put32(emf, v);                      // bounds, pixels
    for (std::uint32_t v : {0u, 0u, 20990u, 29690u})
        put32(emf, v);                      // frame, 0.01 mm
    put32(emf, 0x464D4520);                 // " EMF"
    put32(emf, 0x10000);                    // version
    put32(emf, 0);                          // bytes, set below
    put32(emf, 0);                          // records, set below
    put32(emf, 1);                          // handles (16 bits) and reserved
    put32(emf, 0);                          // description: none
    put32(emf, 0);
    put32(emf, 0);                          // palette entries
    put32(emf, 794);                        // reference device, pixels
    put32(emf, 1123);
    put32(emf, 210);                        // ... and millimetres
    put32(emf, 297);
    put32(emf, 0);                          // pixel format
    put32(emf, 0);
    put32(emf, 0);                          // OpenGL
    put32(emf, 210000);                     // micrometres
    put32(emf, 297000);
    std::int32_t y = 40;
    for (const auto& line : lines) {
        appendTextRecord(emf, line, 40, y);
        y += 18;
    }
    put32(emf, kEmrEof);
    put32(emf, 20);
    put32(emf, 0);
    put32(emf, 16);
    put32(emf, 20);
    set32(emf, 48, static_cast<std::uint32_t>(emf.size()));
    set32(emf, 52, static_cast<std::uint32_t>(lines.size() + 2));
    return emf;
}

inline std::u16string Widen(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

// Page `n` with a recognisable first line and about `bytes` bytes of text.
inline std::vector<std::uint8_t> MakePage(int n, std::size_t bytes = 600)
{
    std::vector<std::u16string> lines{Widen("Seite " + std::to_string(n))};
    static const char* words[] = {"Kurzmitteilung", "mit der Bitte um", "Kenntnisnahme", "Rueckruf", "Anlagen",
                                  "Rechnung", "Vertrag", "Muster", "Durchschrift", "Stellungnahme"};
    std::size_t size = 108 + 20;
    for (std::size_t i = 0; size < bytes; ++i) {
        std::string line = std::to_string(n) + ": ";
        for (std::size_t w = 0; w < 5; ++w)
            line += std::string(words[(i * 7 + w * 3 + std::size_t(n)) % 10]) + ' ';
        lines.push_back(Widen(line));
        size += 76 + line.size() * 6 + 4;
    }
    return MakeEmf(lines);
}

// The texts of every EMR_EXTTEXTOUTW record, in order.
inline std::vector<std::u16string> TextsOf(const std::vector<std::uint8_t>& emf)
{
    std::vector<std::u16string> texts;
    for (std::size_t at = 0; at + 8 <= emf.size();) {
        const std::uint32_t type = get32(emf, at);
        const std::uint32_t size = get32(emf, at + 4);
        if (size < 8 || at + size > emf.size())
            break;
        if (type == kEmrExtTextOutW && size >= 76) {
            const std::uint32_t chars = get32(emf, at + 44);
            const std::uint32_t off = get32(emf, at + 48);
            std::u16string t;
            for (std::uint32_t i = 0; i < chars && at + off + 2 * i + 1 < at + size; ++i)
                t.push_back(static_cast<char16_t>(emf[at + off + 2 * i] | emf[at + off + 2 * i + 1] << 8));
            texts.push_back(t);
        }
        at += size;
    }
    return texts;
}

} // namespace zt::pages::test
