#pragma once
// A failure of a platform service, carrying the system's message. Commands
// catch what they expect; the rest reaches the application's general error box.

#include <stdexcept>
#include <string>

namespace zt::platform {

class PlatformError : public std::runtime_error {
public:
    explicit PlatformError(const std::string& message) : std::runtime_error(message) {}
};

// The message for errno value `err`, prefixed with what was being done
// ("Cannot open file \"x\": No such file or directory").
std::string systemMessage(const std::string& what, int err);

[[noreturn]] void throwSystemError(const std::string& what, int err);

} // namespace zt::platform
