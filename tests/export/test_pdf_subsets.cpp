// Embedded font subsets: what the licence allows, what a subset keeps, and
// that a font which cannot be embedded leaves a sound document.

#include "export/QRPDFFonts.h"
#include "export/QRPDFSubset.h"
#include "platform/fonts/FontService.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <list>

using namespace zt::report;
using namespace zt::exporting;

namespace {

std::vector<std::uint8_t> courierFile()
{
    zt::platform::LogFont lf;
    lf.face = "Courier New";
    lf.height = -1024;
    return zt::platform::FontService::instance().font(lf)->fontData();
}

// The file with its OS/2 fsType set to `fsType`.
std::vector<std::uint8_t> withFsType(std::vector<std::uint8_t> file, std::uint16_t fsType)
{
    const std::size_t tables = static_cast<std::size_t>(file[4] << 8 | file[5]);
    for (std::size_t i = 0; i < tables; ++i) {
        const std::size_t record = 12 + i * 16;
        if (std::string(file.begin() + static_cast<long>(record), file.begin() + static_cast<long>(record) + 4) != "OS/2")
            continue;
        const std::size_t os2 = static_cast<std::size_t>(file[record + 8]) << 24 | file[record + 9] << 16 |
                                file[record + 10] << 8 | file[record + 11];
        file[os2 + 8] = static_cast<std::uint8_t>(fsType >> 8);
        file[os2 + 9] = static_cast<std::uint8_t>(fsType);
    }
    return file;
}

TPDFFontPlan planFor(std::vector<std::uint8_t> data, TFontHandling handling, const std::string& text)
{
    TPDFFontPlan plan;
    const TPDFFontKey key = TPDFFontKey::Of("Courier New", false, false, 0);
    plan.baseFont = key.psName;
    // A plan reads its file where it lies: the files are kept for the test's run.
    static std::list<std::vector<std::uint8_t>> files;
    plan.data = files.emplace_back(std::move(data));
    std::bitset<256> used;
    for (const unsigned char c : text)
        used.set(c);
    const TPDFFontOptions options{handling};
    PlanPDFFontEmbedding(key, options, &used, plan);
    return plan;
}

TEST(PdfSubsets, TheLicenceBitsDecideWhatMayBeEmbedded)
{
    const auto file = courierFile();
    EXPECT_EQ(EmbeddingPermission(file), TPDFEmbedding::Subset);
    EXPECT_EQ(EmbeddingPermission(withFsType(file, 0x0002)), TPDFEmbedding::Forbidden);
    EXPECT_EQ(EmbeddingPermission(withFsType(file, 0x0200)), TPDFEmbedding::Forbidden);
    EXPECT_EQ(EmbeddingPermission(withFsType(file, 0x0104)), TPDFEmbedding::WholeFileOnly);
    EXPECT_EQ(EmbeddingPermission(withFsType(file, 0x0008)), TPDFEmbedding::Subset);
    EXPECT_EQ(EmbeddingPermission({}), TPDFEmbedding::Subset);
}

TEST(PdfSubsets, ASubsetIsSmallTaggedAndTheSameForTheSameText)
{
    const auto file = courierFile();
    const TPDFFontPlan plan = planFor(file, TFontHandling::fhEmbedSubset, "Größe 5 €");
    ASSERT_TRUE(plan.subset);
    EXPECT_EQ(plan.ObjectCount(), 4);
    EXPECT_LT(plan.embedded.size() * 10, file.size());
    ASSERT_EQ(plan.baseFont.size(), 7 + std::string("CourierNew").size());
    EXPECT_TRUE(std::all_of(plan.baseFont.begin(), plan.baseFont.begin() + 6, [](char c) { return c >= 'A' && c <= 'Z'; }));
    EXPECT_EQ(plan.baseFont.substr(6), "+CourierNew");
    EXPECT_EQ(planFor(file, TFontHandling::fhEmbedSubset, "Größe 5 €").embedded, plan.embedded);
    EXPECT_NE(planFor(file, TFontHandling::fhEmbedSubset, "andere").baseFont, plan.baseFont);
}

TEST(PdfSubsets, FontsThatCannotBeSubsetFallBackWithoutBreakingTheDocument)
{
    const auto file = courierFile();
    // A damaged file: described by its widths, nothing embedded.
    std::vector<std::uint8_t> broken(file.begin(), file.begin() + 200);
    const TPDFFontPlan damaged = planFor(broken, TFontHandling::fhEmbedSubset, "abc");
    EXPECT_TRUE(damaged.embedded.empty());
    EXPECT_EQ(damaged.baseFont, "CourierNew");
    EXPECT_EQ(damaged.ObjectCount(), 2);
    EXPECT_FALSE(SubsetFontFile(std::vector<std::uint8_t>(64, 0xFF), {U'a'}).has_value());
    // A licence that forbids embedding, also when whole files are asked for.
    for (const TFontHandling h : {TFontHandling::fhEmbedSubset, TFontHandling::fhAutoEmbed})
        EXPECT_TRUE(planFor(withFsType(file, 0x0002), h, "abc").embedded.empty());
    // No subsetting allowed: the whole file, untagged.
    const TPDFFontPlan whole = planFor(withFsType(file, 0x0100), TFontHandling::fhEmbedSubset, "abc");
    EXPECT_EQ(whole.embedded.size(), file.size());
    EXPECT_FALSE(whole.subset);
    EXPECT_EQ(whole.baseFont, "CourierNew");
    // Asked not to embed: nothing.
    EXPECT_TRUE(planFor(file, TFontHandling::fhNoEmbedding, "abc").embedded.empty());
}

} // namespace
