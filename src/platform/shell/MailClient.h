#pragma once
// The user's mail program: a new message with a subject and an attached
// file, handed over through xdg-email.

#include <string>
#include <vector>

namespace zt::platform {

class MailClient {
public:
    virtual ~MailClient() = default;
    // Throws PlatformError (a system failure) with a German reason when the
    // message cannot be handed over.
    virtual void compose(const std::string& subject, const std::string& attachment) = 0;
};

// The process-wide mail client; xdg-email unless another one is installed.
MailClient& mailClient();
// Installs `c` (not owned; nullptr restores the default) and returns the previous one.
MailClient* setMailClient(MailClient* c);

// Starts `xdg-email --subject SUBJECT --attach FILE` with an argument
// vector (never through a shell) and waits for its answer. A mail program
// that xdg-email starts and keeps open counts as handed over after a few
// seconds, so the caller is never held up for long.
class XdgEmailClient final : public MailClient {
public:
    explicit XdgEmailClient(std::string program = "xdg-email", int waitMilliseconds = 5000)
        : program_(std::move(program)), wait_(waitMilliseconds)
    {
    }
    void compose(const std::string& subject, const std::string& attachment) override;

private:
    std::string program_;
    int wait_;
};

// The German reason for xdg-email's exit status.
std::string XdgEmailFailure(int status, const std::string& attachment);

} // namespace zt::platform
