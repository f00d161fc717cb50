// The splay-tree coder: the published bit layout, both directions, and what it
// does with bits that are not a valid code.
#include "pages/QRCompress.h"
#include "pages/QRPayload.h"
#include "platform/core/PlatformError.h"

#include <gtest/gtest.h>

#include <random>

using namespace zt::pages;
using zt::platform::PlatformError;
using zt::platform::TMemoryStream;
using Bytes = std::vector<std::uint8_t>;

namespace {

// A second coder written one bit at a time straight from the tree rules, to
// hold the fast one to the same output on inputs that shape the tree oddly.
struct ReferenceCoder {
    unsigned left[256], right[256], up[513];
    Bytes out;
    unsigned bitPos = 0, outByte = 0;

    ReferenceCoder()
    {
        for (unsigned j = 0; j < 256; ++j) {
            left[j] = 2 * j + 1;
            right[j] = 2 * j + 2;
        }
        for (unsigned i = 1; i < 513; ++i)
            up[i] = (i - 1) / 2;
    }
    void splay(unsigned a)
    {
        do {
            unsigned c = up[a];
            if (c == 0) {
                a = c;
            } else {
                unsigned d = up[c], b = left[d];
                if (c == b) {
                    b = right[d];
                    right[d] = a;
                } else {
                    left[d] = a;
                }
                if (left[c] == a)
                    left[c] = b;
                else
                    right[c] = b;
                up[a] = d;
                up[b] = c;
                a = d;
            }
        } while (a != 0);
    }
    void put(unsigned bit)
    {
        if (bit)
            outByte |= 1u << bitPos;
        if (++bitPos == 8) {
            out.push_back(static_cast<std::uint8_t>(outByte));
            outByte = bitPos = 0;
        }
    }
    std::size_t compress(std::uint8_t b)
    {
        std::vector<unsigned> path;
        for (unsigned a = 256u + b; a != 0; a = up[a])
            path.push_back(right[up[a]] == a);
        for (auto it = path.rbegin(); it != path.rend(); ++it)
            put(*it);
        splay(256u + b);
        return path.size();
    }
    Bytes finish()
    {
        if (bitPos > 0)
            out.push_back(static_cast<std::uint8_t>(outByte));
        return out;
    }
};

Bytes pack(const Bytes& plain)
{
    return PackBytes(plain.data(), plain.size());
}

Bytes unpack(const Bytes& packed, std::size_t count)
{
    return UnpackBytes(packed.data(), packed.size(), count);
}

Bytes bytesOf(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

} // namespace

TEST(QRCompress, PacksAbcIntoNineteenBitsAndBack)
{
    ReferenceCoder ref;
    std::size_t bits = 0;
    for (char c : std::string("abc"))
        bits += ref.compress(static_cast<std::uint8_t>(c));
    EXPECT_EQ(bits, 19u);
    EXPECT_EQ(pack(bytesOf("abc")), (Bytes{0x46, 0x3D, 0x01}));
    EXPECT_EQ(unpack({0x46, 0x3D, 0x01}, 3), bytesOf("abc"));
}

TEST(QRCompress, BitStreamEndingOnAByteBoundaryGetsNoExtraByte)
{
    // From the initial tree, the first byte costs exactly 8 bits.
    EXPECT_EQ(pack(bytesOf("a")).size(), 1u);
    EXPECT_EQ(pack(bytesOf("a")), (Bytes{0x46}));
    // Search for longer inputs whose codes end on a boundary, and check that
    // the packed size is exactly the bit count in bytes.
    std::mt19937 rng(7);
    int boundaryCases = 0;
    for (int run = 0; run < 400; ++run) {
        Bytes plain(1 + rng() % 40);
        for (auto& b : plain)
            b = static_cast<std::uint8_t>('a' + rng() % 6);
        ReferenceCoder ref;
        std::size_t bits = 0;
        for (auto b : plain)
            bits += ref.compress(b);
        ASSERT_EQ(pack(plain).size(), (bits + 7) / 8);
        boundaryCases += bits % 8 == 0;
    }
    EXPECT_GT(boundaryCases, 10);
}

TEST(QRCompress, MatchesTheBitwiseCoderOnOddlyShapedTrees)
{
    std::mt19937 rng(42);
    std::vector<Bytes> inputs;
    Bytes ramp(5000);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<std::uint8_t>(i);
    inputs.push_back(ramp);
    Bytes skewed(20000);
    for (auto& b : skewed)
        b = static_cast<std::uint8_t>(rng() % 3 == 0 ? rng() : 0);
    inputs.push_back(skewed);
    Bytes random(20000);
    for (auto& b : random)
        b = static_cast<std::uint8_t>(rng());
    inputs.push_back(random);
    // Runs of one byte, then a rare one, drive rare leaves deep.
    Bytes runs;
    for (int i = 0; i < 300; ++i) {
        runs.insert(runs.end(), 50, std::uint8_t(i % 2));
        runs.push_back(static_cast<std::uint8_t>(rng()));
    }
    inputs.push_back(runs);

    for (const auto& plain : inputs) {
        ReferenceCoder ref;
        for (auto b : plain)
            ref.compress(b);
        const Bytes packed = pack(plain);
        ASSERT_EQ(packed, ref.finish());
        ASSERT_EQ(unpack(packed, plain.size()), plain);
    }
}

TEST(QRCompress, ByteAtATimeCallsGiveTheSameBitsAsBuffers)
{
    const Bytes plain = bytesOf("Kurzmitteilung, mit der Bitte um Kenntnisnahme. Kurzmitteilung!");
    TMemoryStream out;
    {
        TQRCompress coder(out, true);
        for (auto b : plain)
            coder.Compress(b);
    } // the destructor writes the last byte
    EXPECT_EQ(out.Bytes(), pack(plain));

    TMemoryStream in(out.Bytes());
    TQRCompress coder(in, false);
    Bytes back(plain.size());
    for (auto& b : back)
        coder.Expand(b);
    EXPECT_EQ(back, plain);
}

TEST(QRCompress, UnevenPiecesAcrossReadBlocksGiveTheSameBytes)
{
    // Far more packed bytes than one read block, taken in pieces of odd sizes.
    Bytes plain(200000);
    std::uint32_t x = 12345;
    for (auto& b : plain) {
        x = x * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>((x >> 16) % 23 + 'a');
    }
    Bytes packed = pack(plain);
    ASSERT_GT(packed.size(), 3 * 8192u);
    packed.insert(packed.end(), {0x11, 0x22, 0x33, 0x44});
    TMemoryStream in(packed);
    Bytes back(plain.size());
    {
        TQRCompress coder(in, false);
        std::size_t at = 0;
        for (std::size_t piece : {1u, 7u, 4096u, 1u, 9000u, 3u}) {
            coder.ExpandBuffer(back.data() + at, piece);
            at += piece;
        }
        for (; at < 30000; ++at)
            coder.Expand(back[at]);
        coder.ExpandBuffer(back.data() + at, back.size() - at);
        coder.Finish();
    }
    EXPECT_EQ(back, plain);
    EXPECT_EQ(in.Position(), static_cast<std::int64_t>(packed.size() - 4));
    EXPECT_EQ(in.ReadInt32(), 0x44332211);
}

TEST(QRCompress, UnpackingLeavesTheStreamJustAfterItsLastByte)
{
    Bytes packed = pack(bytesOf("abc"));
    packed.insert(packed.end(), {0xAA, 0xBB, 0xCC, 0xDD});
    TMemoryStream in(packed);
    Bytes back(3);
    {
        TQRCompress coder(in, false);
        coder.ExpandBuffer(back.data(), back.size());
        coder.Finish();
    }
    EXPECT_EQ(in.Position(), 3);
    EXPECT_EQ(in.ReadInt32(), std::int32_t(0xDDCCBBAA));
}

TEST(QRCompress, BadPackedDataIsAnErrorNotACrash)
{
    // Too short for the count.
    EXPECT_THROW(unpack({0x46, 0x3D}, 3), PlatformError);
    EXPECT_THROW(unpack({}, 1), PlatformError);
    // Eight left turns and a right one reach the initial tree's spare leaf,
    // which stands for no byte.
    EXPECT_THROW(unpack({0x00, 0x01}, 1), PlatformError);
    // More bytes than the bits could hold are refused before any allocation.
    EXPECT_THROW(unpack({0x00}, 9), PlatformError);
    EXPECT_THROW(UnpackBytes(nullptr, 0, std::uint64_t(1) << 40), PlatformError);
    EXPECT_TRUE(unpack({}, 0).empty());
}
