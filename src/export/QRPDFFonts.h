#pragma once
// Font resources of the PDF writer: the key that tells fonts apart, and the
// objects written for each (a standard font, or a TrueType font with widths,
// encoding and descriptor, its file embedded or not).

#include "export/QRPDFFilter.h"

#include <string>
#include <utility>
#include <vector>

namespace zt::report {

class TPDFDocBuilder;

// The four TAB-separated fields of a font key.
struct TPDFFontKey {
    std::string face;       // trimmed face name
    std::string style;      // "", "B", "I" or "BI"
    int charset = 0;
    std::string psName;     // face without blanks, ",Bold", ",Italic", ",BoldItalic"

    std::string Text() const;
    static TPDFFontKey Parse(const std::string& key);
    static TPDFFontKey Of(const std::string& face, bool bold, bool italic, int charset);
    bool Bold() const { return style.find('B') != std::string::npos; }
    bool Italic() const { return style.find('I') != std::string::npos; }
};

struct TPDFFontOptions {
    TFontHandling handling = TFontHandling::fhNoEmbedding;
    const std::vector<std::string>* substituted = nullptr;
    const std::vector<std::string>* embed = nullptr;
    const std::vector<std::pair<std::string, std::string>>* customWidths = nullptr;
    const std::vector<std::pair<std::string, std::string>>* customEncodings = nullptr;
};

// The standard font that stands in for a key under fhSubstitute.
std::string PDFStandardFontName(const TPDFFontKey& key, const std::vector<std::string>& substituted);
// The code page of a character set.
int PDFCodePageOfCharset(int charset);
// Whether the font's file goes into the document.
bool PDFFontEmbedded(const TPDFFontKey& key, const TPDFFontOptions& options);
// Objects a font resource takes: 1, 2 or 4.
int PDFFontObjectCount(const TPDFFontKey& key, const TPDFFontOptions& options);
// Writes the objects of resource `resource` from object number `n`; returns their count.
int WritePDFFont(const TPDFFontKey& key, int resource, int n, const TPDFFontOptions& options,
                 TPDFDocBuilder& doc);

} // namespace zt::report
