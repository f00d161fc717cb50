// The page store and its saved report file: layout, walking, loading, and
// what damaged or hostile files do.
#include "EmfTestPages.h"

#include "pages/QRPageList.h"
#include "platform/core/PlatformError.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>

using namespace zt::pages;
using namespace zt::pages::test;
using zt::platform::PlatformError;
using zt::platform::TMemoryStream;
using zt::platform::gdi::TMetafile;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

namespace {

TMetafile page(int n, std::size_t size = 600)
{
    return TMetafile::FromBytes(MakePage(n, size));
}

std::unique_ptr<TQRPageList> newList(bool packed, std::int32_t limit = 1 << 24)
{
    auto list = std::make_unique<TQRPageList>();
    list->SetStream(TQRStream::Create(limit));
    list->SetCompression(packed);
    return list;
}

Bytes fileBytes(TQRPageList& list)
{
    TMemoryStream out;
    list.SaveToStream(out);
    return out.Bytes();
}

Bytes buildFile(int pages, bool packed)
{
    auto list = newList(packed);
    for (int i = 1; i <= pages; ++i)
        list->AddPage(page(i));
    list->Finish();
    return fileBytes(*list);
}

std::unique_ptr<TQRPageList> loadBytes(const Bytes& bytes)
{
    auto list = std::make_unique<TQRPageList>();
    TMemoryStream in(bytes);
    list->LoadFromStream(in);
    return list;
}

// Record offsets, found through the forward links of a sound file.
std::vector<std::size_t> records(const Bytes& file)
{
    std::vector<std::size_t> at;
    for (std::size_t r = 120; r < file.size(); r = get32(file, r + 4))
        at.push_back(r);
    return at;
}

std::u16string firstText(const TMetafile& m)
{
    const auto texts = TextsOf(m.Bytes());
    return texts.empty() ? u"" : texts.front();
}

std::u16string label(int n)
{
    return Widen("Seite " + std::to_string(n));
}

// Loads and reads every page; each step must end normally or in
// PlatformError, never anything else.
void loadAndReadEverything(const Bytes& file)
{
    std::unique_ptr<TQRPageList> list;
    try {
        list = loadBytes(file);
    } catch (const PlatformError&) {
        return;
    }
    for (std::int32_t n = list->PageCount(); n >= 1; --n) {
        try {
            (void)list->GetPage(n);
        } catch (const PlatformError&) {
        }
    }
}

class PageListFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = fs::temp_directory_path().string() + "/zt-pagelist-XXXXXX";
        dir_ = ::mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string dir_;
};

} // namespace

// --- writing -----------------------------------------------------------------

TEST(PageList, RunWithoutPagesLeavesAHeaderOnlyStream)
{
    auto list = newList(false);
    list->Finish();
    const Bytes file = fileBytes(*list);
    ASSERT_EQ(file.size(), 120u);
    EXPECT_EQ(file[0] | file[1] << 8, 3);
    EXPECT_EQ(file[2] | file[3] << 8, 50);
    EXPECT_EQ(get32(file, 5), 0u);
    EXPECT_EQ(file[18], 0);
    for (std::size_t i = 19; i < 119; ++i)
        ASSERT_EQ(file[i], 'H');
    EXPECT_EQ(list->GetPage(1), nullptr);
    // The loader agrees: no pages.
    EXPECT_EQ(loadBytes(file)->PageCount(), 0);
}

TEST(PageList, HeaderCarriesTheLocalDateAsDaysSince1899)
{
    auto list = newList(true);
    list->AddPage(page(1));
    list->Finish();
    const Bytes file = fileBytes(*list);
    double date;
    std::memcpy(&date, &file[9], 8);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    const double expected = 25569.0 + double(now + local.tm_gmtoff) / 86400.0;
    EXPECT_NEAR(date, expected, 60.0 / 86400);
    EXPECT_EQ(file[18], 1);
    EXPECT_EQ(get32(file, 5), 1u);
}

