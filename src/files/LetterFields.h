#pragma once
// The letter's single-line fields, described once: every part that handles
// "the fields" (the file reader and writer, the window's controls, the
// windowless letter, the merge, spelling, accessibility) walks this table.
// A new field is one entry here plus its place on the form and on the page.

#include "files/LetterContent.h"

#include <array>
#include <cstddef>
#include <string>

namespace zt::files {

struct TLetterFieldInfo {
    TLetterField field;
    const char* fileKey;     // its key in a letter file ("edTitel=...")
    const char* control;     // the window's control (its object name)
    const char* spokenName;  // what a screen reader says for it
    int maxLength;           // characters the control takes; 0: no limit
    bool spellChecked;       // words in it are checked while typing
    std::string TLetterContent::*text;
};

// In the order of the file's keys, which is also the tab order's.
inline constexpr std::array<TLetterFieldInfo, 5> kLetterFields = {{
    {TLetterField::Titel1, "edTitel", "EditTitel1", "Betreff, Zeile 1", 80, true, &TLetterContent::titel1},
    {TLetterField::Titel2, "edTitel2", "EditTitel2", "Betreff, Zeile 2", 80, true, &TLetterContent::titel2},
    {TLetterField::Sonst1, "edSonst1", "EditSonst1", "Sonstiges (Bitte um), Text", 20, true, &TLetterContent::sonst1},
    {TLetterField::Sonst2, "edSonst2", "EditSonst2", "Sonstiges (Anlagen), Text", 20, true, &TLetterContent::sonst2},
    {TLetterField::Datum, "edDatum", "edDatum", "Ort, Datum", 0, false, &TLetterContent::datum},
}};

inline constexpr std::size_t kLetterFieldCount = kLetterFields.size();

// The entry of `field`.
constexpr const TLetterFieldInfo& LetterFieldInfo(TLetterField field)
{
    for (const TLetterFieldInfo& f : kLetterFields)
        if (f.field == field)
            return f;
    return kLetterFields.front();
}

inline std::string& FieldText(TLetterContent& letter, TLetterField field)
{
    return letter.*(LetterFieldInfo(field).text);
}
inline const std::string& FieldText(const TLetterContent& letter, TLetterField field)
{
    return letter.*(LetterFieldInfo(field).text);
}

} // namespace zt::files
