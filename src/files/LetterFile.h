#pragma once
// Letter files, layout 1.8: "ZLVersion=1.8", the three line counts, the lines
// of the three blocks without keys, "cb1=" ... "cb15=", then "edTitel=",
// "edTitel2=", "edSonst1=", "edSonst2=" and "edDatum=" (the keys and their
// order are those of files/LetterFields.h).

#include "files/LetterContent.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <string_view>
#include <vector>

namespace zt::files {

std::string FlagToText(bool ticked);
// Ticked exactly when the value is the one-character text "1".
bool TextToFlag(std::string_view value);

// The lines of layout 1.8, in order.
std::vector<std::string> LetterFileLines(const TLetterContent& letter);

// The reader's two ways into the lines of a letter file.
class TLetterFileReader {
public:
    explicit TLetterFileReader(std::vector<std::string> lines);

    // The value of the first line whose text before its first "=" equals
    // the key, without regard to case; empty when no line has the key.
    std::string Value(std::string_view key) const;
    // A line count by key: nullopt when missing, not a whole number, or negative.
    std::optional<long long> Count(std::string_view key) const;
    // Line `index` of the file; ELetterFileError past the last line.
    const std::string& Line(long long index) const;
    // The same line handed over: it reads empty afterwards.
    std::string TakeLine(long long index);

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
    // Each key (folded) with the first line that has it: the keys are looked
    // up one by one, and a long message would be searched through for each.
    std::unordered_map<std::string, std::size_t> firstLine_;
};

// Open's reading steps: the three counts (a missing or bad one fails before
// anything is touched), then the blocks emptied and filled from line 4 on,
// the tick marks 1-15 and the single-line fields, in this order. Throws
// ELetterFileError where the file falls short; what was put in stays.
// The reader is spent: its lines go to the sink.
void ReadLetterFile(TLetterFileReader file, TLetterSink& sink);

// What the user is told when a letter file cannot be opened.
inline constexpr const char* kLetterOpenFailure =
    "Fehler beim Öffnen!\n"
    "Möglicherweise wurde der Zettelino mit einer älteren Programmversion erstellt.\n"
    "Versuchen Sie die ggf. über \"Zettelino|Öffnen alte Version...\" fortzufahren";

} // namespace zt::files
