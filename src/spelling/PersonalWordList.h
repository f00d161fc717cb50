#pragma once
// The user's own words, accepted besides the dictionary's: a UTF-8 text
// file with one word a line, read at start and added to line by line.

#include <string>
#include <unordered_set>

namespace zt::spelling {

inline constexpr const char* kPersonalWordListName = "woerterbuch.txt";

// $XDG_CONFIG_HOME/zettelino/woerterbuch.txt (default ~/.config/zettelino/).
std::string defaultPersonalWordListPath();

class TPersonalWordList {
public:
    TPersonalWordList() = default;
    explicit TPersonalWordList(std::string path) : path_(std::move(path)) {}

    // Reads the file; a missing file is an empty list. Throws PlatformError
    // when the file is there but cannot be read.
    void Load();
    // Adds the word and appends it to the file, creating its folder; throws
    // PlatformError when it cannot be written (the word stays known for
    // this run).
    void Add(const std::string& word);
    bool Contains(const std::string& word) const { return words_.contains(word); }
    std::size_t Size() const { return words_.size(); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::unordered_set<std::string> words_;
};

} // namespace zt::spelling
