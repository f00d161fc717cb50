#include "pages/QRPageList.h"

#include "pages/QRPChain.h"
#include "pages/QRPHeader.h"
#include "pages/QRPLayout.h"
#include "pages/QRPayload.h"
#include "platform/core/PlatformError.h"
#include "platform/files/FileAccess.h"

#include <cstdlib>
#include <limits>
#include <string_view>
#include <vector>

namespace zt::pages {

using platform::ErrorKind;
using platform::PlatformError;
using platform::SeekOrigin;
using platform::gdi::TMetafile;

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

constexpr std::int64_t kMaxOffset = std::numeric_limits<std::int32_t>::max();

} // namespace

TQRPageList::TQRPageList() : FHeaderLength(kQRPHeaderSize) {}

TQRPageList::~TQRPageList() = default;

TQRStream& TQRPageList::stream()
{
    if (!FStream)
        throw PlatformError(ErrorKind::InternalFault, "The page store has no stream");
    return *FStream;
}

void TQRPageList::SetStream(std::unique_ptr<TQRStream> s)
{
    Guard guard(FLock);
    adopt(std::move(s));
    FPageCount = 0;
}

TQRIncompleteFileError::TQRIncompleteFileError(std::int32_t stated, std::int32_t held)
    : PlatformError(ErrorKind::DamagedInput, "der Kopf zählt " + std::to_string(stated) + " Seiten, die Datei enthält " +
                                                 std::to_string(held)),
      stated_(stated), held_(held)
{
}

void TQRPageList::RequireAllPages() const
{
    if (FStatedPageCount > FPageCount)
        throw TQRIncompleteFileError(FStatedPageCount, FPageCount);
}

void TQRPageList::adopt(std::unique_ptr<TQRStream> s)
{
    FStream = std::move(s);
    FHeaderLength = kQRPHeaderSize;
    FCursor = -1;
}

void TQRPageList::writeHeader()
{
    TQRPHeader header;
    header.PageCount = FPageCount;
    header.Date = LocalDateTimeNow();
    header.Packed = FCompression;
    const TQRPHeaderBytes bytes = EncodeHeader(header);
    FStream->SetPosition(0);
    FStream->WriteBuffer(bytes.data(), bytes.size());
}

void TQRPageList::AddPage(const TMetafile& aMetafile)
{
    Guard guard(FLock);
    TQRStream& s = stream();
    if (aMetafile.Empty())
        throw PlatformError(ErrorKind::InternalFault, "Invalid metafile");
    TQRStreamLock streamLock(s);
    const std::int32_t before = FPageCount;
    std::int64_t start = 0;
    try {
        ++FPageCount;
        if (FPageCount == 1) {
            // Page 1 always follows a fresh 120-byte header, whatever the
            // stream held before.
            s.SetSize(0);
            FHeaderLength = kQRPHeaderSize;
            writeHeader();
        }
        start = s.Seek(0, SeekOrigin::End);
        if (start > kMaxOffset - kQRPRecordOverhead)
            throw PlatformError(ErrorKind::SystemFailure, "Der Seitenspeicher ist voll");
        s.WriteInt32(FPageCount);
        s.WriteInt32(static_cast<std::int32_t>(start + 4));
        WritePayload(s, aMetafile, FCompression);
        s.WriteInt32(static_cast<std::int32_t>(start));
        const std::int64_t end = s.Position();
        if (end > kMaxOffset)
            throw PlatformError(ErrorKind::SystemFailure, "Der Seitenspeicher ist voll");
        s.SetPosition(start + 4);
        s.WriteInt32(static_cast<std::int32_t>(end));
        s.SetPosition(end);
        FCursor = end;
    } catch (...) {
        FPageCount = before;
        FCursor = -1;
        try {
            s.SetSize(before == 0 ? 0 : start);
        } catch (...) {
            // The first failure is the one to report.
        }
        throw;
    }
}

