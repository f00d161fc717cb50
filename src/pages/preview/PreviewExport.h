#pragma once
// What the preview's save command needs of the export filters: their
// entries in the save dialog, an entry's extension, and an export by
// extension of the previewed report.

#include <string>

namespace zt::pages {

class TQRPrinter;

// "|description|*.EXT" for every registered filter, in order; empty without filters.
std::string ExportFilterEntries();
// The extension of registered filter `index` (0-based), `fallback` when there is none.
std::string ExportFilterExtension(int index, const std::string& fallback);
// Runs the recorder's report into the filter registered for `extension`
// (no dot, any case), writing `fileName`; nothing happens without one.
void ExportThroughLibrary(TQRPrinter& printer, const std::string& fileName, const std::string& extension);

} // namespace zt::pages
