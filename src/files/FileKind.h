#pragma once
// Telling a letter file from a saved report file, as the batch tool and the
// program's command line both must.

#include <string>

namespace zt::files {

// A letter file by its name (.zlw in any case) or, for other names, by its
// first line "ZLVersion=", also after a UTF-8 byte-order mark. A name
// ending in .qrp is never a letter file.
bool LooksLikeLetterFile(const std::string& path);

} // namespace zt::files
