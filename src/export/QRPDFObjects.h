#pragma once
// The PDF document's object table: it hands out object numbers, notes
// where each object starts as it goes to the output, counts the lengths of
// streams and writes the cross-reference table and trailer from what it
// noted. A number is reserved before its object is written, so objects may
// refer to others written later; nothing but the offsets is kept, so a
// long document goes out as it is written.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zt::exporting {

// What the trailer names besides the table's size; 0 or empty: left out.
struct TPDFTrailer {
    int root = 0;
    int info = 0;
    // The file identifier's two parts, written in hexadecimal (the second,
    // when empty, repeats the first).
    std::string id[2];
};

class TPDFObjectTable {
public:
    using Sink = std::function<void(std::string_view)>;
    explicit TPDFObjectTable(Sink sink) : sink_(std::move(sink)) {}

    // The next object number (the first is 1).
    int Reserve();
    // Objects reserved so far.
    int Count() const { return static_cast<int>(offsets_.size()); }
    // "n 0 R".
    static std::string Ref(int n);

    // A line of the document: it ends in CR LF in the file; an empty line
    // writes nothing.
    void Add(std::string_view line);
    // Bytes as they are, with no line end.
    void AddRaw(std::string_view bytes);
    std::int64_t Offset() const { return offset_; }

    // Reserved object `n` begins here ("n 0 obj"); every object is written
    // once, one at a time, ended by End ("endobj").
    void Begin(int n);
    void End();
    // Object `n` as these lines.
    void Object(int n, std::initializer_list<std::string_view> lines);

    // Object `n` as a stream of `lines` (each ending in CR LF, empty ones
    // left out), its dictionary "<< /Length L >>" holding their length
    // after any other `entries` ("/Type /Metadata /Subtype /XML").
    void LinesStream(int n, std::span<const std::string_view> lines, std::string_view entries = {});
    // Object `n`: the dictionary lines, then `bytes` as its stream. Its
    // length goes into object `length` (reserved, the dictionary refers to
    // it), written right after it, as a stream's length is known only when
    // its bytes have gone out.
    void BytesStream(int n, std::span<const std::string> dictionary, std::string_view bytes, int length);

    // The cross-reference table and the trailer; every reserved object must
    // have been written by now.
    void Finish(const TPDFTrailer& trailer);

private:
    void check(bool ok, const char* what) const;

    Sink sink_;
    std::int64_t offset_ = 0;
    // Where each object begins, by number less one; -1 while unwritten.
    std::vector<std::int64_t> offsets_;
    int open_ = 0;
    bool finished_ = false;
};

} // namespace zt::exporting
