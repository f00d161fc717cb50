#include "platform/shell/MailClient.h"

#include "platform/core/PlatformError.h"
#include "platform/core/SystemReason.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace zt::platform {

namespace {

XdgEmailClient gDefaultClient;
MailClient* gClient = nullptr;

constexpr const char* kCannotSend = "Die Kurzmitteilung kann nicht per E-Mail gesendet werden: ";

} // namespace

MailClient& mailClient()
{
    return gClient ? *gClient : gDefaultClient;
}

MailClient* setMailClient(MailClient* c)
{
    return std::exchange(gClient, c);
}

std::string XdgEmailFailure(int status, const std::string& attachment)
{
    switch (status) {
    case 1: return "xdg-email hat den Aufruf nicht verstanden.";
    case 2: return "die Anlage \"" + attachment + "\" existiert nicht.";
    case 3: return "es ist kein E-Mail-Programm eingerichtet.";
    case 4: return "das E-Mail-Programm hat die Nachricht nicht übernommen.";
    case 5: return "die Anlage \"" + attachment + "\" darf nicht gelesen werden.";
    default: return "xdg-email endete mit dem Status " + std::to_string(status) + ".";
    }
}

void XdgEmailClient::compose(const std::string& subject, const std::string& attachment)
{
    // --utf8: our text is UTF-8 whatever the locale says; without it a
    // non-UTF-8 locale cuts subject and path at the first umlaut.
    std::vector<std::string> args{program_, "--utf8", "--subject", subject, "--attach", attachment};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, program_.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned == ENOENT)
        throw PlatformError(ErrorKind::SystemFailure, std::string(kCannotSend) + "das Programm \"" + program_ +
                                                          "\" ist nicht installiert (Debian-Paket xdg-utils).");
    if (spawned != 0)
        throw PlatformError(ErrorKind::SystemFailure, std::string(kCannotSend) + "das Programm \"" + program_ +
                                                          "\" kann nicht gestartet werden: " + systemReason(spawned));
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_);
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (done < 0 && errno != EINTR)
            return;
        if (std::chrono::steady_clock::now() >= until) {
            // Still running: the mail program it started has the message
            // open. Its end is reaped by a thread of its own.
            std::thread([child] {
                int ignored = 0;
                while (waitpid(child, &ignored, 0) < 0 && errno == EINTR) {
                }
            }).detach();
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
        throw PlatformError(ErrorKind::SystemFailure, std::string(kCannotSend) + "das Programm \"" + program_ +
                                                          "\" ist nicht installiert (Debian-Paket xdg-utils).");
    throw PlatformError(ErrorKind::SystemFailure,
                        std::string(kCannotSend) +
                            XdgEmailFailure(WIFEXITED(status) ? WEXITSTATUS(status) : -1, attachment));
}

} // namespace zt::platform
