#include "cli/BatchOptions.h"

#include <iostream>

int main(int argc, char** argv)
{
    const zt::cli::BatchOptions options = zt::cli::parseBatchOptions({argv + 1, argv + argc});
    if (options.help) {
        std::cout << zt::cli::batchUsage();
        return zt::cli::kExitDone;
    }
    for (const auto& error : options.errors)
        std::cerr << "zettelino-print: " << error << '\n';
    std::cerr << zt::cli::batchUsage();
    return zt::cli::kExitUsage;
}
