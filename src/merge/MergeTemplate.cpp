#include "merge/MergeTemplate.h"

#include "merge/TextCase.h"
#include "platform/files/FileNames.h"
#include "platform/text/Utf.h"
#include "output/LetterBoxes.h"
#include "files/LetterFields.h"

namespace zt::merge {

namespace {

constexpr std::string_view kOpenGuillemet = "\u00AB";
constexpr std::string_view kCloseGuillemet = "\u00BB";
// An address from the record takes no more lines than one typed in.
constexpr std::size_t kAddressLines =
    static_cast<std::size_t>(files::LetterBlockInfo(files::TLetterBlock::Anschrift).maxLines);

// Calls `found(start, end, name)` for every placeholder of the text.
template <class F>
void scanPlaceholders(const std::string& text, F found)
{
    for (std::size_t pos = 0; pos < text.size();) {
        std::string_view close;
        std::size_t openLength = 0;
        if (text[pos] == '{') {
            close = "}";
            openLength = 1;
        } else if (text.compare(pos, kOpenGuillemet.size(), kOpenGuillemet) == 0) {
            close = kCloseGuillemet;
            openLength = kOpenGuillemet.size();
        } else {
            ++pos;
            continue;
        }
        const std::size_t end = text.find(close, pos + openLength);
        if (end == std::string::npos || end == pos + openLength) {
            pos += openLength;
            continue;
        }
        found(pos, end + close.size(), text.substr(pos + openLength, end - pos - openLength));
        pos = end + close.size();
    }
}

std::string joined(std::initializer_list<std::string> parts, const char* between)
{
    std::string out;
    for (const std::string& p : parts)
        if (!p.empty())
            out += (out.empty() ? "" : between) + p;
    return out;
}

bool isGermany(const std::string& country)
{
    const std::string c = FoldCase(country);
    return c.empty() || c == "deutschland" || c == "germany" || c == "de" || c == "d" || c == "deu" ||
           c == "bundesrepublik deutschland" || c == "brd";
}

// A record's value as one line: a field of one line stays one line.
std::string valueOf(const TAddressRecord& record, int column)
{
    std::string out;
    if (column < 0 || static_cast<std::size_t>(column) >= record.values.size())
        return out;
    for (const char c : record.values[static_cast<std::size_t>(column)])
        out += (c == '\n' || c == '\r') ? ' ' : c;
    return out;
}

int columnOf(const std::vector<std::string>& columns, std::initializer_list<std::string_view> names)
{
    for (const std::string_view name : names)
        if (const auto i = FindColumn(columns, name))
            return static_cast<int>(*i);
    return -1;
}

} // namespace

std::vector<std::string> PlaceholdersIn(const std::string& text)
{
    std::vector<std::string> names;
    scanPlaceholders(text, [&](std::size_t, std::size_t, const std::string& name) { names.push_back(name); });
    return names;
}

TMergeTemplate::TMergeTemplate(const output::TWindowlessLetter& letter, const std::vector<std::string>& columns)
    : FLetter(letter), FColumns(columns)
{
    const files::TLetterContent& c = letter.content;
    for (const files::TLetterBlockInfo& b : files::kLetterBlocks)
        for (const std::string& line : c.*b.lines)
            FBlocks[files::IndexOf(b.block)].push_back(compile(line));
    for (const files::TLetterFieldInfo& f : files::kLetterFields)
        FFields[files::IndexOf(f.field)] = compile(c.*f.text);
    FAddressFromRecord = c.anschrift.empty();
    FFirma = columnOf(columns, {"Firma", "Unternehmen", "Organisation", "Company"});
    FAnrede = columnOf(columns, {"Anrede"});
    FTitel = columnOf(columns, {"Titel"});
    FVorname = columnOf(columns, {"Vorname"});
    FName = columnOf(columns, {"Name", "Nachname", "Familienname"});
    FStrasse = columnOf(columns, {"Straße", "Strasse", "Str.", "Adresse", "Anschrift"});
    FPlz = columnOf(columns, {"PLZ", "Postleitzahl"});
    FOrt = columnOf(columns, {"Ort", "Stadt", "Wohnort"});
    FLand = columnOf(columns, {"Land", "Staat"});
}

TMergeTemplate::Text TMergeTemplate::compile(const std::string& text) const
{
    Text out;
    std::size_t done = 0;
    scanPlaceholders(text, [&](std::size_t start, std::size_t end, const std::string& name) {
        const auto column = FindColumn(FColumns, name);
        if (!column) {
            std::string list;
            for (const std::string& c : FColumns)
                list += (list.empty() ? "" : ", ") + c;
            throw EAddressListError("Der Platzhalter \"" + text.substr(start, end - start) +
                                    "\" nennt keine Spalte der Adressliste. Ihre Spalten: " + list + ".");
        }
        if (start > done)
            out.push_back({text.substr(done, start - done), -1});
        out.push_back({{}, static_cast<int>(*column)});
        done = end;
    });
    if (done < text.size() || out.empty())
        out.push_back({text.substr(done), -1});
    return out;
}

std::string TMergeTemplate::expand(const Text& text, const TAddressRecord& record) const
{
    std::string out;
    for (const Piece& p : text) {
        out += p.column < 0 ? p.text : valueOf(record, p.column);
    }
    return out;
}

std::vector<std::string> TMergeTemplate::expandLines(const std::vector<Text>& lines,
                                                     const TAddressRecord& record) const
{
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const Text& line : lines)
        out.push_back(expand(line, record));
    return out;
}

