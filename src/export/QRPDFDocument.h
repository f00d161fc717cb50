#pragma once
// The PDF document as lines written out with a running byte offset, and the
// number formats of its content: full stops whatever the locale, integers
// rounded with halves to even.

#include <bitset>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zt::report {

// Builds the final document: every non-empty line counts its length plus the
// CR LF that ends it in the file; raw entries (font files) count their bytes
// and get no line end.
class TPDFDocBuilder {
public:
    // The document goes to `sink` as it is built, so a long one is never
    // held whole.
    using Sink = std::function<void(std::string_view)>;
    TPDFDocBuilder(Sink sink, std::vector<std::string>& xref) : sink_(std::move(sink)), xref_(xref) {}
    void Add(std::string_view line);
    void AddRaw(std::string_view bytes);
    // Notes the offset of the object that starts with the next line.
    void BeginObject();
    std::int64_t Offset() const { return offset_; }
    int Objects() const { return static_cast<int>(xref_.size()); }

private:
    Sink sink_;
    std::vector<std::string>& xref_;
    std::int64_t offset_ = 0;
};

// Formats of the content-stream lines.
std::string PdfInt(long double value);                  // "%d" of the rounded value
std::string PdfFixed(long double value, int decimals);  // "%.Nf"
// Right-aligns in `width` places, as "%6.1f" does.
std::string PdfPad(std::string text, std::size_t width);
// "%-2.2d": at least two digits.
std::string PdfResourceNumber(int n);

// Escapes a text for a PDF string and converts it to the single-byte code
// page `codePage` (a font's, by its character set): "\" "(" ")" get a
// backslash, the euro sign of 1252 becomes "\200"; other characters the
// code page lacks become "?".
std::string PdfEscapeText(std::string_view utf8, int codePage = 1252);
// Marks the codes PdfEscapeText writes for `utf8` (a font's subset keeps their glyphs).
void PdfMarkCodes(std::string_view utf8, std::bitset<256>& used, int codePage = 1252);
// UTF-8 to a single-byte code page ("?" for what it lacks).
std::string PdfCodePageText(std::string_view utf8, int codePage = 1252);

} // namespace zt::report
