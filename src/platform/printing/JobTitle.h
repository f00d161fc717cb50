#pragma once
// The title a print job carries to the spooler.

#include <string>

namespace zt::platform::printing {

// `title` (UTF-8) spelled in ASCII: German umlauts and ß as ae, oe, ue, ss,
// other accented Latin letters as their base letter, anything else as "_".
// The spooler takes UTF-8, but its filters pass the title on as PostScript
// and PDF strings in single-byte encodings, so "für" arrived as "fÃ¼r" (or
// a PDF printer's file name as "f_303_274r"); ASCII reads alike everywhere.
std::string jobTitle(const std::string& title);

} // namespace zt::platform::printing
