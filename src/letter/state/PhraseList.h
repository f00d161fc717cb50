#pragma once
// The phrase list of the picker: the built-in phrases and the phrase file.

#include <optional>
#include <string>
#include <vector>

namespace zt::letter {

inline constexpr const char* kPhraseFileName = "zlwtext.txt";
inline constexpr const char* kPickerPrompt = "<Textbaustein auswählen>";

const std::vector<std::string>& builtInPhrases();

// The lines of `ProgramDir` + "zlwtext.txt", or nullopt when it cannot be read.
std::optional<std::vector<std::string>> readPhraseFile(const std::string& programDir);

} // namespace zt::letter
