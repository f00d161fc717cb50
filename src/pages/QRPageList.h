#pragma once
// The page store: page records appended to a TQRStream behind a file header,
// which together are the saved report file. Pages are found by walking the
// record chain from the nearest known record, so reading in order costs one
// step per page.
//
// Errors: a damaged or hostile file raises PlatformError (the stream and
// metafile errors of the platform, or "Invalid saved report file: ..."), the
// same kind a failing disk raises, so callers handle one kind of failure.
// A page that the header counts but the chain does not hold is left out of
// PageCount rather than failing the whole file.
//
// Locking: the list's lock, then the stream's, never the other way round.

#include "pages/QRStream.h"
#include "platform/core/PlatformError.h"
#include "platform/gdi/Metafile.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace zt::pages {

// A saved report file that holds fewer pages than its header counts (a file
// cut short). Damaged input; the counts let each front end word it.
class TQRIncompleteFileError : public platform::PlatformError {
public:
    TQRIncompleteFileError(std::int32_t stated, std::int32_t held);
    std::int32_t StatedPages() const { return stated_; }
    std::int32_t HeldPages() const { return held_; }

private:
    std::int32_t stated_, held_;
};

class TQRPageList {
public:
    TQRPageList();
    ~TQRPageList();
    TQRPageList(const TQRPageList&) = delete;
    TQRPageList& operator=(const TQRPageList&) = delete;

    // Appends a page; the caller keeps the metafile. A page that fails half
    // way (disk full) is taken back out, so the store stays readable.
    void AddPage(const platform::gdi::TMetafile& aMetafile);
    // A new metafile holding the page, or none outside 1..PageCount.
    std::unique_ptr<platform::gdi::TMetafile> GetPage(std::int32_t PageNumber);
    // Rewrites the header with the final page count.
    void Finish();
    // No pages; the stream object stays, its old records are dropped.
    void Clear();

    // Replaces the file in one step: an interrupted save leaves the old file.
    void SaveToFile(const std::string& Filename);
    void SaveToStream(platform::TStream& inStream);
    // Replace the stream. On failure the store is left as it was.
    void LoadFromFile(const std::string& Filename);
    void LoadFromStream(platform::TStream& inStream);

    void LockList() { FLock.lock(); }
    void UnlockList() { FLock.unlock(); }

    bool Compression() const { return FCompression; }
    void SetCompression(bool value) { FCompression = value; }
    std::int32_t PageCount() const { return FPageCount; }
    // The page count a loaded file's header states; more than PageCount when
    // pages are missing from a damaged file.
    std::int32_t StatedPageCount() const { return FStatedPageCount; }
    // Throws TQRIncompleteFileError when a loaded file lacks pages its header
    // counts. Showing what is left is for recovery; opening a file for
    // the user or a tool must not pass a damaged one off as whole.
    void RequireAllPages() const;
    TQRStream* Stream() const { return FStream.get(); }
    void SetStream(std::unique_ptr<TQRStream> stream);
    // Where page 1 starts: 120 for what we write, other lengths for loaded files.
    std::int64_t HeaderLength() const { return FHeaderLength; }

private:
    void writeHeader();
    void adopt(std::unique_ptr<TQRStream> stream);
    TQRStream& stream();

    std::recursive_mutex FLock;
    bool FCompression = false;
    // Read by a preview thread while the run adds pages.
    std::atomic<std::int32_t> FPageCount = 0;
    std::unique_ptr<TQRStream> FStream;
    std::int64_t FHeaderLength;
    std::int32_t FStatedPageCount = 0;
    // Start of the record after the last one added or read (or the end); the
    // walk starts here, not at the stream's position, which others may move.
    std::int64_t FCursor = -1;
};

} // namespace zt::pages
