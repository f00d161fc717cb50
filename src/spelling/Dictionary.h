#pragma once
// The German dictionary: found in the system's dictionary folders, loaded
// once per process on a thread of its own (loading takes a tenth of a
// second), then asked word by word.

#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Hunspell;

namespace zt::spelling {

// What the checker asks of a dictionary; words are UTF-8.
class IWordCheck {
public:
    virtual ~IWordCheck() = default;
    virtual bool spell(const std::string& word) = 0;
    virtual std::vector<std::string> suggest(const std::string& word) = 0;
};

class THunspellDictionary : public IWordCheck {
public:
    THunspellDictionary(const std::string& affFile, const std::string& dicFile);
    ~THunspellDictionary() override;
    bool spell(const std::string& word) override;
    std::vector<std::string> suggest(const std::string& word) override;

private:
    std::unique_ptr<Hunspell> hunspell_;
};

struct TDictionaryFiles {
    std::string aff;
    std::string dic;
};

// The language the letter is checked in.
inline constexpr const char* kDictionaryName = "de_DE";
// A list of folders separated by ":" that replaces the usual ones.
inline constexpr const char* kDictionaryPathVariable = "ZT_DICTIONARY_PATH";

// The folders searched, in order: those of ZT_DICTIONARY_PATH when it is
// set, else the system's usual dictionary folders.
std::vector<std::string> dictionaryFolders();

// The first folder holding both files of `name`.
std::optional<TDictionaryFiles> findDictionary(const std::vector<std::string>& folders,
                                               const std::string& name = kDictionaryName);

// The dictionary of these files, loaded once per process: the first call
// starts loading in the background, later calls share it.
std::shared_future<std::shared_ptr<IWordCheck>> loadDictionary(const TDictionaryFiles& files);

} // namespace zt::spelling
