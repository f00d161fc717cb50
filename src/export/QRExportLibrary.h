#pragma once
// The process-wide registry of export filter classes: looked up by file
// extension, and the file-type list of the preview's save dialog.

#include "report/QRExportFilter.h"

#include <memory>
#include <string>
#include <vector>

namespace zt::exporting {

using namespace zt::report;

class TQRExportFilterLibraryEntry {
public:
    TQRExportFilterLibraryEntry(TQRExportFilterClass filterClass, std::string name, std::string extension)
        : FExportFilterClass(filterClass), FName(std::move(name)), FExtension(std::move(extension))
    {
    }
    TQRExportFilterClass ExportFilterClass() const { return FExportFilterClass; }
    const std::string& FilterName() const { return FName; }
    // Without the dot.
    const std::string& Extension() const { return FExtension; }

private:
    TQRExportFilterClass FExportFilterClass;
    std::string FName;
    std::string FExtension;
};

class TQRExportFilterLibrary {
public:
    // Registers a class once; a class of the same name already there wins.
    void AddFilter(TQRExportFilterClass aFilter);
    // Removes the first entry named as the class's filters are.
    void RemoveFilter(TQRExportFilterClass aFilter);
    // The first entry whose extension (no dot) matches, ignoring case; none when unknown.
    const TQRExportFilterLibraryEntry* GetFilterByExtension(const std::string& fext) const;
    // "Bandoria-Datei(*.QRP)|*.QRP", then "|Name (*.EXT)|*.EXT" per entry.
    std::string SaveDialogFilterString() const;
    const std::vector<std::unique_ptr<TQRExportFilterLibraryEntry>>& Filters() const { return FFilterList; }

private:
    std::vector<std::unique_ptr<TQRExportFilterLibraryEntry>> FFilterList;
};

// The one library of the process.
TQRExportFilterLibrary& QRExportFilterLibrary();

// What the program registers at start-up: the PDF document filter.
void RegisterExportFilters();

} // namespace zt::exporting
