#pragma once
// The number formats of the PDF document's content (full stops whatever the
// locale, integers rounded with halves to even) and the text of its strings.

#include <bitset>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zt::exporting {

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
// Both in one pass, the text appended to `out`: what every text line of a
// document takes.
void PdfAppendEscapedText(std::string& out, std::string_view utf8, std::bitset<256>& used, int codePage = 1252);
// UTF-8 to a single-byte code page ("?" for what it lacks).
std::string PdfCodePageText(std::string_view utf8, int codePage = 1252);

// A text string of the document (information, structure) as a string
// token with its delimiters: in PDFDocEncoding when that holds every
// character, "(...)" with "\", "(" and ")" escaped; else UTF-16BE with a
// byte-order mark, "<FEFF...>".
std::string PdfTextString(std::string_view utf8);
// The PDFDocEncoding byte of a character, -1 where it has none.
int PdfDocEncodingByte(char32_t cp);

} // namespace zt::exporting
