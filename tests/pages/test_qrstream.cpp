// The page store's stream: memory until strictly past the limit, then a
// private temporary file that disappears with the stream.
#include "pages/QRStream.h"
#include "platform/core/PlatformError.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

using namespace zt::pages;
using zt::platform::SeekOrigin;
using zt::platform::TMemoryStream;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

namespace {

class QRStreamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = fs::temp_directory_path().string() + "/zt-qrstream-XXXXXX";
        dir_ = ::mkdtemp(pattern.data());
        const char* old = std::getenv("TMPDIR");
        oldTmp_ = old ? old : "";
        hadTmp_ = old != nullptr;
        ::setenv("TMPDIR", dir_.c_str(), 1);
    }
    void TearDown() override
    {
        if (hadTmp_)
            ::setenv("TMPDIR", oldTmp_.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
        fs::remove_all(dir_);
    }
    std::size_t filesInTmp() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
    static Bytes pattern(std::size_t n, unsigned seed)
    {
        Bytes b(n);
        for (std::size_t i = 0; i < n; ++i)
            b[i] = static_cast<std::uint8_t>(i * 31 + seed);
        return b;
    }
    static Bytes readAll(TQRStream& s)
    {
        TMemoryStream out;
        s.SaveToStream(out);
        return out.Bytes();
    }
    std::string dir_;
    std::string oldTmp_;
    bool hadTmp_ = false;
};

} // namespace

TEST_F(QRStreamTest, StaysInMemoryUpToAndIncludingTheLimit)
{
    TQRStream s(100);
    const Bytes a = pattern(100, 1);
    s.WriteBuffer(a.data(), a.size());
    EXPECT_TRUE(s.InMemory());
    EXPECT_TRUE(s.Filename().empty());
    EXPECT_EQ(filesInTmp(), 0u);
    // Rewriting inside the limit does not grow it.
    s.SetPosition(10);
    s.WriteBuffer(a.data(), 90);
    EXPECT_TRUE(s.InMemory());
}

