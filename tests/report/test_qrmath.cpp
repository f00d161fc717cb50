#include <cmath>
#include "platform/core/WinMath.h"
#include "base/QRError.h"
#include "base/QRMath.h"

#include <gtest/gtest.h>

using zt::report::Round;
using zt::report::Trunc;

TEST(Rounding, HalvesGoToEven)
{
    EXPECT_EQ(Round(0.5L), 0);
    EXPECT_EQ(Round(1.5L), 2);
    EXPECT_EQ(Round(2.5L), 2);
    EXPECT_EQ(Round(-0.5L), 0);
    EXPECT_EQ(Round(-1.5L), -2);
    EXPECT_EQ(Round(-2.5L), -2);
    EXPECT_EQ(Round(2.4999L), 2);
    EXPECT_EQ(Round(2.5001L), 3);
    EXPECT_EQ(Round(-2.6L), -3);
}

TEST(Rounding, TruncDropsTheFraction)
{
    EXPECT_EQ(Trunc(2.9L), 2);
    EXPECT_EQ(Trunc(-2.9L), -2);
    EXPECT_EQ(Trunc(0.0L), 0);
}

TEST(Rounding, RecorderFactorsOnTheScreen)
{
    // 210 mm at 96 pixels per inch: 2100 tenths of a millimetre times 96/254.
    EXPECT_EQ(Round(2100.0L * 96.0L / 254.0L), 794);
    EXPECT_EQ(Round(2970.0L * 96.0L / 254.0L), 1123);
}

TEST(Rounding, OutOfRangeValuesSaturate)
{
    EXPECT_EQ(Round(1e30L), INT64_MAX);
    EXPECT_EQ(Trunc(-1e30L), INT64_MIN);
    EXPECT_EQ(Round(__builtin_nanl("")), 0);
}

TEST(WinMath, MulDivRoundsHalvesAwayFromZero)
{
    using zt::platform::MulDiv;
    EXPECT_EQ(MulDiv(10, 96, 72), 13);
    EXPECT_EQ(MulDiv(9, 96, 72), 12);
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(5, 2, 0), -1);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 4, 2), -1);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), 0x7FFFFFFF);
    EXPECT_EQ(zt::platform::pointsToLogicalHeight(10, 96), -13);
    EXPECT_EQ(zt::platform::pointsToLogicalHeight(12, 600), -100);
}

TEST(EngineErrors, CarryTheEngineTextsAndTheirKind)
{
    try {
        zt::report::raiseQRError(zt::report::ErrorKind::InternalFault, zt::report::qrmsg::PrinterNotReady);
        FAIL() << "no error";
    } catch (const zt::platform::PlatformError& e) {
        EXPECT_STREQ(e.what(), "QRPrinter nicht bereit");
        EXPECT_EQ(e.kind(), zt::platform::ErrorKind::InternalFault);
        EXPECT_NE(dynamic_cast<const zt::report::EQRError*>(&e), nullptr);
    }
}

TEST(QRMathReference, RoundAndTruncAgreeWithTheLibraryOnHalvesAndNearHalves)
{
    // nearbyintl in the default mode is round-half-to-even, truncl drops the fraction.
    for (long double base = -3000.0L; base <= 3000.0L; base += 0.25L)
        for (const long double nudge : {0.0L, 1e-15L, -1e-15L, 0.37795275590551181102L})
            for (const long double v : {base + nudge, base * 1e9L + nudge}) {
                ASSERT_EQ(zt::report::Round(v), static_cast<std::int64_t>(std::nearbyintl(v))) << static_cast<double>(v);
                ASSERT_EQ(zt::report::Trunc(v), static_cast<std::int64_t>(std::truncl(v))) << static_cast<double>(v);
            }
}
