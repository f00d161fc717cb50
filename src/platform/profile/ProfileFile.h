#pragma once
// A sectioned settings file: "[Section]" heads, then "key=value" lines.
// Sections and keys are found without regard to letter case (the first of
// duplicates wins); integers are decimal, and a value that is not a whole
// number counts as missing. Rewriting keeps every line it does not touch.
//
// Each write goes to the file at once, as the Windows profile calls do, so a
// sequence of writes that fails part-way leaves the earlier values stored.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt::platform {

class ProfileFile {
public:
    // Reads the file; a missing file is an empty profile. Throws
    // PlatformError when the file exists but cannot be read.
    explicit ProfileFile(std::string path);

    // A profile from text already in memory (no file behind it; writes only
    // change the lines).
    static ProfileFile fromText(std::string_view text);

    const std::string& path() const { return path_; }

    // The value, trimmed, with one pair of surrounding double quotes removed;
    // nullopt when the section or key is absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // The value, trimmed, with its quotes kept (for values that are lists of
    // quoted items, where the first and last quote belong to different items).
    std::optional<std::string> rawValue(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, const std::string& fallback) const;
    int readInteger(std::string_view section, std::string_view key, int fallback) const;

    // Update the lines and rewrite the file; throw PlatformError when the file
    // cannot be written (the lines in memory keep the new value).
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);

    const std::vector<std::string>& lines() const { return lines_; }

private:
    ProfileFile() = default;
    void save() const;
    std::optional<std::size_t> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(std::size_t sectionLine, std::string_view key) const;

    std::string path_;
    std::vector<std::string> lines_;
};

// Decimal integer with optional sign and surrounding blanks; nullopt for
// anything else or a value outside the 32-bit range.
std::optional<int> parseDecimalInt(std::string_view text);

} // namespace zt::platform
