#pragma once
// The batch tool's commands that need the toolkit (images, printing, a
// letter only the real window takes over) run in a program of their own,
// so the commands that need none start without loading the toolkit at all.

#include <iosfwd>
#include <string>
#include <vector>

namespace zt::cli {

inline constexpr const char* kWindowToolName = "zettelino-print-window";

// Where the window tool may be, best first, for the batch tool at
// `selfPath`: beside it (a build tree), then in the installed program folder.
std::vector<std::string> windowToolCandidates(const std::string& selfPath);

// Replaces this process by the window tool, given the same arguments.
// Returns only when no candidate could be started, having said so on `err`.
void execWindowTool(char** argv, std::ostream& err);

} // namespace zt::cli
