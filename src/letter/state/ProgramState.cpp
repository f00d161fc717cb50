#include "letter/state/ProgramState.h"

#include "platform/desktop/UserFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace zt::letter {

std::string ProgramDir;
std::string LastDir = builtInLastDir();
std::string CurrentFile;
bool LetterSaved = true;
int PreviewPageTotal = 0;

std::string builtInLastDir()
{
    return platform::desktop::documentsFolder();
}

std::string builtInHomeDir()
{
    std::string home;
    if (const char* env = std::getenv("HOME"); env && *env)
        home = env;
    else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        home = pw->pw_dir;
    else
        home = "/";
    if (home.back() != '/')
        home += '/';
    return home;
}

void resetProgramState()
{
    ProgramDir.clear();
    LastDir = builtInLastDir();
    CurrentFile.clear();
    LetterSaved = true;
    PreviewPageTotal = 0;
}

} // namespace zt::letter
