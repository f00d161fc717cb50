#include "files/FileKind.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace zt::files {

bool LooksLikeLetterFile(const std::string& path)
{
    std::string ext = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".zlw")
        return true;
    if (ext == ".qrp")
        return false;
    std::ifstream in(path, std::ios::binary);
    std::string head(16, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    if (head.starts_with("\xEF\xBB\xBF"))
        head.erase(0, 3);
    return head.starts_with("ZLVersion=");
}

} // namespace zt::files
