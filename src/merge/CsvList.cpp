#include "merge/CsvList.h"
#include "platform/text/Trim.h"

namespace zt::merge {

namespace {

// Reads records one after another, counting lines as it goes.
class CsvParser {
public:
    CsvParser(std::string_view text, char separator) : text_(text), sep_(separator) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    int Line() const { return line_; }
    // The line on which a quoted field of the last record opened that took
    // in line breaks and separators (0: none did), as a stray quote does.
    int SwallowedFrom() const { return swallowedFrom_; }
    int SwallowedTo() const { return swallowedTo_; }

    // The next record's fields; `startLine` gets the line it starts on.
    std::vector<std::string> Next(int& startLine, const std::string& name)
    {
        std::vector<std::string> fields(1);
        startLine = line_;
        swallowedFrom_ = 0;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == sep_) {
                fields.emplace_back();
                ++pos_;
            } else if (c == '\r' || c == '\n') {
                lineBreak();
                return fields;
            } else if (c == '"' && fields.back().empty()) {
                quoted(fields.back(), name);
            } else {
                fields.back() += c;
                ++pos_;
            }
        }
        return fields;
    }

private:
    void lineBreak()
    {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
            ++pos_;
        ++pos_;
        ++line_;
    }

    void quoted(std::string& field, const std::string& name)
    {
        const int opened = line_;
        bool lineBreaks = false, separators = false;
        ++pos_;
        for (;;) {
            if (pos_ >= text_.size())
                throw EAddressListError("Die Adressliste \"" + name + "\" ist beschädigt: das Anführungszeichen in Zeile " +
                                        std::to_string(opened) + " wird nicht geschlossen.");
            const char c = text_[pos_];
            if (c == '"') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                    field += '"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                if (lineBreaks && separators && swallowedFrom_ == 0) {
                    swallowedFrom_ = opened;
                    swallowedTo_ = line_;
                }
                return; // what follows up to the separator is taken as it stands
            }
            if (c == '\r' || c == '\n') {
                // A line break inside a field is one break, whatever the file used.
                lineBreak();
                field += '\n';
                lineBreaks = true;
                continue;
            }
            separators = separators || c == sep_;
            field += c;
            ++pos_;
        }
    }

    std::string_view text_;
    char sep_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int swallowedFrom_ = 0;
    int swallowedTo_ = 0;
};

std::string trimmed(const std::string& s) { return std::string(platform::text::trimmed(s)); }

// A record that does not line up with the header would put its values
// under the wrong columns (a name in the street, a greeting full of
// separators) or glue two recipients into one, so it stops the merge.
// Fields left out at the end, and empty ones beyond the header, are fine.
void checkLinesUp(const TAddressRecord& record, std::size_t columns, const CsvParser& parser,
                  const std::string& name)
{
    std::size_t used = record.values.size();
    while (used > columns && trimmed(record.values[used - 1]).empty())
        --used;
    const std::string damaged = "Die Adressliste \"" + name + "\" ist beschädigt: ";
    if (used > columns)
        throw EAddressListError(damaged + "Zeile " + std::to_string(record.line) + " hat " + std::to_string(used) +
                                " Felder, die Kopfzeile nur " + std::to_string(columns) + ".");
    if (parser.SwallowedFrom() != 0 && record.values.size() < columns)
        throw EAddressListError(damaged + "das Anführungszeichen in Zeile " + std::to_string(parser.SwallowedFrom()) +
                                " schließt erst in Zeile " + std::to_string(parser.SwallowedTo()) +
                                "; dazwischen stehen Zeilenumbrüche und Trennzeichen, und der Datensatz passt nicht "
                                "mehr zur Kopfzeile.");
}

} // namespace

char DetectSeparator(std::string_view headerLine)
{
    int semicolons = 0, commas = 0, tabs = 0;
    bool quoted = false;
    for (const char c : headerLine) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ';')
            ++semicolons;
        else if (!quoted && c == ',')
            ++commas;
        else if (!quoted && c == '\t')
            ++tabs;
    }
    if (tabs > semicolons && tabs > commas)
        return '\t';
    if (commas > semicolons)
        return ',';
    return ';';
}

TAddressList ReadCsv(std::string_view text, const std::string& name)
{
    // The header's first physical line decides the separator.
    std::size_t start = 0;
    while (start < text.size() && (text[start] == '\r' || text[start] == '\n'))
        ++start;
    const std::size_t end = text.find_first_of("\r\n", start);
    const char separator = DetectSeparator(text.substr(start, end == std::string_view::npos ? text.npos : end - start));

    CsvParser parser(text, separator);
    TAddressList list;
    int line = 0;
    while (!parser.AtEnd() && list.columns.empty()) {
        std::vector<std::string> header = parser.Next(line, name);
        if (header.size() == 1 && trimmed(header[0]).empty())
            continue;
        for (std::size_t i = 0; i < header.size(); ++i) {
            std::string column = trimmed(header[i]);
            list.columns.push_back(column.empty() ? "Spalte " + std::to_string(i + 1) : column);
        }
    }
    if (list.columns.empty())
        throw EAddressListError("Die Adressliste \"" + name + "\" ist leer.");
    while (!parser.AtEnd()) {
        TAddressRecord record;
        record.values = parser.Next(record.line, name);
        checkLinesUp(record, list.columns.size(), parser, name);
        record.values.resize(list.columns.size());
        for (std::string& v : record.values)
            v = trimmed(v);
        if (!record.Empty())
            list.records.push_back(std::move(record));
    }
    return list;
}

} // namespace zt::merge
