// Saved report files loaded into a page recorder: any bytes must load or
// fail as damaged input, and a loaded file must play to the printer.
#include "FuzzErrors.h"
#include "pages/QRPrinter.h"
#include "platform/printing/FakePrinterDriver.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The page store may spill to a temporary file and printing goes to a
    // driver; both are the system's, which may refuse.
    constexpr auto allow = zt::fuzz::Allow::DamagedInputOrSystemFailure;
    static const auto driver = zt::platform::printing::installFakePrinterDriver();
    // The driver keeps what it printed; one input's jobs are all we look at.
    driver->ClearJobs();
    zt::pages::TQRPrinter recorder(nullptr);
    try {
        zt::platform::TMemoryStream in(std::vector<std::uint8_t>(data, data + size));
        recorder.LoadFromStream(in);
    } catch (const std::exception& e) {
        zt::fuzz::acceptInputError(e, allow);
        return 0;
    }
    recorder.LastPage = 3;  // a few pages are enough to play
    try {
        recorder.Print();
    } catch (const std::exception& e) {
        zt::fuzz::acceptInputError(e, allow);
    }
    return 0;
}
