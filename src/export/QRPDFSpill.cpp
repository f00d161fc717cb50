// Closed pages of a long document in a temporary file: their content is
// final, so it waits there until the document is written.

#include "export/QRPDFFilter.h"
#include "platform/files/TempFile.h"

namespace zt::exporting {

using namespace zt::report;

namespace {

// Closed pages stay in memory up to this many bytes of content.
constexpr std::size_t kInMemoryPages = 8u << 20;

} // namespace

void TQRPDFDocumentFilter::spillClosedPages()
{
    TPDFNote& n = FPDF;
    const TPDFPageParts& closed = n.parts.back();
    n.inMemory += closed.text.size() + closed.graphics.size();
    if (n.inMemory < kInMemoryPages)
        return;
    if (!n.spillFile)
        n.spillFile = std::make_unique<platform::files::TempFile>("QRP");
    n.spilled.resize(n.parts.size());
    std::string chunk;
    const std::uint64_t chunkAt = n.spillEnd;
    for (std::size_t i = n.firstInMemory; i < n.parts.size(); ++i) {
        TPDFPageParts& p = n.parts[i];
        n.spilled[i] = {true, n.spillEnd + chunk.size(), p.text.size(), p.graphics.size()};
        chunk += p.text;
        chunk += p.graphics;
        // Moving an empty string in would keep the old buffer: free it.
        std::string().swap(p.text);
        std::string().swap(p.graphics);
    }
    n.spillFile->writeAt(chunkAt, chunk.data(), chunk.size());
    n.spillEnd += chunk.size();
    n.firstInMemory = n.parts.size();
    n.inMemory = 0;
}

TPDFPageParts TQRPDFDocumentFilter::takeParts(std::size_t page)
{
    TPDFNote& n = FPDF;
    if (page >= n.spilled.size() || !n.spilled[page].onDisk)
        return std::move(n.parts[page]);
    const TPDFSpilledPage& s = n.spilled[page];
    TPDFPageParts parts;
    parts.text.resize(s.text);
    parts.graphics.resize(s.graphics);
    n.spillFile->readAt(s.at, parts.text.data(), s.text);
    n.spillFile->readAt(s.at + s.text, parts.graphics.data(), s.graphics);
    return parts;
}

} // namespace zt::exporting
