#include "output/LetterBoxes.h"

#include "platform/core/WinMath.h"
#include "platform/gdi/Metafile.h"

namespace zt::output {

platform::LogFont BoxFont()
{
    platform::LogFont f;
    f.face = "Courier New";
    f.height = platform::pointsToLogicalHeight(10, platform::gdi::kScreenPixelsPerInch);
    f.weight = platform::kFwNormal;
    return f;
}

const char* TickMarkCaption(int n)
{
    static constexpr const char* kCaptions[] = {
        "",           "Kenntnisnahme", "Anruf/Rücksprache", "Stellungnahme", "Kontrolle", "Erledigung",
        "Entscheidung", "Rücknahme",   "Verbleib",          "",              "Schreiben", "Rechnung",
        "Kopien",     "Muster",        "Vertrag",           "",
    };
    return n >= 1 && n <= 15 ? kCaptions[n] : "";
}

} // namespace zt::output
