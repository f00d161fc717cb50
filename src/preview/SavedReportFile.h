#pragma once
// Opening a saved report file for the user: a file cut short is refused
// with a German error box naming it, as the batch tool refuses it, instead
// of showing the pages that are left as if they were all.

#include <string>

namespace zt::preview {

// True when the file holds every page its header counts. Otherwise shows
// the error box and returns false. Other damage throws as loading does.
bool CheckWholeReportFile(const std::string& path);

} // namespace zt::preview
