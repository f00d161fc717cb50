#pragma once
// Whole-file reads and writes, and the test whether a file may be taken over
// for writing. Failures throw PlatformError with the system's message.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zt::platform::files {

std::string readFileBytes(const std::string& path);

// The whole of `bytes` to an open file, or PlatformError naming `path`.
void writeAll(int fd, std::string_view bytes, const std::string& path);
// Up to `count` bytes from an open file, fewer only at its end.
std::size_t readUpTo(int fd, void* buffer, std::size_t count, const std::string& path);

// A file that carries no write permission counts as read-only, also for the
// superuser, who could otherwise write anything.
bool isReadOnly(const std::string& path);

// Writes `bytes` to a temporary file in the target's folder and renames it
// over the target, so a failed or interrupted write leaves the previous file
// whole. A read-only target is refused (EACCES). A new file gets the usual
// permissions (0666 less the umask), a replaced one keeps its own.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// The same for content too large to hold twice: `produce` hands the bytes
// to the sink it is given, piece by piece, in order.
using ByteSink = std::function<void(std::string_view)>;
void writeFileAtomically(const std::string& path, const std::function<void(const ByteSink&)>& produce);

// True when the existing file can be opened for reading and writing and no
// other process holds a lock on it (the exclusive-open test before a file is
// overwritten). False for a missing, read-only or locked file.
bool canOpenExclusively(const std::string& path);

// The folder part of a path, with a trailing separator ("" for a bare name).
std::string folderOf(const std::string& path);
// The name part of a path (the whole of a bare name).
std::string fileNameOf(const std::string& path);
// Makes the folder and those above it; throws PlatformError (German, with
// the system's reason) when it cannot, or when a file stands in its place.
void createFolders(const std::string& dir);

} // namespace zt::platform::files
