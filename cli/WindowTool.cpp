#include "cli/WindowTool.h"

#include "platform/core/SystemReason.h"

#include <cerrno>
#include <filesystem>
#include <ostream>
#include <unistd.h>

#ifndef ZT_WINDOW_TOOL_DIR
#define ZT_WINDOW_TOOL_DIR "../libexec/zettelino"
#endif

namespace zt::cli {

std::vector<std::string> windowToolCandidates(const std::string& selfPath)
{
    const std::filesystem::path dir = std::filesystem::path(selfPath).parent_path();
    return {(dir / kWindowToolName).string(),
            (dir / ZT_WINDOW_TOOL_DIR / kWindowToolName).lexically_normal().string()};
}

void execWindowTool(char** argv, std::ostream& err)
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        err << "zettelino-print: Der Ort des Programms ist nicht zu finden: " << platform::systemReason(ec.value()) << '\n';
        return;
    }
    int failure = ENOENT;
    for (const std::string& candidate : windowToolCandidates(self.string())) {
        ::execv(candidate.c_str(), argv);
        if (errno != ENOENT)
            failure = errno;
    }
    err << "zettelino-print: " << kWindowToolName << " kann nicht gestartet werden: " << platform::systemReason(failure) << '\n';
}

} // namespace zt::cli