std::unique_ptr<TMetafile> TQRPageList::GetPage(std::int32_t PageNumber)
{
    Guard guard(FLock);
    if (!FStream || PageNumber < 1 || PageNumber > FPageCount)
        return nullptr;
    TQRStream& s = *FStream;
    TQRStreamLock streamLock(s);
    TQRPChain chain(s, FHeaderLength);

    // Start from whichever known record is nearest: page 1, the cursor, or
    // the last record.
    std::optional<TQRPRecord> from;
    auto consider = [&](const std::optional<TQRPRecord>& r) {
        if (r && (!from || std::llabs(std::int64_t(r->PageNumber) - PageNumber) <
                               std::llabs(std::int64_t(from->PageNumber) - PageNumber)))
            from = r;
    };
    if (FCursor >= 0 && FCursor < chain.Size())
        consider(chain.RecordAt(FCursor));
    consider(chain.First());
    if (!from || from->PageNumber != PageNumber)
        consider(chain.Last());
    auto record = from ? chain.Find(PageNumber, *from) : std::nullopt;
    // A broken back link does not hide a page the forward chain still reaches.
    if (!record && from && from->Offset != FHeaderLength)
        if (const auto first = chain.First())
            record = chain.Find(PageNumber, *first);
    if (!record)
        throw PlatformError(ErrorKind::DamagedInput,
                            "Invalid saved report file: page " + std::to_string(PageNumber) + " not found");

    std::vector<std::uint8_t> payload(static_cast<std::size_t>(record->PayloadSize()));
    s.SetPosition(record->PayloadOffset());
    s.ReadBuffer(payload.data(), payload.size());
    auto page = std::make_unique<TMetafile>(ReadPayload(std::move(payload), FCompression));
    s.SetPosition(record->Next);
    FCursor = record->Next;
    return page;
}

void TQRPageList::Finish()
{
    Guard guard(FLock);
    TQRStream& s = stream();
    TQRStreamLock streamLock(s);
    // A loaded file of another layout keeps its own header.
    if (FHeaderLength == kQRPHeaderSize)
        writeHeader();
    s.SetPosition(FHeaderLength);
    FCursor = FHeaderLength;
}

void TQRPageList::Clear()
{
    Guard guard(FLock);
    FPageCount = 0;
    FCursor = -1;
    if (FStream) {
        // Old records would otherwise be found as the new pages.
        FStream->SetSize(0);
        FHeaderLength = kQRPHeaderSize;
    }
}

void TQRPageList::SaveToStream(platform::TStream& inStream)
{
    Guard guard(FLock);
    stream().SaveToStream(inStream);
}

void TQRPageList::SaveToFile(const std::string& Filename)
{
    Guard guard(FLock);
    // Block by block: a second copy of a long report in memory would double
    // what saving it takes.
    TQRStream& pages = stream();
    platform::files::writeFileAtomically(Filename, [&pages](const platform::files::ByteSink& sink) {
        pages.Seek(0, platform::SeekOrigin::Beginning);
        std::vector<char> block(64 * 1024);
        for (std::size_t n; (n = pages.Read(block.data(), block.size())) > 0;)
            sink(std::string_view(block.data(), n));
    });
}

void TQRPageList::LoadFromFile(const std::string& Filename)
{
    Guard guard(FLock);
    auto loaded = TQRStream::CreateFromFile(Filename);
    const TQRPLayout layout = ReadLayout(*loaded);

    auto oldStream = std::move(FStream);
    const std::int32_t oldCount = FPageCount;
    const auto oldCompression = FCompression;
    const auto oldHeader = FHeaderLength;
    const auto oldCursor = FCursor;
    adopt(std::move(loaded));
    const std::int32_t oldStated = FStatedPageCount;
    FPageCount = layout.PageCount;
    FStatedPageCount = layout.StatedPageCount;
    FCompression = layout.Packed;
    FHeaderLength = layout.HeaderLength;
    FCursor = layout.HeaderLength;
    try {
        // Reading the last page once proves the file and leaves the walk at its end.
        GetPage(FPageCount);
    } catch (...) {
        FStream = std::move(oldStream);
        FPageCount = oldCount;
        FStatedPageCount = oldStated;
        FCompression = oldCompression;
        FHeaderLength = oldHeader;
        FCursor = oldCursor;
        throw;
    }
}

void TQRPageList::LoadFromStream(platform::TStream& inStream)
{
    Guard guard(FLock);
    const std::int64_t size = inStream.Size();
    if (size > kMaxOffset)
        throw PlatformError(ErrorKind::DamagedInput, "Der Bericht ist zu groß");
    auto copy = TQRStream::Create(static_cast<std::int32_t>(size));
    copy->CopyFrom(inStream, 0);
    const TQRPLayout layout = ReadLayout(*copy);
    adopt(std::move(copy));
    FPageCount = layout.PageCount;
    FStatedPageCount = layout.StatedPageCount;
    FCompression = layout.Packed;
    FHeaderLength = layout.HeaderLength;
    FCursor = layout.HeaderLength;
}

} // namespace zt::pages
