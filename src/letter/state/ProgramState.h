#pragma once
// The program-wide state that goes with the letter; it lives for the whole
// run and only the settings file carries part of it to the next one.

#include <string>

namespace zt::letter {

// Folder of the settings and phrase files, with a trailing separator.
extern std::string ProgramDir;
// Folder first shown by the open and save dialogs.
extern std::string LastDir;
// The letter file opened or saved last; empty for a new letter.
extern std::string CurrentFile;
// False once the letter has been changed since it was opened, saved or cleared.
extern bool LetterSaved;
// Page total of the printout, set by the Preview and Print commands.
extern int PreviewPageTotal;

// The folder the dialogs start in when the settings name none: the user's
// documents folder (else home) with a trailing separator.
std::string builtInLastDir();
// The user's home folder with a trailing separator.
std::string builtInHomeDir();

// Back to the state at program start (tests start every window afresh).
void resetProgramState();

} // namespace zt::letter