TEST(PageList, RecordsLinkForwardAndBack)
{
    const Bytes file = buildFile(3, false);
    const auto at = records(file);
    ASSERT_EQ(at.size(), 3u);
    const Bytes first = MakePage(1);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(get32(file, at[i]), i + 1);
        const std::size_t next = get32(file, at[i] + 4);
        EXPECT_EQ(get32(file, next - 4), at[i]);
    }
    // Page 1's payload is the metafile as it is, its signature at 40.
    EXPECT_TRUE(std::equal(first.begin(), first.end(), file.begin() + 128));
    EXPECT_EQ(std::memcmp(&file[169], "EMF", 3), 0);
}

TEST(PageList, PagesComeBackWhileTheRunIsStillAdding)
{
    for (bool packed : {false, true}) {
        auto list = newList(packed);
        for (int i = 1; i <= 6; ++i) {
            list->AddPage(page(i));
            ASSERT_EQ(list->GetPage(i)->Bytes(), MakePage(i));
            ASSERT_EQ(list->GetPage(1)->Bytes(), MakePage(1));
        }
        EXPECT_EQ(list->PageCount(), 6);
    }
}

TEST(PageList, PageNumbersOutsideTheStoreGiveNoPage)
{
    auto list = newList(false);
    EXPECT_EQ(list->GetPage(1), nullptr);
    list->AddPage(page(1));
    EXPECT_EQ(list->GetPage(0), nullptr);
    EXPECT_EQ(list->GetPage(-3), nullptr);
    EXPECT_EQ(list->GetPage(2), nullptr);
    EXPECT_NE(list->GetPage(1), nullptr);
}

TEST(PageList, AnEmptyOrMissingPageIsRefusedAndTheStoreStaysWhole)
{
    auto list = newList(false);
    list->AddPage(page(1));
    const Bytes before = fileBytes(*list);
    EXPECT_THROW(list->AddPage(TMetafile()), PlatformError);
    EXPECT_EQ(list->PageCount(), 1);
    EXPECT_EQ(fileBytes(*list), before);
    list->AddPage(page(2));
    EXPECT_EQ(firstText(*list->GetPage(2)), label(2));

    TQRPageList noStream;
    EXPECT_THROW(noStream.AddPage(page(1)), PlatformError);
}

TEST(PageList, ClearStartsAfreshOnTheSameStream)
{
    auto list = newList(false);
    for (int i = 1; i <= 3; ++i)
        list->AddPage(page(i));
    TQRStream* stream = list->Stream();
    list->Clear();
    EXPECT_EQ(list->PageCount(), 0);
    EXPECT_EQ(list->Stream(), stream);
    list->AddPage(page(7));
    list->AddPage(page(8));
    EXPECT_EQ(firstText(*list->GetPage(1)), label(7));
    EXPECT_EQ(firstText(*list->GetPage(2)), label(8));
    list->Finish();
    EXPECT_EQ(loadBytes(fileBytes(*list))->PageCount(), 2);
}

// --- saving, loading and walking ---------------------------------------------

TEST_F(PageListFiles, ThreeHundredPagesSavedAndLoadedAreThreeHundred)
{
    for (bool packed : {false, true}) {
        auto list = newList(packed);
        for (int i = 1; i <= 300; ++i)
            list->AddPage(page(i, 300));
        list->Finish();
        const std::string path = dir_ + (packed ? "/packed.qrp" : "/plain.qrp");
        list->SaveToFile(path);

        TQRPageList loaded;
        loaded.LoadFromFile(path);
        EXPECT_EQ(loaded.PageCount(), 300);
        EXPECT_EQ(loaded.Compression(), packed);
        for (int n : {1, 150, 299, 300, 2})
            EXPECT_EQ(loaded.GetPage(n)->Bytes(), MakePage(n, 300)) << n;
    }
}

