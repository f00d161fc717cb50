#pragma once
// Text files as the system reads and writes them. Reading: a byte-order mark
// selects UTF-8 or UTF-16 LE/BE, no mark means Windows-1252; CR LF, LF and CR
// each end a line. Writing: Windows-1252 without a mark and CR LF after every
// line, the last included; text Windows-1252 cannot hold is written as UTF-8
// with a byte-order mark instead of being lost as "?".

#include <string>
#include <string_view>
#include <vector>

namespace zt::platform::text {

enum class TextEncoding { Cp1252, Utf8Bom, Utf16LE, Utf16BE };

struct DecodedText {
    std::string text;          // UTF-8
    TextEncoding encoding = TextEncoding::Cp1252;
};

DecodedText decodeText(std::string_view bytes);

// Lines of a text; a line end after the last line adds no empty line, so
// "a\r\nb\r\n" and "a\nb" both give {"a", "b"} and "" gives none.
std::vector<std::string> splitLines(std::string_view text);

// The bytes of a file holding `lines`, each followed by CR LF.
std::string encodeLines(const std::vector<std::string>& lines);
// The encoding encodeLines chooses for these lines.
TextEncoding encodingFor(const std::vector<std::string>& lines);

// Throw PlatformError with the system's message on failure.
std::vector<std::string> readTextFile(const std::string& path);
// Replaces the file atomically (see writeFileAtomically).
void writeTextFile(const std::string& path, const std::vector<std::string>& lines);

} // namespace zt::platform::text
