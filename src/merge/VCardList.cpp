#include "merge/VCardList.h"

#include "merge/TextCase.h"
#include "platform/text/CodePage.h"
#include "platform/text/Utf.h"
#include "platform/text/Trim.h"

#include <array>

namespace zt::merge {

namespace {

enum Column { Anrede, Titel, Vorname, Name, Firma, Position, Strasse, Plz, Ort, Land, ColumnCount };

struct Property {
    std::string name;                // upper case, without group
    std::vector<std::string> params; // as written, upper-cased
    std::string value;               // raw
    bool quotedPrintable = false;
    std::string charset;
};

std::string upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string trimmed(const std::string& s) { return std::string(platform::text::trimmed(s)); }

// Physical lines with folded lines joined (a line that begins with a blank
// or tab continues the one before); each keeps the number of its first line.
std::vector<std::pair<int, std::string>> unfoldedLines(std::string_view text)
{
    std::vector<std::pair<int, std::string>> lines;
    int number = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        ++number;
        if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && !lines.empty())
            lines.back().second.append(line.substr(1));
        else
            lines.emplace_back(number, std::string(line));
        if (end >= text.size())
            break;
        pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

Property parseProperty(const std::string& line)
{
    Property p;
    // The colon that ends the name and parameters lies outside quotes.
    std::size_t colon = std::string::npos;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon == std::string::npos)
        return p;
    const std::string head = line.substr(0, colon);
    p.value = line.substr(colon + 1);
    std::size_t start = 0;
    for (std::size_t i = 0; i <= head.size(); ++i)
        if (i == head.size() || head[i] == ';') {
            std::string part = upper(head.substr(start, i - start));
            if (start == 0) {
                const auto dot = part.rfind('.');
                p.name = dot == std::string::npos ? part : part.substr(dot + 1);
            } else {
                p.params.push_back(part);
                if (part == "QUOTED-PRINTABLE" || part == "ENCODING=QUOTED-PRINTABLE")
                    p.quotedPrintable = true;
                if (part.starts_with("CHARSET="))
                    p.charset = part.substr(8);
            }
            start = i + 1;
        }
    return p;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Quoted-printable bytes, then text by the card's charset (UTF-8 unless the
// bytes are not, as a 2.1 card from an old phone may be in Latin 1).
std::string decodeQuotedPrintable(const std::string& value, const std::string& charset)
{
    std::string bytes;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '=') {
            const int hi = i + 1 < value.size() ? hexDigit(value[i + 1]) : -1;
            const int lo = i + 2 < value.size() ? hexDigit(value[i + 2]) : -1;
            if (hi >= 0 && lo >= 0) {
                bytes += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
            if (i + 1 == value.size())
                break; // a soft line break left at the end
        }
        bytes += value[i];
    }
    const bool latin = charset == "ISO-8859-1" || charset == "ISO-8859-15" || charset == "WINDOWS-1252" ||
                       charset == "CP1252";
    if (!latin && platform::text::isValidUtf8(bytes))
        return bytes;
    return platform::text::decodeCp1252(bytes);
}

// The components of a structured value, each unescaped.
std::vector<std::string> components(const std::string& value, bool escaped)
{
    std::vector<std::string> out(1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\' && escaped && i + 1 < value.size()) {
            const char n = value[++i];
            out.back() += (n == 'n' || n == 'N') ? '\n' : n;
        } else if (c == ';') {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    for (std::string& part : out)
        part = trimmed(part);
    return out;
}

std::string componentAt(const std::vector<std::string>& parts, std::size_t i)
{
    return i < parts.size() ? parts[i] : std::string();
}

// A multi-line street or name component reads as one line.
std::string oneLine(std::string s)
{
    std::string out;
    for (std::size_t start = 0; start <= s.size();) {
        const std::size_t nl = s.find('\n', start);
        const std::string piece = trimmed(s.substr(start, nl == std::string::npos ? nl : nl - start));
        if (!piece.empty())
            out += (out.empty() ? "" : ", ") + piece;
        if (nl == std::string::npos)
            break;
        start = nl + 1;
    }
    return out;
}

bool isSalutation(const std::string& word)
{
    const std::string w = FoldCase(word);
    return w == "herr" || w == "herrn" || w == "frau" || w == "mr." || w == "mrs." || w == "ms." || w == "mr" ||
           w == "mrs" || w == "ms";
}

void takeName(const std::vector<std::string>& n, std::array<std::string, ColumnCount>& r)
{
    r[Name] = oneLine(componentAt(n, 0));
    r[Vorname] = oneLine(componentAt(n, 1));
    const std::string additional = oneLine(componentAt(n, 2));
    if (!additional.empty())
        r[Vorname] += (r[Vorname].empty() ? "" : " ") + additional;
    // "Herr Dr." in the prefix: the salutation, then the title.
    std::string prefix = oneLine(componentAt(n, 3));
    std::size_t start = 0;
    while (start < prefix.size()) {
        std::size_t end = prefix.find(' ', start);
        if (end == std::string::npos)
            end = prefix.size();
        const std::string word = prefix.substr(start, end - start);
        if (!word.empty()) {
            std::string& into = isSalutation(word) && r[Anrede].empty() ? r[Anrede] : r[Titel];
            into += (into.empty() ? "" : " ") + word;
        }
        start = end + 1;
    }
}

bool preferred(const Property& p)
{
    for (const std::string& param : p.params)
        if (param.find("PREF") != std::string::npos || param.find("WORK") != std::string::npos)
            return true;
    return false;
}

} // namespace

const std::vector<std::string>& VCardColumns()
{
    static const std::vector<std::string> columns{"Anrede", "Titel", "Vorname", "Name", "Firma",
                                                  "Position", "Straße", "PLZ", "Ort", "Land"};
    return columns;
}

bool LooksLikeVCard(std::string_view text)
{
    const auto start = text.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && upper(std::string(text.substr(start, 11))) == "BEGIN:VCARD";
}

TAddressList ReadVCards(std::string_view text, const std::string& name)
{
    TAddressList list;
    list.columns = VCardColumns();
    const auto lines = unfoldedLines(text);
    bool inCard = false, hasAddress = false, addressPreferred = false;
    std::array<std::string, ColumnCount> card;
    std::string formatted, gender;
    int cardLine = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i].second;
        if (trimmed(line).empty())
            continue;
        Property p = parseProperty(line);
        // A 2.1 quoted-printable value ending in "=" goes on on the next line.
        while (p.quotedPrintable && !p.value.empty() && p.value.back() == '=' && i + 1 < lines.size()) {
            p.value.pop_back();
            p.value += lines[++i].second;
        }
        if (p.name == "BEGIN" && upper(trimmed(p.value)) == "VCARD") {
            inCard = true;
            card = {};
            formatted.clear();
            gender.clear();
            hasAddress = addressPreferred = false;
            cardLine = lines[i].first;
            continue;
        }
        if (!inCard)
            continue;
        if (p.name == "END") {
            inCard = false;
            if (card[Name].empty() && card[Vorname].empty() && !formatted.empty()) {
                const auto space = formatted.rfind(' ');
                card[Name] = space == std::string::npos ? formatted : formatted.substr(space + 1);
                card[Vorname] = space == std::string::npos ? std::string() : trimmed(formatted.substr(0, space));
            }
            if (card[Anrede].empty() && (gender == "M" || gender == "F"))
                card[Anrede] = gender == "M" ? "Herr" : "Frau";
            TAddressRecord record;
            record.line = cardLine;
            record.values.assign(card.begin(), card.end());
            if (!record.Empty())
                list.records.push_back(std::move(record));
            continue;
        }
        const bool escaped = !p.quotedPrintable;
        const std::string value = p.quotedPrintable ? decodeQuotedPrintable(p.value, p.charset) : p.value;
        if (p.name == "N") {
            takeName(components(value, escaped), card);
        } else if (p.name == "FN") {
            formatted = oneLine(componentAt(components(value, escaped), 0));
        } else if (p.name == "ORG") {
            card[Firma] = oneLine(componentAt(components(value, escaped), 0));
        } else if (p.name == "TITLE") {
            card[Position] = oneLine(componentAt(components(value, escaped), 0));
        } else if (p.name == "GENDER") {
            gender = upper(componentAt(components(value, escaped), 0)).substr(0, 1);
        } else if (p.name == "ADR" && (!hasAddress || (preferred(p) && !addressPreferred))) {
            const auto parts = components(value, escaped);
            card[Strasse] = oneLine(componentAt(parts, 2));
            card[Ort] = oneLine(componentAt(parts, 3));
            card[Plz] = oneLine(componentAt(parts, 5));
            card[Land] = oneLine(componentAt(parts, 6));
            hasAddress = true;
            addressPreferred = preferred(p);
        }
    }
    if (inCard)
        throw EAddressListError("Die Adressliste \"" + name + "\" ist beschädigt: die Karte ab Zeile " +
                                std::to_string(cardLine) + " endet nicht (END:VCARD fehlt).");
    return list;
}

} // namespace zt::merge
