#include "letter/state/PhraseList.h"

#include "platform/core/PlatformError.h"
#include "platform/text/TextFile.h"

namespace zt::letter {

const std::vector<std::string>& builtInPhrases()
{
    static const std::vector<std::string> phrases = {
        "Sehr geehrter Herr ", "Sehr geehrte Frau ", "Sehr geehrte Damen und Herren ",
        "Guten Tag ", "Hallo ", "Hi ", "Mit frdl.Gruß", "Mit frdl. Grüßen", "Viele Grüße",
        "Alles Gute", "Tschüß", "Bye", "Ciao",
    };
    return phrases;
}

std::optional<std::vector<std::string>> readPhraseFile(const std::string& programDir)
{
    try {
        return platform::text::readTextFile(programDir + kPhraseFileName);
    } catch (const platform::PlatformError&) {
        return std::nullopt;
    }
}

} // namespace zt::letter
