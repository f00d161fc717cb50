#include "cli/BatchOptions.h"

#include <gtest/gtest.h>

using namespace zt::cli;

TEST(BatchOptions, HelpWinsOverEverythingElse)
{
    EXPECT_TRUE(parseBatchOptions({"--help"}).help);
    EXPECT_TRUE(parseBatchOptions({"-h"}).help);
    EXPECT_TRUE(parseBatchOptions({"brief.ZLW", "--help"}).help);
}

TEST(BatchOptions, BadArgumentsAreUsageErrors)
{
    EXPECT_EQ(parseBatchOptions({}).errors, std::vector<std::string>{"no letter file given"});
    EXPECT_EQ(parseBatchOptions({"--frobnicate"}).errors, std::vector<std::string>{"unknown option: --frobnicate"});
    const auto two = parseBatchOptions({"a.ZLW", "b.ZLW"});
    EXPECT_EQ(two.letter, "a.ZLW");
    EXPECT_EQ(two.errors, std::vector<std::string>{"unexpected argument: b.ZLW"});
}

TEST(BatchOptions, UsageNamesTheToolAndItsExitStatus)
{
    const std::string usage = batchUsage();
    EXPECT_NE(usage.find("Usage: zettelino-print"), std::string::npos);
    EXPECT_NE(usage.find("2 usage error"), std::string::npos);
}