std::vector<std::string> TMergeTemplate::addressOf(const TAddressRecord& record) const
{
    const auto value = [&](int column) { return valueOf(record, column); };
    std::vector<std::string> lines;
    const std::string country = value(FLand);
    for (const std::string& line : {value(FFirma),
                                    joined({value(FAnrede), value(FTitel), value(FVorname), value(FName)}, " "),
                                    value(FStrasse), joined({value(FPlz), value(FOrt)}, " "),
                                    isGermany(country) ? std::string() : country})
        if (!line.empty())
            lines.push_back(line);
    return lines;
}

TMergedLetter TMergeTemplate::Fill(const TAddressRecord& record, int number) const
{
    TMergedLetter merged;
    merged.line = record.line;
    output::TWindowlessLetter& l = merged.letter;
    l.labels = FLetter.labels;
    files::TLetterContent& c = l.content;
    c.marks = FLetter.content.marks;
    for (const files::TLetterBlockInfo& b : files::kLetterBlocks) {
        const bool fromRecord = b.block == files::TLetterBlock::Anschrift && FAddressFromRecord;
        c.*b.lines = output::BoxDisplayLines(
            fromRecord ? addressOf(record) : expandLines(FBlocks[files::IndexOf(b.block)], record),
            output::BlockBox(b.block));
        if (b.block == files::TLetterBlock::Anschrift && c.anschrift.size() > kAddressLines)
            throw EAddressListError("Die Anschrift des Empfängers in Zeile " + std::to_string(record.line) +
                                    " der Adressliste braucht mehr als fünf Zeilen.");
    }
    for (const files::TLetterFieldInfo& f : files::kLetterFields)
        c.*f.text = expand(FFields[files::IndexOf(f.field)], record);
    // A mark named by a field takes that field as filled for this recipient.
    for (const files::TTickMarkInfo& m : files::kTickMarks)
        if (m.labelledByField)
            l.labels[static_cast<std::size_t>(m.number)] = files::TickMarkLabel(m, c);

    const auto value = [&](int column) { return valueOf(record, column); };
    std::string stem = joined({value(FName), value(FVorname)}, " ");
    if (stem.empty())
        stem = value(FFirma);
    merged.fileStem = SafeFileStem(stem.empty() ? "Empfänger " + std::to_string(number) : stem);
    return merged;
}

std::string SafeFileStem(const std::string& stem)
{
    return platform::files::SafeFileName(stem, "Empfänger");
}

} // namespace zt::merge
