#pragma once
// What an archive document carries besides its pages: the XMP metadata
// that repeats the document information with the archive and accessibility
// identification, the sRGB output profile its colours are meant in, the
// dates in both syntaxes, and the file identifier.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zt::exporting {

// The local time in the PDF's date syntax ("D:20261209183946+01'00'") and
// in XMP's ("2026-12-09T18:39:46+01:00"): the same instant.
struct TPDFDates {
    std::string pdf, xmp;
};
TPDFDates PdfDates(std::time_t when);

struct TPDFDocumentInfo {
    std::string title, author, subject, creator, producer, keywords;
    TPDFDates created;   // empty: no dates
    // Archive (PDF/A-2u) and accessibility (PDF/UA-1) identification; left
    // out when the document cannot keep what they promise.
    bool claims = true;
};

// The metadata stream's lines (UTF-8 XML in an xpacket).
std::vector<std::string> PdfXmpLines(const TPDFDocumentInfo& info);

// The sRGB colour profile (ICC version 4.2), made by the colour management
// library when the program was built.
const std::string& PdfSRgbProfile();

// A 16-byte identifier of what went through it, for the trailer's /ID.
// Every byte counts, a word at a time in four lanes: the writer passes the
// whole document through it.
class TPDFFingerprint {
public:
    void Add(std::string_view bytes);
    std::string Digest() const;

private:
    void mix(const unsigned char* block);

    std::uint64_t lanes_[4] = {0xCBF29CE484222325ull, 0x9E3779B97F4A7C15ull, 0x632BE59BD9B4E019ull,
                               0xBF58476D1CE4E5B9ull};
    unsigned char tail_[32] = {};
    std::size_t tailSize_ = 0;
    std::uint64_t n_ = 0;
};

} // namespace zt::exporting
