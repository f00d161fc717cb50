// Saved report files: any bytes must load or fail with PlatformError, and
// every page must then come back or fail the same way, in order and shuffled.
#include "pages/QRPageList.h"
#include "FuzzErrors.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The page store may spill to a temporary file, which the system can refuse.
    constexpr auto allow = zt::fuzz::Allow::DamagedInputOrSystemFailure;
    zt::pages::TQRPageList list;
    try {
        zt::platform::TMemoryStream in(std::vector<std::uint8_t>(data, data + size));
        list.LoadFromStream(in);
    } catch (const std::exception& e) {
        zt::fuzz::acceptInputError(e, allow);
        return 0;
    }
    const std::int32_t count = std::min<std::int32_t>(list.PageCount(), 2000);
    std::vector<std::int32_t> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 1);
    std::vector<std::int32_t> shuffled = order;
    std::shuffle(shuffled.begin(), shuffled.end(), std::minstd_rand(static_cast<unsigned>(size)));
    order.insert(order.begin(), count);  // as loading a file does
    order.insert(order.end(), shuffled.begin(), shuffled.end());
    order.push_back(0);
    order.push_back(count + 1);
    for (const std::int32_t n : order) {
        try {
            (void)list.GetPage(n);
        } catch (const std::exception& e) {
            zt::fuzz::acceptInputError(e, allow);
        }
    }
    return 0;
}
