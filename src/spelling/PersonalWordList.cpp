#include "spelling/PersonalWordList.h"

#include "platform/core/PlatformError.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace zt::spelling {

namespace {

void makeFolders(const std::string& file)
{
    const auto slash = file.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return;
    const std::string folder = file.substr(0, slash);
    for (std::size_t i = 1; i <= folder.size(); ++i)
        if (i == folder.size() || folder[i] == '/')
            ::mkdir(folder.substr(0, i).c_str(), 0700); // existing folders are fine
}

// Whether the file's last line lacks its line break (an editor's last word):
// a word appended then would join it.
bool endsMidLine(const std::string& file)
{
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in || in.tellg() <= 0)
        return false;
    in.seekg(-1, std::ios::end);
    char last = '\n';
    return in.get(last) && last != '\n';
}

} // namespace

std::string defaultPersonalWordListPath()
{
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        config = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        config = std::string(home) + "/.config";
    else
        config = ".config";
    if (!config.ends_with('/'))
        config += '/';
    return config + "zettelino/" + kPersonalWordListName;
}

void TPersonalWordList::Load()
{
    words_.clear();
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        if (errno == ENOENT)
            return;
        platform::throwSystemError("Das persönliche Wörterbuch \"" + path_ + "\" kann nicht gelesen werden", errno);
    }
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (first && line.starts_with("\xEF\xBB\xBF"))
            line.erase(0, 3);
        first = false;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            words_.insert(line);
    }
    // A folder, or a disk failing under it, opens but cannot be read.
    if (in.bad())
        platform::throwSystemError("Das persönliche Wörterbuch \"" + path_ + "\" kann nicht gelesen werden", errno);
}

void TPersonalWordList::Add(const std::string& word)
{
    if (word.empty() || !words_.insert(word).second)
        return;
    makeFolders(path_);
    const bool midLine = endsMidLine(path_);
    std::ofstream out(path_, std::ios::binary | std::ios::app);
    if (out)
        out << (midLine ? "\n" : "") << word << '\n';
    if (!out || !out.flush())
        platform::throwSystemError("Das Wort kann nicht ins persönliche Wörterbuch \"" + path_ +
                                       "\" geschrieben werden",
                                   errno);
}

} // namespace zt::spelling
