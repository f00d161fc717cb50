#include "spelling/Dictionary.h"

#include "platform/core/PlatformError.h"

#include <hunspell.hxx>

#include <cstdlib>
#include <map>
#include <mutex>
#include <sys/stat.h>

namespace zt::spelling {

namespace {

bool isFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isReadableFile(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

} // namespace

THunspellDictionary::THunspellDictionary(const std::string& affFile, const std::string& dicFile)
{
    // Hunspell reports an unreadable file only on stderr and then knows no word.
    if (!isReadableFile(affFile) || !isReadableFile(dicFile))
        throw platform::PlatformError(platform::ErrorKind::SystemFailure,
                                      "Das Wörterbuch \"" + dicFile + "\" kann nicht gelesen werden.");
    hunspell_ = std::make_unique<Hunspell>(affFile.c_str(), dicFile.c_str());
}

THunspellDictionary::~THunspellDictionary() = default;

bool THunspellDictionary::spell(const std::string& word)
{
    return hunspell_->spell(word);
}

std::vector<std::string> THunspellDictionary::suggest(const std::string& word)
{
    return hunspell_->suggest(word);
}

std::vector<std::string> dictionaryFolders()
{
    if (const char* path = std::getenv(kDictionaryPathVariable)) {
        std::vector<std::string> folders;
        std::string rest = path;
        for (std::size_t colon; (colon = rest.find(':')) != std::string::npos; rest.erase(0, colon + 1))
            if (colon > 0)
                folders.push_back(rest.substr(0, colon));
        if (!rest.empty())
            folders.push_back(rest);
        return folders;
    }
    return {"/usr/share/hunspell", "/usr/share/myspell/dicts", "/usr/share/myspell", "/usr/local/share/hunspell"};
}

std::optional<TDictionaryFiles> findDictionary(const std::vector<std::string>& folders, const std::string& name)
{
    for (const std::string& folder : folders) {
        const std::string base = folder + (folder.ends_with('/') ? "" : "/") + name;
        TDictionaryFiles files{base + ".aff", base + ".dic"};
        if (isFile(files.aff) && isFile(files.dic))
            return files;
    }
    return std::nullopt;
}

std::shared_future<std::shared_ptr<IWordCheck>> loadDictionary(const TDictionaryFiles& files)
{
    static std::mutex mutex;
    static std::map<std::string, std::shared_future<std::shared_ptr<IWordCheck>>> loaded;
    const std::lock_guard<std::mutex> lock(mutex);
    auto& slot = loaded[files.dic];
    if (!slot.valid())
        slot = std::async(std::launch::async,
                          [files]() -> std::shared_ptr<IWordCheck> {
                              return std::make_shared<THunspellDictionary>(files.aff, files.dic);
                          })
                   .share();
    return slot;
}

} // namespace zt::spelling
