#pragma once
// Reading back what the PDF writer wrote: its lines, the content stream of a
// page, the cross-reference offsets; and the outside tools (qpdf, poppler)
// run on a written file.

#include <cstdio>
#include <fstream>
#include <regex>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace zt::testing {

struct ToolResult {
    int status = -1;
    std::string output;
};

// Runs a shell command, standard error folded into the output.
inline ToolResult runTool(const std::string& command)
{
    ToolResult r;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return r;
    char buf[4096];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        r.output.append(buf, n);
    r.status = ::pclose(pipe);
    return r;
}

inline std::string quoted(const std::string& path)
{
    return "'" + path + "'";
}

// qpdf's verdict on a file: empty when it is clean, else what it said.
inline std::string qpdfProblems(const std::string& path)
{
    const ToolResult r = runTool("qpdf --check " + quoted(path));
    if (r.status == 0 && r.output.find("No syntax or stream encoding errors") != std::string::npos &&
        r.output.find("WARNING") == std::string::npos)
        return {};
    return r.output.empty() ? "qpdf did not run" : r.output;
}

inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class PdfFile {
public:
    explicit PdfFile(std::string bytes) : bytes_(std::move(bytes))
    {
        std::size_t pos = 0;
        while (pos < bytes_.size()) {
            std::size_t end = bytes_.find("\r\n", pos);
            if (end == std::string::npos)
                end = bytes_.size();
            lines_.push_back(bytes_.substr(pos, end - pos));
            pos = end + 2;
        }
    }
    const std::string& bytes() const { return bytes_; }
    const std::vector<std::string>& lines() const { return lines_; }
    bool hasLine(const std::string& line) const
    {
        for (const auto& l : lines_)
            if (l == line)
                return true;
        return false;
    }
    // The index of the first line equal to `line` from `from`, or -1.
    long find(const std::string& line, std::size_t from = 0) const
    {
        for (std::size_t i = from; i < lines_.size(); ++i)
            if (lines_[i] == line)
                return static_cast<long>(i);
        return -1;
    }
    // The bytes of object n's stream, between "stream" CR LF and the CR LF before "endstream".
    std::string streamOf(int n) const
    {
        const std::size_t obj = bytes_.find("\r\n" + std::to_string(n) + " 0 obj\r\n");
        if (obj == std::string::npos)
            return {};
        const std::size_t start = bytes_.find("stream\r\n", obj) + 8;
        const std::size_t end = bytes_.find("\r\nendstream", start);
        return bytes_.substr(start, end - start);
    }
    // The number after "/Length " in object n.
    long lengthOf(int n) const
    {
        const std::size_t obj = bytes_.find("\r\n" + std::to_string(n) + " 0 obj\r\n");
        const std::size_t at = bytes_.find("/Length ", obj);
        return std::stol(bytes_.substr(at + 8));
    }
    // The offsets of the cross-reference table, object 1 first.
    std::vector<long> xrefOffsets() const
    {
        std::vector<long> out;
        const long x = find("xref");
        if (x < 0)
            return out;
        for (std::size_t i = static_cast<std::size_t>(x) + 3; i < lines_.size() && lines_[i] != "trailer"; ++i)
            out.push_back(std::stol(lines_[i].substr(0, 10)));
        return out;
    }

private:
    std::string bytes_;
    std::vector<std::string> lines_;
};

// A written PDF's bytes without the moment of writing: the information's
// instants, the metadata's, and the file identifier made with them. Two
// runs a second apart differ in these alone.
inline std::string withoutInstants(std::string bytes)
{
    static const std::regex pdfDate(R"(\(D:[0-9]{14}[^)]*\))");
    static const std::regex xmpDate(R"(>[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}[^<]*<)");
    static const std::regex fileId(R"(/ID \[<[0-9A-Fa-f]*> ?<[0-9A-Fa-f]*>\])");
    bytes = std::regex_replace(bytes, pdfDate, "(D:)");
    bytes = std::regex_replace(bytes, xmpDate, "><");
    return std::regex_replace(bytes, fileId, "/ID []");
}

} // namespace zt::testing
