#pragma once
// The one error of the platform and the engine: what went wrong, in words
// (the system's message, or the engine's German text), and its kind, which
// decides how a caller answers it (the batch tool's exit status). Commands
// catch what they expect; the rest reaches the application's general error box.

#include <exception>
#include <stdexcept>
#include <string>

namespace zt::platform {

enum class ErrorKind {
    // The system failed: a file could not be opened, read or written, a
    // printer, font, program or other service of the system failed.
    SystemFailure,
    // Data from outside is not what it should be: a damaged letter, saved
    // report, metafile or settings file.
    DamagedInput,
    // A bug: a call the program should never make, an invariant broken.
    InternalFault,
};

class PlatformError : public std::runtime_error {
public:
    PlatformError(ErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    ErrorKind kind() const { return kind_; }

private:
    ErrorKind kind_;
};

// The kind of any exception: a PlatformError's own; running out of memory
// and the standard library's system errors are system failures; any other
// exception is a fault of the program.
ErrorKind errorKindOf(const std::exception& e);

// The message for errno value `err`, prefixed with what was being done
// ("Die Datei \"x\" kann nicht geöffnet werden: Datei oder Verzeichnis nicht gefunden").
std::string systemMessage(const std::string& what, int err);

// What failed with a file, as the messages above begin:
// "Die Datei \"x\" kann nicht geöffnet werden" and so on.
std::string cannotOpen(const std::string& path);
std::string cannotRead(const std::string& path);
std::string cannotWrite(const std::string& path);
std::string cannotCreate(const std::string& path);

// A system failure with the system's message.
[[noreturn]] void throwSystemError(const std::string& what, int err);

} // namespace zt::platform
