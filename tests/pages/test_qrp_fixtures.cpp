// Saved report files from an independent writer (make_qrp_fixtures.py, run
// once; its output is checked in): 120- and 124-byte headers, packed and
// unpacked pages. The reader must find every page and its text.
#include "EmfTestPages.h"

#include "pages/QRPageList.h"
#include "pages/QRPayload.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace zt::pages;
using namespace zt::pages::test;

namespace {

const std::string kDir = ZT_PAGES_FIXTURES;

struct Fixture {
    const char* file;
    int pages;
    bool packed;
    int headerLength;
};

const Fixture kFixtures[] = {
    {"one_page_120.qrp", 1, false, 120},         {"many_pages_120.qrp", 12, false, 120},
    {"packed_one_page_120.qrp", 1, true, 120},   {"packed_many_pages_120.qrp", 12, true, 120},
    {"one_page_124.qrp", 1, false, 124},         {"many_pages_124.qrp", 7, false, 124},
    {"packed_many_pages_124.qrp", 5, true, 124},
};

std::u16string pageLine(int n, int total)
{
    return Widen("Seite " + std::to_string(n) + " von " + std::to_string(total));
}

const std::u16string kSecondLine = u"Grüße aus Köln – Kurzmitteilung";

std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(QRPFixtures, EveryPageOfEveryFileWithItsText)
{
    for (const auto& f : kFixtures) {
        SCOPED_TRACE(f.file);
        TQRPageList list;
        list.LoadFromFile(kDir + "/" + f.file);
        EXPECT_EQ(list.PageCount(), f.pages);
        EXPECT_EQ(list.Compression(), f.packed);
        EXPECT_EQ(list.HeaderLength(), f.headerLength);
        // Backwards first (loading left the walk at the end), then forwards.
        for (int n = f.pages; n >= 1; --n) {
            const auto page = list.GetPage(n);
            ASSERT_NE(page, nullptr);
            EXPECT_EQ(TextsOf(page->Bytes()), (std::vector<std::u16string>{pageLine(n, f.pages), kSecondLine}));
        }
        for (int n = 1; n <= f.pages; ++n)
            EXPECT_EQ(TextsOf(list.GetPage(n)->Bytes()).front(), pageLine(n, f.pages));
        EXPECT_EQ(list.GetPage(f.pages + 1), nullptr);
    }
}

TEST(QRPFixtures, OurWriterProducesTheSameBytesForTheSamePages)
{
    // Same pages, same header: only the date differs, at offsets 9 to 16.
    for (const auto& f : kFixtures) {
        if (f.headerLength != 120)
            continue;
        SCOPED_TRACE(f.file);
        const auto theirs = readBytes(kDir + "/" + f.file);
        TQRPageList loaded;
        loaded.LoadFromFile(kDir + "/" + f.file);
        TQRPageList ours;
        ours.SetStream(TQRStream::Create(1 << 20));
        ours.SetCompression(f.packed);
        for (int n = 1; n <= f.pages; ++n)
            ours.AddPage(*loaded.GetPage(n));
        ours.Finish();
        zt::platform::TMemoryStream out;
        ours.SaveToStream(out);
        auto mine = out.Bytes();
        ASSERT_EQ(mine.size(), theirs.size());
        std::copy_n(theirs.begin() + 9, 8, mine.begin() + 9);
        EXPECT_EQ(mine, theirs);
    }
}

TEST(QRPFixtures, PackedSampleUnpacksToItsPlainBytes)
{
    const auto packed = readBytes(kDir + "/packed_sample.bin");
    const auto plain = readBytes(kDir + "/packed_sample.plain");
    ASSERT_GT(packed.size(), 4u);
    const std::uint32_t count = get32(packed, 0);
    ASSERT_EQ(count, plain.size());
    EXPECT_EQ(UnpackBytes(packed.data() + 4, packed.size() - 4, count), plain);
    EXPECT_EQ(PackBytes(plain.data(), plain.size()), std::vector<std::uint8_t>(packed.begin() + 4, packed.end()));
}
