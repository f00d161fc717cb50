#pragma once
// Searching recorded pages for a text, as the preview's find command does:
// each text record is read a byte per character (the low byte of a wide
// character), and a page matches when one record contains the text.

#include <string>
#include <vector>

namespace zt::platform::gdi {
class TMetafile;
}

namespace zt::pages {

class TQRPrinter;

// The text of a record or a search as the find command compares it: one
// byte per character, the low byte of each UTF-16 unit; upper-cased (ASCII
// and Latin-1 letters) unless `matchCase`.
std::string SearchKey(const std::string& utf8, bool matchCase);

// Whether one text record of the page contains the search text.
bool PageContainsText(const platform::gdi::TMetafile& page, const std::string& utf8, bool matchCase);

// The numbers of the recorder's pages that contain the text, in order.
std::vector<int> SearchPages(TQRPrinter& printer, const std::string& utf8, bool matchCase);

} // namespace zt::pages
