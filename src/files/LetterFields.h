#pragma once
// The letter's parts, described once: its three blocks, its single-line
// fields and its fifteen tick marks. Every part that handles them (the file
// reader and writer, the window's controls, accessibility, spelling,
// clearing and change tracking, the plain text, the printed letter, the
// windowless letter and the merge) walks these tables. A new field is one
// entry in kLetterFields plus its place on the form and on the page.

#include "files/LetterContent.h"

#include <array>
#include <concepts>
#include <cstddef>
#include <string>
#include <vector>

namespace zt::files {

struct TLetterBlockInfo {
    TLetterBlock block;
    const char* countKey;   // the key of its line count in a letter file ("AbsLines=3")
    const char* control;    // the window's box (its object name)
    const char* spokenName; // what a screen reader says for it
    int maxLines;           // lines the box takes while typing; 0: no limit
    bool spellChecked;      // words in it are checked while typing
    bool addressWords;      // ... as an address's: names and places pass
    std::vector<std::string> TLetterContent::*lines;
};

// In the order of the file's counts and lines.
inline constexpr std::array<TLetterBlockInfo, 3> kLetterBlocks = {{
    {TLetterBlock::Absender, "AbsLines", "MemoAbsender", "Absender", 5, true, true, &TLetterContent::absender},
    {TLetterBlock::Anschrift, "AnsLines", "MemoAnschrift", "Anschrift", 5, true, true, &TLetterContent::anschrift},
    {TLetterBlock::Mitteilung, "MitLines", "MemoMitteilung", "Mitteilung", 0, true, false,
     &TLetterContent::mitteilung},
}};

inline constexpr std::size_t kLetterBlockCount = kLetterBlocks.size();

struct TLetterFieldInfo {
    TLetterField field;
    const char* fileKey;     // its key in a letter file ("edTitel=...")
    const char* control;     // the window's control (its object name)
    const char* spokenName;  // what a screen reader says for it
    int maxLength;           // characters the control takes; 0: no limit
    bool spellChecked;       // words in it are checked while typing
    std::string TLetterContent::*text;
};

// In the order of the file's keys.
inline constexpr auto kLetterFields = std::to_array<TLetterFieldInfo>({
    {TLetterField::Titel1, "edTitel", "EditTitel1", "Betreff, Zeile 1", 80, true, &TLetterContent::titel1},
    {TLetterField::Titel2, "edTitel2", "EditTitel2", "Betreff, Zeile 2", 80, true, &TLetterContent::titel2},
    {TLetterField::Sonst1, "edSonst1", "EditSonst1", "Sonstiges (Bitte um), Text", 20, true, &TLetterContent::sonst1},
    {TLetterField::Sonst2, "edSonst2", "EditSonst2", "Sonstiges (Anlagen), Text", 20, true, &TLetterContent::sonst2},
    {TLetterField::Datum, "edDatum", "edDatum", "Ort, Datum", 0, false, &TLetterContent::datum},
#ifdef ZT_TEST_EXTRA_FIELD
    {TLetterField::Aktenzeichen, "edAktenzeichen", "EditAktenzeichen", "Aktenzeichen", 40, false,
     &TLetterContent::aktenzeichen},
#endif
});

inline constexpr std::size_t kLetterFieldCount = kLetterFields.size();

// The two lists the tick marks stand in.
enum class TTickMarkGroup { BitteUm, Anlagen };

struct TTickMarkInfo {
    int number;             // 1-15, the letter's numbering
    const char* fileKey;    // its key in a letter file ("cb1=1")
    const char* caption;    // what the box and the page say; empty for an "other" mark
    const char* control;    // the window's check box (its object name)
    TTickMarkGroup group;
    // An "other" mark has no caption: the field beside it is its label, and
    // a screen reader names the box itself by spokenName.
    bool labelledByField;
    TLetterField labelField;
    const char* spokenName; // nullptr: the caption
};

namespace detail {
constexpr TTickMarkInfo mark(int n, const char* key, const char* caption, const char* control, TTickMarkGroup group)
{
    return {n, key, caption, control, group, false, TLetterField::Titel1, nullptr};
}
constexpr TTickMarkInfo otherMark(int n, const char* key, const char* control, TTickMarkGroup group,
                                  TLetterField label, const char* spokenName)
{
    return {n, key, "", control, group, true, label, spokenName};
}
} // namespace detail

// Marks 1-9 ask for something ("Mit der Bitte um"), 10-15 name enclosures ("Anlagen").
inline constexpr std::array<TTickMarkInfo, kTickMarkCount> kTickMarks = {{
    detail::mark(1, "cb1", "Kenntnisnahme", "cbKenntnisnahme", TTickMarkGroup::BitteUm),
    detail::mark(2, "cb2", "Anruf/Rücksprache", "cbAnrufRuecksprache", TTickMarkGroup::BitteUm),
    detail::mark(3, "cb3", "Stellungnahme", "cbStellungnahme", TTickMarkGroup::BitteUm),
    detail::mark(4, "cb4", "Kontrolle", "cbKontrolle", TTickMarkGroup::BitteUm),
    detail::mark(5, "cb5", "Erledigung", "cbErledigung", TTickMarkGroup::BitteUm),
    detail::mark(6, "cb6", "Entscheidung", "cbEntscheidung", TTickMarkGroup::BitteUm),
    detail::mark(7, "cb7", "Rücknahme", "cbRuecknahme", TTickMarkGroup::BitteUm),
    detail::mark(8, "cb8", "Verbleib", "cbVerbleib", TTickMarkGroup::BitteUm),
    detail::otherMark(9, "cb9", "cbSonst1", TTickMarkGroup::BitteUm, TLetterField::Sonst1, "Sonstiges (Bitte um)"),
    detail::mark(10, "cb10", "Schreiben", "cbSchreiben", TTickMarkGroup::Anlagen),
    detail::mark(11, "cb11", "Rechnung", "CheckBox11", TTickMarkGroup::Anlagen),
    detail::mark(12, "cb12", "Kopien", "CheckBox12", TTickMarkGroup::Anlagen),
    detail::mark(13, "cb13", "Muster", "CheckBox13", TTickMarkGroup::Anlagen),
    detail::mark(14, "cb14", "Vertrag", "CheckBox14", TTickMarkGroup::Anlagen),
    detail::otherMark(15, "cb15", "CheckBox15", TTickMarkGroup::Anlagen, TLetterField::Sonst2, "Sonstiges (Anlagen)"),
}};

// The heading a group stands under, as a screen reader says it.
constexpr const char* TickMarkGroupName(TTickMarkGroup group)
{
    return group == TTickMarkGroup::BitteUm ? "Mit der Bitte um" : "Anlagen";
}

// The entries of `block`, `field` and tick mark n (1-15).
constexpr const TLetterBlockInfo& LetterBlockInfo(TLetterBlock block)
{
    for (const TLetterBlockInfo& b : kLetterBlocks)
        if (b.block == block)
            return b;
    return kLetterBlocks.front();
}
constexpr const TLetterFieldInfo& LetterFieldInfo(TLetterField field)
{
    for (const TLetterFieldInfo& f : kLetterFields)
        if (f.field == field)
            return f;
    return kLetterFields.front();
}
constexpr const TTickMarkInfo& TickMarkInfo(int n)
{
    return kTickMarks[static_cast<std::size_t>(n >= 1 && n <= kTickMarkCount ? n - 1 : 0)];
}

// A part's place in the tables, for arrays kept in their order.
constexpr std::size_t IndexOf(TLetterBlock block)
{
    return static_cast<std::size_t>(&LetterBlockInfo(block) - kLetterBlocks.data());
}
constexpr std::size_t IndexOf(TLetterField field)
{
    return static_cast<std::size_t>(&LetterFieldInfo(field) - kLetterFields.data());
}

inline std::string& FieldText(TLetterContent& letter, TLetterField field)
{
    return letter.*(LetterFieldInfo(field).text);
}
inline const std::string& FieldText(const TLetterContent& letter, TLetterField field)
{
    return letter.*(LetterFieldInfo(field).text);
}

// The label tick mark `mark` is printed and listed with: its caption, or the
// text of the field that names it, which `fieldText(field)` gives.
template <std::invocable<TLetterField> FieldTextOf>
std::string TickMarkLabel(const TTickMarkInfo& mark, FieldTextOf&& fieldText)
{
    return mark.labelledByField ? std::string(fieldText(mark.labelField)) : std::string(mark.caption);
}
inline std::string TickMarkLabel(const TTickMarkInfo& mark, const TLetterContent& letter)
{
    return TickMarkLabel(mark, [&](TLetterField f) -> const std::string& { return FieldText(letter, f); });
}

// The tables agree with themselves: each part once, in its own order.
static_assert([] {
    for (std::size_t i = 0; i < kLetterBlocks.size(); ++i)
        if (static_cast<std::size_t>(kLetterBlocks[i].block) != i)
            return false;
    for (std::size_t i = 0; i < kLetterFields.size(); ++i)
        if (static_cast<std::size_t>(kLetterFields[i].field) != i)
            return false;
    for (std::size_t i = 0; i < kTickMarks.size(); ++i)
        if (kTickMarks[i].number != static_cast<int>(i) + 1)
            return false;
    return true;
}());

} // namespace zt::files
