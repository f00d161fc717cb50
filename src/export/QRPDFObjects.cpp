#include "export/QRPDFObjects.h"

#include "base/QRError.h"

#include <charconv>

namespace zt::exporting {

using namespace zt::base;

namespace {

// "%-10.10d": ten digits with leading zeros, as the table's entries want.
std::string tenDigits(std::int64_t offset)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, offset);
    std::string digits(buf, r.ptr);
    if (digits.size() < 10)
        digits.insert(0, 10 - digits.size(), '0');
    return digits;
}

std::string hex(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

} // namespace

void TPDFObjectTable::check(bool ok, const char* what) const
{
    if (!ok)
        throw EQRError(ErrorKind::InternalFault, std::string("PDF object table: ") + what);
}

int TPDFObjectTable::Reserve()
{
    check(!finished_, "reserved after the end");
    offsets_.push_back(-1);
    return Count();
}

std::string TPDFObjectTable::Ref(int n)
{
    return std::to_string(n) + " 0 R";
}

void TPDFObjectTable::Add(std::string_view line)
{
    if (line.empty())
        return;
    offset_ += static_cast<std::int64_t>(line.size()) + 2;
    sink_(line);
    sink_("\r\n");
}

void TPDFObjectTable::AddRaw(std::string_view bytes)
{
    offset_ += static_cast<std::int64_t>(bytes.size());
    sink_(bytes);
}

void TPDFObjectTable::Begin(int n)
{
    check(open_ == 0, "an object begun inside another");
    check(n >= 1 && n <= Count(), "an object not reserved");
    std::int64_t& at = offsets_[static_cast<std::size_t>(n - 1)];
    check(at < 0, "an object written twice");
    at = offset_;
    open_ = n;
    Add(std::to_string(n) + " 0 obj");
}

void TPDFObjectTable::End()
{
    check(open_ != 0, "no object to end");
    Add("endobj");
    open_ = 0;
}

void TPDFObjectTable::Object(int n, std::initializer_list<std::string_view> lines)
{
    Begin(n);
    for (const std::string_view line : lines)
        Add(line);
    End();
}

void TPDFObjectTable::LinesStream(int n, std::span<const std::string_view> lines, std::string_view entries)
{
    std::int64_t length = 0;
    for (const std::string_view line : lines)
        if (!line.empty())
            length += static_cast<std::int64_t>(line.size()) + 2;
    Begin(n);
    std::string dictionary = "<< ";
    if (!entries.empty())
        dictionary.append(entries).append(" ");
    Add(dictionary + "/Length " + std::to_string(length) + " >>");
    Add("stream");
    for (const std::string_view line : lines)
        Add(line);
    Add("endstream");
    End();
}

void TPDFObjectTable::BytesStream(int n, std::span<const std::string> dictionary, std::string_view bytes, int length)
{
    check(length != n, "a stream that is its own length");
    Begin(n);
    for (const std::string& line : dictionary)
        Add(line);
    Add("stream");
    AddRaw(bytes);
    Add("\r\nendstream");
    End();
    Begin(length);
    Add("   " + std::to_string(bytes.size()));
    End();
}

void TPDFObjectTable::Finish(const TPDFTrailer& trailer)
{
    check(open_ == 0, "an object left open");
    for (const std::int64_t at : offsets_)
        check(at >= 0, "a reserved object never written");
    check(trailer.root >= 0 && trailer.root <= Count() && trailer.info >= 0 && trailer.info <= Count(),
          "a trailer naming an object not in the table");
    finished_ = true;
    const std::int64_t xref = offset_;
    const std::string size = std::to_string(Count() + 1);
    Add("xref");
    Add("0 " + size);
    Add("0000000000 65535 f");
    for (const std::int64_t at : offsets_)
        Add(tenDigits(at) + " 00000 n");
    Add("trailer");
    Add("<<");
    Add("/Size " + size);
    if (trailer.root != 0)
        Add("/Root " + Ref(trailer.root));
    if (trailer.info != 0)
        Add("/Info " + Ref(trailer.info));
    if (!trailer.id[0].empty())
        Add("/ID [<" + hex(trailer.id[0]) + "> <" + hex(trailer.id[1].empty() ? trailer.id[0] : trailer.id[1]) +
            ">]");
    Add(">>");
    Add("startxref");
    Add(std::to_string(xref));
    Add("%%EOF");
}

} // namespace zt::exporting
