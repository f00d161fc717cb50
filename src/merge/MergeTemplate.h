#pragma once
// A letter made for many recipients: placeholders «Spalte» or {Spalte} in
// any of its texts name a column of the address list (without regard to
// case), and a letter whose address block is empty gets each recipient's
// address from the record. The template is checked once against the
// list's columns, then filled record by record.

#include "merge/AddressList.h"
#include "output/WindowlessLetter.h"
#include "files/LetterFields.h"

#include <array>
#include <string>
#include <vector>

namespace zt::merge {

// One recipient's letter.
struct TMergedLetter {
    output::TWindowlessLetter letter;
    int line = 0;         // the record's line in the list
    std::string fileStem; // a name for its own file: "Name Vorname", the company, or "Empfänger N"
};

class TMergeTemplate {
public:
    // Throws EAddressListError naming a placeholder that names no column,
    // with the list's columns.
    TMergeTemplate(const output::TWindowlessLetter& letter, const std::vector<std::string>& columns);

    // Throws EAddressListError when the record's address needs more lines
    // than the address block takes.
    TMergedLetter Fill(const TAddressRecord& record, int number) const;

private:
    // A text as pieces: literal text, or the column a placeholder names.
    struct Piece {
        std::string text;
        int column = -1;
    };
    using Text = std::vector<Piece>;

    Text compile(const std::string& text) const;
    std::string expand(const Text& text, const TAddressRecord& record) const;
    std::vector<std::string> expandLines(const std::vector<Text>& lines, const TAddressRecord& record) const;
    std::vector<std::string> addressOf(const TAddressRecord& record) const;

    output::TWindowlessLetter FLetter;
    std::vector<std::string> FColumns;
    // The blocks' lines and the single-line fields, in the order of
    // files::kLetterBlocks and files::kLetterFields.
    std::array<std::vector<Text>, files::kLetterBlockCount> FBlocks;
    std::array<Text, files::kLetterFieldCount> FFields;
    bool FAddressFromRecord = false;
    // Columns an address is built from; -1 where the list has none.
    int FFirma = -1, FAnrede = -1, FTitel = -1, FVorname = -1, FName = -1, FStrasse = -1, FPlz = -1, FOrt = -1,
        FLand = -1;
};

// The placeholders in a text, as written between their marks.
std::vector<std::string> PlaceholdersIn(const std::string& text);

// A file name made from `stem` that every file system takes: no separators,
// reserved or control characters, no leading dots, at most 100 characters.
std::string SafeFileStem(const std::string& stem);

} // namespace zt::merge
