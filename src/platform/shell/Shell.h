#pragma once
// The shell: open a document or an address with the user's preferred
// program. As on Windows the result is not examined by the callers; a
// failure to start anything at all is reported by an exception.

#include <string>
#include <vector>

namespace zt::platform {

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a file path or a URL ("MAILTO:...", "https://...").
    virtual void open(const std::string& target) = 0;
};

// The process-wide shell; xdg-open unless another one is installed.
Shell& shell();
// Installs `s` (not owned; nullptr restores the default) and returns the previous one.
Shell* setShell(Shell* s);

// Starts xdg-open with the target as its one argument (an argument vector,
// never a shell command line) and does not wait for it. Throws PlatformError
// when no process can be started.
class XdgOpenShell final : public Shell {
public:
    explicit XdgOpenShell(std::string program = "xdg-open") : program_(std::move(program)) {}
    void open(const std::string& target) override;

private:
    std::string program_;
};

// Records what it was asked to open (tests).
class RecordingShell final : public Shell {
public:
    void open(const std::string& target) override;
    std::vector<std::string> opened;
    bool fail = false; // throw instead, as a shell that cannot start
};

} // namespace zt::platform
