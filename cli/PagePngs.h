#pragma once
// Pages as PNG files: DIR/page-001.png, ... at 96 dpi, one pixel per device unit.

#include "platform/gdi/Metafile.h"

#include <memory>
#include <string>
#include <vector>

namespace zt::cli {

std::string pngName(const std::string& dir, std::size_t page);
// Creates the folder when missing; PlatformError when a file cannot be written.
void writePngs(const std::vector<std::unique_ptr<platform::gdi::TMetafile>>& pages, const std::string& dir);

} // namespace zt::cli
