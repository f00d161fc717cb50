#pragma once
// Command line of the batch tool, parsed apart from running it so the rules
// can be tested without a window.

#include <string>
#include <vector>

namespace zt::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitUsage = 2;

struct BatchOptions {
    bool help = false;
    std::string letter;               // the letter file to open
    std::vector<std::string> errors;  // usage errors, in the order found
};

BatchOptions parseBatchOptions(const std::vector<std::string>& args);

std::string batchUsage();

} // namespace zt::cli
