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

std::string TickMarkLabel(int n, const std::string& sonst1, const std::string& sonst2)
{
    return n == 9 ? sonst1 : n == 15 ? sonst2 : TickMarkCaption(n);
}

} // namespace zt::output
