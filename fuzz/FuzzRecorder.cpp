// Saved report files loaded into a page recorder: any bytes must load or
// fail with PlatformError, and a loaded file must play to the printer.
#include "pages/QRPrinter.h"
#include "platform/core/PlatformError.h"
#include "platform/printing/FakePrinterDriver.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using zt::platform::PlatformError;
    static const auto driver = zt::platform::printing::installFakePrinterDriver();
    zt::pages::TQRPrinter recorder(nullptr);
    try {
        zt::platform::TMemoryStream in(std::vector<std::uint8_t>(data, data + size));
        recorder.LoadFromStream(in);
    } catch (const PlatformError&) {
        return 0;
    }
    recorder.LastPage = 3;  // a few pages are enough to play
    try {
        recorder.Print();
    } catch (const PlatformError&) {
    }
    return 0;
}