TEST_F(PageListFiles, PagesFiveTwoSevenOfTenWalkBothWays)
{
    for (bool packed : {false, true}) {
        const std::string path = dir_ + "/ten.qrp";
        auto list = newList(packed);
        for (int i = 1; i <= 10; ++i)
            list->AddPage(page(i));
        list->Finish();
        list->SaveToFile(path);

        TQRPageList loaded;
        loaded.LoadFromFile(path);
        for (int n : {5, 2, 7, 7, 6, 10, 1, 9})
            ASSERT_EQ(loaded.GetPage(n)->Bytes(), MakePage(n)) << n << (packed ? " packed" : "");
    }
}

TEST_F(PageListFiles, SaveReplacesAnExistingFileAndRefusesAReadOnlyOne)
{
    const std::string path = dir_ + "/r.qrp";
    std::ofstream(path) << "old contents that are longer than a header would be";
    auto list = newList(false);
    list->AddPage(page(1));
    list->Finish();
    list->SaveToFile(path);
    EXPECT_EQ(fs::file_size(path), fileBytes(*list).size());
    fs::permissions(path, fs::perms::owner_read);
    EXPECT_THROW(list->SaveToFile(path), PlatformError);
}

TEST_F(PageListFiles, AFailedLoadKeepsThePagesThatWereThere)
{
    const std::string bad = dir_ + "/bad.qrp";
    Bytes file = buildFile(2, false);
    // Page 2 (the one loading reads to reach the end) is broken.
    set32(file, records(file)[1] + 8 + 40, 0);
    std::ofstream(bad, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));

    auto list = newList(false);
    list->AddPage(page(4));
    EXPECT_THROW(list->LoadFromFile(bad), PlatformError);
    EXPECT_THROW(list->LoadFromFile(dir_ + "/missing.qrp"), PlatformError);
    EXPECT_EQ(list->PageCount(), 1);
    EXPECT_EQ(firstText(*list->GetPage(1)), label(4));
}

TEST(PageList, StoreThatMovesToDiskReadsTheSame)
{
    std::string path;
    {
        auto list = newList(true, 4000);
        for (int i = 1; i <= 20; ++i)
            list->AddPage(page(i));
        list->Finish();
        ASSERT_FALSE(list->Stream()->InMemory());
        path = list->Stream()->Filename();
        EXPECT_TRUE(fs::exists(path));
        for (int n : {20, 3, 11, 1})
            EXPECT_EQ(list->GetPage(n)->Bytes(), MakePage(n));
        auto reloaded = loadBytes(fileBytes(*list));
        EXPECT_EQ(reloaded->PageCount(), 20);
        EXPECT_EQ(reloaded->GetPage(13)->Bytes(), MakePage(13));
    }
    EXPECT_FALSE(fs::exists(path));
}

// --- header layouts ------------------------------------------------------------

namespace {

// The same file with its header in the 4-byte aligned layout.
Bytes alignedHeader(const Bytes& file)
{
    Bytes h(124, 0);
    std::copy_n(file.begin(), 5, h.begin());
    std::copy_n(file.begin() + 5, 4, h.begin() + 8);
    std::copy_n(file.begin() + 9, 8, h.begin() + 12);
    h[20] = file[17];
    h[21] = file[18];
    std::copy_n(file.begin() + 19, 101, h.begin() + 22);
    return h;
}

// Rewrites every link for records that start `shift` bytes later.
Bytes withHeader(const Bytes& file, const Bytes& header)
{
    const auto at = records(file);
    const std::int64_t shift = std::int64_t(header.size()) - 120;
    Bytes out = header;
    out.insert(out.end(), file.begin() + 120, file.end());
    for (std::size_t r : at) {
        const std::size_t moved = std::size_t(std::int64_t(r) + shift);
        const std::size_t next = get32(out, moved + 4);
        set32(out, moved + 4, std::uint32_t(std::int64_t(next) + shift));
        set32(out, std::size_t(std::int64_t(next) + shift) - 4, std::uint32_t(moved));
    }
    return out;
}

} // namespace

