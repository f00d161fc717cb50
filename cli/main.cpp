#include "cli/BatchOptions.h"
#include "cli/ExitStatus.h"
#include "cli/WindowTool.h"
#include "cli/WindowlessCommands.h"
#include "export/QRExportLibrary.h"
#include "platform/fonts/FontCache.h"

#include <iostream>

#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char** argv)
{
    const zt::cli::BatchOptions options = zt::cli::parseBatchOptions({argv + 1, argv + argc});
    if (const auto status = zt::cli::answerWithoutRunning(options, std::cout, std::cerr))
        return *status;
    // A letter that needs no window for what is asked is written without
    // the toolkit: its start-up would be most of the run.
    if (zt::cli::needsNoWindow(options)) {
#ifdef __GLIBC__
        // A run's large blocks (the file read, the growing lists) up to 4 MiB
        // from the heap instead of mappings of their own: freed, their pages
        // are taken again by what comes next instead of fresh ones, each a
        // fault. Larger ones (a long document's spilled pages) stay mappings,
        // given back when freed.
        mallopt(M_MMAP_THRESHOLD, 4 << 20);
        mallopt(M_TRIM_THRESHOLD, 32 << 20);
#endif
        // Without the toolkit nothing else starts fontconfig: the faces of
        // the last run are taken from the cache while nothing has changed.
        zt::platform::FontService::keepResolutionsIn(zt::platform::defaultFontCacheFile());
        try {
            zt::exporting::RegisterExportFilters();
            if (const auto status = zt::cli::runLetterWithoutWindow(options, std::cout, std::cerr)) {
                zt::platform::FontService::instance().keepMeasurements();
                return *status;
            }
        } catch (const std::exception& e) {
            // What no command expects, as fonts that cannot be found, still
            // ends with the status of its kind.
            std::cerr << "zettelino-print: " << e.what() << '\n';
            return zt::cli::exitStatusFor(e, zt::cli::InputFile::Letter);
        }
    }
    // Everything else needs the toolkit: the window tool does it.
    zt::cli::execWindowTool(argv, std::cerr);
    return zt::cli::kExitNotWritten;
}
