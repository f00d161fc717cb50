#include "pages/QRStream.h"

#include "platform/core/PlatformError.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace zt::pages {

using platform::ErrorKind;
using platform::PlatformError;
using platform::SeekOrigin;

namespace {

constexpr std::size_t kSaveBlock = 10240;
// Room a loaded file gets before it would move to disk.
constexpr std::int64_t kLoadedSlack = 1000;

using Guard = std::lock_guard<std::recursive_mutex>;

} // namespace

TQRStream::TQRStream(std::int32_t pMemoryLimit)
    : MemoryStream(std::make_unique<TQRMemoryStream>()), FMemoryLimit(pMemoryLimit)
{
}

TQRStream::~TQRStream()
{
    Guard guard(FLock);
    MemoryStream.reset();
    // The temporary file's owner closes and deletes it.
    FileStream.reset();
}

std::unique_ptr<TQRStream> TQRStream::Create(std::int32_t pMemoryLimit)
{
    return std::make_unique<TQRStream>(pMemoryLimit);
}

std::unique_ptr<TQRStream> TQRStream::CreateFromFile(const std::string& Filename)
{
    platform::TFileStream file(Filename, platform::TFileStream::Mode::OpenRead);
    const std::int64_t size = file.Size();
    if (size > std::numeric_limits<std::int32_t>::max() - kLoadedSlack)
        throw PlatformError(ErrorKind::DamagedInput, "Die Berichtsdatei \"" + Filename + "\" ist zu groß");
    auto stream = std::make_unique<TQRStream>(static_cast<std::int32_t>(size + kLoadedSlack));
    stream->MemoryStream->LoadFrom(file, size);
    return stream;
}

std::size_t TQRStream::Read(void* buffer, std::size_t count)
{
    Guard guard(FLock);
    if (FInMemory)
        return MemoryStream->Read(buffer, count);
    if (FFilePosition >= FFileSize)
        return 0;
    const auto n = FileStream->readAt(static_cast<std::uint64_t>(FFilePosition), buffer, count);
    FFilePosition += static_cast<std::int64_t>(n);
    return n;
}

std::size_t TQRStream::Write(const void* buffer, std::size_t count)
{
    Guard guard(FLock);
    if (FInMemory) {
        const std::size_t n = MemoryStream->Write(buffer, count);
        if (MemoryStream->Size() > FMemoryLimit)
            moveToFile();
        return n;
    }
    FileStream->writeAt(static_cast<std::uint64_t>(FFilePosition), buffer, count);
    FFilePosition += static_cast<std::int64_t>(count);
    FFileSize = std::max(FFileSize, FFilePosition);
    return count;
}

void TQRStream::moveToFile()
{
    auto file = std::make_unique<platform::files::TempFile>("QRP");
    std::uint64_t at = 0;
    MemoryStream->ForEachBlock([&](const std::uint8_t* data, std::size_t n) {
        file->writeAt(at, data, n);
        at += n;
    });
    // Continue where the last write ended.
    FFilePosition = MemoryStream->Position();
    FFileSize = MemoryStream->Size();
    FFilename = file->path();
    FileStream = std::move(file);
    MemoryStream.reset();
    FInMemory = false;
}

std::int64_t TQRStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    Guard guard(FLock);
    if (FInMemory)
        return MemoryStream->Seek(offset, origin);
    std::int64_t base = 0;
    if (origin == SeekOrigin::Current)
        base = FFilePosition;
    else if (origin == SeekOrigin::End)
        base = FFileSize;
    const std::int64_t target = base + offset;
    if (target < 0)
        throw PlatformError(ErrorKind::DamagedInput, "Ungültige Position in den Daten");
    FFilePosition = target;
    return target;
}

std::int64_t TQRStream::Size() const
{
    Guard guard(FLock);
    return FInMemory ? MemoryStream->Size() : FFileSize;
}

void TQRStream::SetSize(std::int64_t size)
{
    Guard guard(FLock);
    size = std::max<std::int64_t>(size, 0);
    if (FInMemory) {
        const std::int64_t position = MemoryStream->Position();
        MemoryStream->SetSize(size);
        MemoryStream->Seek(std::min(position, size), SeekOrigin::Beginning);
        return;
    }
    FileStream->truncate(static_cast<std::uint64_t>(size));
    FFileSize = size;
    FFilePosition = std::min(FFilePosition, size);
}

void TQRStream::SaveToStream(platform::TStream& AStream)
{
    Guard guard(FLock);
    Seek(0, SeekOrigin::Beginning);
    std::vector<std::uint8_t> block(kSaveBlock);
    for (;;) {
        const std::size_t n = Read(block.data(), block.size());
        if (n == 0)
            break;
        AStream.WriteBuffer(block.data(), n);
    }
}

bool TQRStream::InMemory() const
{
    Guard guard(FLock);
    return FInMemory;
}

std::string TQRStream::Filename() const
{
    Guard guard(FLock);
    return FFilename;
}

} // namespace zt::pages