TEST(PageListLayout, AlignedHeaderIsReadInItsOwnLayout)
{
    for (bool packed : {false, true}) {
        const Bytes file = buildFile(4, packed);
        auto list = loadBytes(withHeader(file, alignedHeader(file)));
        EXPECT_EQ(list->HeaderLength(), 124);
        EXPECT_EQ(list->PageCount(), 4);
        EXPECT_EQ(list->Compression(), packed);
        for (int n : {3, 1, 4})
            EXPECT_EQ(list->GetPage(n)->Bytes(), MakePage(n));
    }
}

TEST(PageListLayout, OlderHeaderLengthsCountTheirRecords)
{
    const Bytes file = buildFile(5, false);
    // 96 and 128 by the known offsets, 200 and 40 only by the scan.
    for (std::size_t length : {96u, 128u, 200u, 40u}) {
        auto list = loadBytes(withHeader(file, Bytes(length, 0x11)));
        EXPECT_EQ(list->HeaderLength(), std::int64_t(length));
        EXPECT_EQ(list->PageCount(), 5);
        EXPECT_FALSE(list->Compression());
        EXPECT_EQ(list->GetPage(4)->Bytes(), MakePage(4));
    }
}

TEST(PageListLayout, DamagedFirstPageDoesNotHideTheRest)
{
    Bytes file = buildFile(3, false);
    file[169] = 'X'; // page 1's signature
    auto list = loadBytes(file);
    EXPECT_EQ(list->HeaderLength(), 120);
    EXPECT_EQ(list->PageCount(), 3);
    EXPECT_THROW(list->GetPage(1), PlatformError);
    EXPECT_EQ(list->GetPage(3)->Bytes(), MakePage(3));
}

// --- damaged and hostile files -------------------------------------------------

TEST(PageListHostile, TruncatedFilesFailOrLosePagesAtEveryLength)
{
    for (bool packed : {false, true}) {
        const Bytes file = buildFile(3, packed);
        for (std::size_t n = 0; n <= file.size(); ++n)
            loadAndReadEverything(Bytes(file.begin(), file.begin() + std::ptrdiff_t(n)));
        // Cut inside page 3: pages 1 and 2 stay readable.
        const auto at = records(file);
        auto list = loadBytes(Bytes(file.begin(), file.begin() + std::ptrdiff_t(at[2] + 30)));
        EXPECT_EQ(list->PageCount(), 2);
        EXPECT_EQ(list->GetPage(2)->Bytes(), MakePage(2));
        EXPECT_EQ(list->GetPage(3), nullptr);
    }
    EXPECT_THROW(loadBytes(Bytes(50, 0)), PlatformError);
    EXPECT_THROW(loadBytes(Bytes(5000, 0x5A)), PlatformError);
}

TEST(PageListHostile, PageCountAboveTheRecordsLeavesTheMissingPagesOut)
{
    Bytes file = buildFile(4, false);
    set32(file, 5, 1000000);
    auto list = loadBytes(file);
    EXPECT_EQ(list->PageCount(), 4);
    EXPECT_EQ(list->GetPage(5), nullptr);
    set32(file, 5, 0x80000000u); // negative
    EXPECT_EQ(loadBytes(file)->PageCount(), 0);
}

TEST(PageListHostile, ForwardLinksOutsideTheFileOrBackwardsEndTheChain)
{
    const Bytes sound = buildFile(5, false);
    const auto at = records(sound);
    for (std::uint32_t link : {0xFFFFFFF0u, std::uint32_t(sound.size() + 1), std::uint32_t(at[1]),
                               std::uint32_t(at[2]), std::uint32_t(at[2] + 4), 0u}) {
        Bytes file = sound;
        set32(file, at[2] + 4, link); // page 3's forward link
        auto list = loadBytes(file);
        EXPECT_EQ(list->PageCount(), 2) << link;
        EXPECT_EQ(list->GetPage(2)->Bytes(), MakePage(2));
        EXPECT_EQ(list->GetPage(3), nullptr);
    }
}

