#pragma once
// What the preview's save command needs of the export filters: the file
// types its dialog offers, each once and in German, and an export by
// extension of the previewed report.

#include <string>
#include <vector>

namespace zt::pages {
class TQRPrinter;
}

namespace zt::preview {

using namespace zt::pages;

// A type the save dialog offers: its German label and its extension
// (upper case, no dot).
struct TSaveType {
    std::string label;
    std::string extension;
};

// The types in the save dialog's order: the default type (`defaultExtension`,
// with or without its dot), the saved report file, then the type of every
// registered filter not listed yet; PDF is always offered when
// `recordedPdf` (pages that can be written without a filter).
std::vector<TSaveType> SaveTypes(const std::string& defaultExtension, bool recordedPdf);
// The dialog's filter string: "label (*.EXT)|*.EXT" per type, joined by "|".
std::string SaveDialogFilter(const std::vector<TSaveType>& types);
// Whether a filter is registered for `extension` (no dot, any case).
bool HasExportFilter(const std::string& extension);
// Runs the recorder's report into the filter registered for `extension`
// (no dot, any case), writing `fileName`; nothing happens without one.
// Returns what the filter says the user should know of the document
// written (an archive PDF that could not be one: why), empty for nothing.
std::string ExportThroughLibrary(TQRPrinter& printer, const std::string& fileName, const std::string& extension);

} // namespace zt::preview
