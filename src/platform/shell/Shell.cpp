#include "platform/shell/Shell.h"

#include "platform/core/PlatformError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>


namespace zt::platform {

namespace {

XdgOpenShell gDefaultShell;
Shell* gShell = nullptr;

} // namespace

Shell& shell()
{
    return gShell ? *gShell : gDefaultShell;
}

Shell* setShell(Shell* s)
{
    return std::exchange(gShell, s);
}

void XdgOpenShell::open(const std::string& target)
{
    // A double fork leaves the opener to init, so no zombie waits for us and
    // the program never blocks on a slow browser. A pipe closed on exec
    // tells whether the opener started at all: its own exit status comes
    // only when the program it opened ends.
    int started[2];
    if (::pipe2(started, O_CLOEXEC) != 0)
        throw PlatformError(ErrorKind::SystemFailure, systemMessage("Das Programm \"" + program_ + "\" kann nicht gestartet werden", errno));
    const pid_t child = fork();
    if (child < 0) {
        const int error = errno;
        ::close(started[0]);
        ::close(started[1]);
        throw PlatformError(ErrorKind::SystemFailure, systemMessage("Das Programm \"" + program_ + "\" kann nicht gestartet werden", error));
    }
    if (child == 0) {
        ::close(started[0]);
        const pid_t grandchild = fork();
        if (grandchild != 0)
            _exit(grandchild < 0 ? 127 : 0);
        setsid();
        const int devnull = ::open("/dev/null", O_RDWR);
        if (devnull >= 0) {
            dup2(devnull, STDIN_FILENO);
            dup2(devnull, STDOUT_FILENO);
            dup2(devnull, STDERR_FILENO);
        }
        char* argv[] = {const_cast<char*>(program_.c_str()), const_cast<char*>(target.c_str()), nullptr};
        execvp(program_.c_str(), argv);
        const int error = errno;
        [[maybe_unused]] const ssize_t told = ::write(started[1], &error, sizeof error);
        _exit(127);
    }
    ::close(started[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int execError = 0;
    ssize_t got = 0;
    do
        got = ::read(started[0], &execError, sizeof execError);
    while (got < 0 && errno == EINTR);
    ::close(started[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw PlatformError(ErrorKind::SystemFailure, "Das Programm \"" + program_ + "\" kann nicht gestartet werden");
    if (got == static_cast<ssize_t>(sizeof execError))
        throw PlatformError(ErrorKind::SystemFailure,
                            systemMessage("Das Programm \"" + program_ + "\" kann nicht gestartet werden", execError));
}

void RecordingShell::open(const std::string& target)
{
    if (fail)
        throw PlatformError(ErrorKind::SystemFailure, "Für \"" + target + "\" kann kein Programm gestartet werden");
    opened.push_back(target);
}

} // namespace zt::platform