TEST(PageListHostile, BackLinksOnThemselvesOrAstrayDoNotMisleadTheWalk)
{
    const Bytes sound = buildFile(10, false);
    const auto at = records(sound);
    const std::size_t backOf9 = at[9] - 4;
    for (std::uint32_t link : {std::uint32_t(at[9]), std::uint32_t(at[9] - 4), std::uint32_t(at[3] + 2),
                               0xFFFFFFFFu, std::uint32_t(at[7])}) {
        Bytes file = sound;
        set32(file, backOf9, link);
        auto list = loadBytes(file);
        ASSERT_EQ(list->PageCount(), 10);
        // From the end, pages 9 and 8 lie over page 9's back link; the walk
        // notices and goes forward from page 1 instead.
        for (int n : {10, 8, 9, 1, 9, 2, 10, 7})
            ASSERT_EQ(list->GetPage(n)->Bytes(), MakePage(n)) << link << " page " << n;
    }
    // The last back link pointing at itself.
    Bytes file = sound;
    set32(file, file.size() - 4, std::uint32_t(file.size() - 4));
    auto list = loadBytes(file);
    EXPECT_EQ(list->PageCount(), 10);
    for (int n : {9, 10, 3})
        EXPECT_EQ(list->GetPage(n)->Bytes(), MakePage(n));
}

TEST(PageListHostile, PageNumbersOutOfOrderGiveAnErrorNotAWrongPage)
{
    Bytes file = buildFile(5, false);
    const auto at = records(file);
    set32(file, at[2], 9); // page 3 claims to be page 9
    auto list = loadBytes(file);
    EXPECT_THROW(list->GetPage(3), PlatformError);
    EXPECT_EQ(list->GetPage(4)->Bytes(), MakePage(4)); // found walking back from the end
    EXPECT_EQ(list->GetPage(2)->Bytes(), MakePage(2));
    EXPECT_EQ(list->GetPage(5)->Bytes(), MakePage(5));
}

TEST(PageListHostile, MetafileThatDoesNotFitItsRecordIsAnError)
{
    const Bytes sound = buildFile(4, false);
    const auto at = records(sound);
    const std::size_t emf = at[1] + 8;  // page 2's metafile
    const std::uint32_t size = get32(sound, emf + 48);
    for (std::uint32_t bytes : {size + 4, 0x7FFFFFFFu, 0xFFFFFFFFu, 0u, 20u}) {
        Bytes file = sound;
        set32(file, emf + 48, bytes);
        auto list = loadBytes(file);
        EXPECT_THROW(list->GetPage(2), PlatformError) << bytes;
        EXPECT_EQ(list->GetPage(3)->Bytes(), MakePage(3));
    }
    Bytes file = sound;
    set32(file, emf, 2); // not a header record
    EXPECT_THROW(loadBytes(file)->GetPage(2), PlatformError);
}

TEST(PageListHostile, PackedCountsThatCannotBeRightAreErrors)
{
    const Bytes sound = buildFile(3, true);
    const auto at = records(sound);
    const std::size_t count = at[1] + 8; // page 2's byte count
    const std::size_t packedBytes = get32(sound, at[1] + 4) - 4 - (count + 4);
    for (std::uint32_t n : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, std::uint32_t(packedBytes * 8),
                            std::uint32_t(packedBytes * 8 + 1), 0u, 50u}) {
        Bytes file = sound;
        set32(file, count, n);
        auto list = loadBytes(file);
        EXPECT_THROW(list->GetPage(2), PlatformError) << n;
        EXPECT_EQ(list->GetPage(1)->Bytes(), MakePage(1));
    }
    // Packed bits that end early: the record is cut short, links kept sound.
    Bytes file(sound.begin(), sound.begin() + std::ptrdiff_t(at[2]));
    const std::size_t cut = 40;
    file.erase(file.end() - std::ptrdiff_t(4 + cut), file.end() - 4);
    set32(file, at[1] + 4, std::uint32_t(file.size()));
    set32(file, 5, 2);
    auto list = loadBytes(file);
    EXPECT_EQ(list->PageCount(), 2);
    EXPECT_THROW(list->GetPage(2), PlatformError);
}