TEST_F(QRStreamTest, FirstWritePastTheLimitMovesEverythingToATemporaryFile)
{
    std::string path;
    const Bytes a = pattern(60, 1), b = pattern(50, 2), c = pattern(30, 3);
    {
        auto s = TQRStream::Create(100);
        s->WriteBuffer(a.data(), a.size());
        ASSERT_TRUE(s->InMemory());
        s->WriteBuffer(b.data(), b.size());
        ASSERT_FALSE(s->InMemory());
        path = s->Filename();
        EXPECT_EQ(fs::path(path).parent_path(), fs::path(dir_));
        EXPECT_EQ(fs::path(path).filename().string().rfind("QRP", 0), 0u);
        EXPECT_EQ(fs::file_size(path), 110u);
        // The position is where the moving write ended.
        EXPECT_EQ(s->Position(), 110);
        s->WriteBuffer(c.data(), c.size());
        EXPECT_EQ(s->Size(), 140);

        Bytes expected = a;
        expected.insert(expected.end(), b.begin(), b.end());
        expected.insert(expected.end(), c.begin(), c.end());
        EXPECT_EQ(readAll(*s), expected);

        // Reads, writes and seeks all go to the file now.
        s->Seek(-30, SeekOrigin::End);
        Bytes back(30);
        s->ReadBuffer(back.data(), back.size());
        EXPECT_EQ(back, c);
        EXPECT_EQ(s->Read(back.data(), 1), 0u);
        s->SetPosition(0);
        s->WriteInt32(0x01020304);
        s->SetPosition(0);
        EXPECT_EQ(s->ReadInt32(), 0x01020304);
        EXPECT_TRUE(fs::exists(path));
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(filesInTmp(), 0u);
}

TEST_F(QRStreamTest, MovesWhenAWriteInTheMiddleCrossesTheLimit)
{
    TQRStream s(100);
    const Bytes a = pattern(90, 4);
    s.WriteBuffer(a.data(), a.size());
    s.SetPosition(80);
    s.WriteBuffer(a.data(), 30);
    EXPECT_FALSE(s.InMemory());
    EXPECT_EQ(s.Position(), 110);
    Bytes expected(a.begin(), a.begin() + 80);
    expected.insert(expected.end(), a.begin(), a.begin() + 30);
    EXPECT_EQ(readAll(s), expected);
}

TEST_F(QRStreamTest, CreateFromFileHoldsTheFileInMemoryWithRoomToSpare)
{
    const std::string path = dir_ + "/report.qrp";
    const Bytes b = pattern(3000, 5);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
    auto s = TQRStream::CreateFromFile(path);
    EXPECT_TRUE(s->InMemory());
    EXPECT_EQ(s->MemoryLimit(), 4000);
    EXPECT_EQ(s->Position(), 0);
    EXPECT_EQ(readAll(*s), b);
    EXPECT_THROW(TQRStream::CreateFromFile(dir_ + "/missing.qrp"), zt::platform::PlatformError);
}

TEST_F(QRStreamTest, SetSizeCutsInMemoryAndOnDisk)
{
    for (std::int32_t limit : {1000, 10}) {
        TQRStream s(limit);
        const Bytes b = pattern(200, 6);
        s.WriteBuffer(b.data(), b.size());
        s.SetSize(50);
        EXPECT_EQ(s.Size(), 50);
        EXPECT_EQ(s.Position(), 50);
        EXPECT_EQ(readAll(s), Bytes(b.begin(), b.begin() + 50));
    }
}

TEST_F(QRStreamTest, ConcurrentWritersUnderTheLockNeverInterleave)
{
    TQRStream s(4096); // moves to disk while both threads write
    auto writer = [&s](std::uint8_t tag) {
        std::uint8_t block[64];
        std::fill(std::begin(block), std::end(block), tag);
        for (int i = 0; i < 200; ++i) {
            s.LockStream();
            s.Seek(0, SeekOrigin::End);
            s.WriteBuffer(block, sizeof block);
            s.UnlockStream();
        }
    };
    std::thread t1(writer, 1), t2(writer, 2);
    t1.join();
    t2.join();
    const Bytes all = readAll(s);
    ASSERT_EQ(all.size(), 2u * 200 * 64);
    for (std::size_t at = 0; at < all.size(); at += 64)
        for (std::size_t i = 1; i < 64; ++i)
            ASSERT_EQ(all[at + i], all[at]);
}

TEST(QRMemoryStream, BytesAcrossBlockBoundariesAndGapsReadBackExactly)
{
    TQRMemoryStream s;
    constexpr std::size_t B = TQRMemoryStream::kBlockSize;
    Bytes a(B + 100);
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] = static_cast<std::uint8_t>(i * 7 + 1);
    s.SetPosition(B - 50);
    s.WriteBuffer(a.data(), a.size()); // starts after a gap, spans three blocks
    EXPECT_EQ(s.Size(), std::int64_t(2 * B + 50));
    Bytes back(static_cast<std::size_t>(s.Size()));
    s.SetPosition(0);
    s.ReadBuffer(back.data(), back.size());
    EXPECT_TRUE(std::all_of(back.begin(), back.begin() + std::ptrdiff_t(B - 50), [](auto b) { return b == 0; }));
    EXPECT_TRUE(std::equal(a.begin(), a.end(), back.begin() + std::ptrdiff_t(B - 50)));

    // Shrinking and growing again gives zeros, not the old bytes.
    s.SetSize(10);
    s.SetSize(B + 10);
    s.SetPosition(0);
    Bytes grown(B + 10);
    s.ReadBuffer(grown.data(), grown.size());
    EXPECT_TRUE(std::all_of(grown.begin(), grown.end(), [](auto b) { return b == 0; }));
    EXPECT_EQ(s.Read(grown.data(), 1), 0u);
}
