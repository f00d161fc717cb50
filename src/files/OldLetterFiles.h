#pragma once
// The two layouts older program versions wrote, read for "Öffnen alte
// Version...": fixed records of counted strings, and a sectioned
// settings-style file with a "data" section.

#include "files/LetterContent.h"

#include <string>
#include <string_view>
#include <vector>

namespace zt::files {

enum class TOldLayout { None, FixedRecords, Sectioned };

// The reader that fits the bytes: a settings-style text file whose "data"
// section holds at least one of the letter's keys; else fixed records when
// the file starts with one whole record whose counted strings are plain text
// of at most 80 characters; else none, and the file is left alone.
TOldLayout DetectOldLayout(std::string_view bytes);

inline constexpr std::size_t kFixedRecordSize = 1878;

// Fixed records: counted strings of 81 bytes (a length byte, then 80 bytes of
// Windows-1252): EditSonst1, EditSonst2, 15 tick bytes, EditTitel1, 5 sender,
// 5 address and 10 message lines. The blocks are emptied and all 20 lines
// appended. A file that ends early ends the reading there.
void ReadFixedRecordLetter(std::string_view bytes, TLetterSink& sink);

// The sectioned layout: s1, s2, mb1-mb9, an1-an6, titel and the three blocks
// as comma-separated lists of their lines.
void ReadSectionedLetter(std::string_view bytes, TLetterSink& sink);

// A comma-separated list as the old files store lists: items separated by
// commas or blanks, an item in double quotes may hold both ("" is a quote).
std::vector<std::string> SplitCommaText(std::string_view text);

} // namespace zt::files
