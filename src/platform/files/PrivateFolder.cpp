#include "platform/files/PrivateFolder.h"

#include "platform/core/PlatformError.h"
#include "platform/files/TempFile.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace zt::platform::files {

PrivateFolder::PrivateFolder(const std::string& prefix)
{
    std::string pattern = temporaryFolder();
    if (!pattern.empty() && pattern.back() != '/')
        pattern += '/';
    pattern += prefix + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr)
        throwSystemError("Im Ordner \"" + temporaryFolder() + "\" kann kein Ordner angelegt werden", errno);
    path_ = std::string(name.data()) + "/";
}

PrivateFolder::~PrivateFolder()
{
    if (keep_)
        return;
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void PrivateFolder::removeStale(const std::string& prefix, int hours)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    for (const fs::directory_entry& e : fs::directory_iterator(temporaryFolder(), ec)) {
        if (!e.path().filename().string().starts_with(prefix) || !e.is_directory(ec))
            continue;
        const auto written = e.last_write_time(ec);
        if (!ec && now - written > std::chrono::hours(hours))
            fs::remove_all(e.path(), ec);
    }
}

} // namespace zt::platform::files
