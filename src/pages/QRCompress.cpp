#include "pages/QRCompress.h"

#include "platform/core/PlatformError.h"

namespace zt::pages {

namespace {

constexpr unsigned kRoot = 0;
constexpr unsigned kFirstLeaf = 256;
// Inner node 255 has a second child, 512, that stands for no byte: a valid bit
// stream never leads there.
constexpr unsigned kLastLeaf = 511;
// Codes up to this length take the fast path through a 64-bit accumulator.
constexpr unsigned kShortCode = 32;

} // namespace

TQRCompress::TQRCompress(platform::TStream& aStream, bool CompressData) : CompressFlag(CompressData), Stream(aStream)
{
    for (unsigned j = 0; j < 256; ++j) {
        Left[j] = static_cast<std::uint16_t>(2 * j + 1);
        Right[j] = static_cast<std::uint16_t>(2 * j + 2);
    }
    Up[0] = 0;
    for (unsigned i = 1; i < 513; ++i)
        Up[i] = static_cast<std::uint8_t>((i - 1) / 2);
    // An unpacking coder has used up its (empty) current byte.
    BitPos = CompressFlag ? 0 : 8;
}

TQRCompress::~TQRCompress()
{
    if (FFinished)
        return;
    try {
        Finish();
    } catch (...) {
        // Destructors must not throw; callers that care called Finish.
    }
}

// Semi-splaying as published: every step swaps the leaf-side node into its
// grandparent's place and moves up two levels. Written with selects instead of
// branches, since which side a node hangs on is data and mispredicts.
inline __attribute__((always_inline)) void TQRCompress::splay(unsigned a)
{
    do {
        const unsigned c = Up[a];
        if (c == kRoot)
            break;
        const unsigned d = Up[c];
        // The uncle's side: opposite to c's. a takes the uncle's place, the uncle a's.
        const unsigned uncleSide = Child[0][d] == c;
        const unsigned b = Child[uncleSide][d];
        Child[uncleSide][d] = static_cast<std::uint16_t>(a);
        Child[Child[1][c] == a][c] = static_cast<std::uint16_t>(b);
        Up[a] = static_cast<std::uint8_t>(d);
        Up[b] = static_cast<std::uint8_t>(c);
        a = d;
    } while (a != kRoot);
}

void TQRCompress::flushOut()
{
    if (FBufferPos > 0)
        Stream.WriteBuffer(FBuffer, FBufferPos);
    FBufferPos = 0;
}

void TQRCompress::putWord(std::uint32_t word)
{
    if (FBufferPos + 4 > kBufferSize)
        flushOut();
    FBuffer[FBufferPos] = static_cast<std::uint8_t>(word);
    FBuffer[FBufferPos + 1] = static_cast<std::uint8_t>(word >> 8);
    FBuffer[FBufferPos + 2] = static_cast<std::uint8_t>(word >> 16);
    FBuffer[FBufferPos + 3] = static_cast<std::uint8_t>(word >> 24);
    FBufferPos += 4;
}

// A leaf deeper than kShortCode: note the whole path, then send it root first.
void TQRCompress::emitLongCode(unsigned leaf, std::uint64_t& acc, unsigned& bits)
{
    std::uint8_t path[kLastLeaf + 2];
    unsigned length = 0;
    for (unsigned node = leaf; node != kRoot;) {
        const unsigned parent = Up[node];
        path[length++] = Right[parent] == node ? 1 : 0;
        node = parent;
    }
    while (length > 0) {
        acc |= std::uint64_t(path[--length]) << bits;
        if (++bits == 32) {
            putWord(static_cast<std::uint32_t>(acc));
            acc >>= 32;
            bits = 0;
        }
    }
}

void TQRCompress::CompressBuffer(const std::uint8_t* data, std::size_t count)
{
    // Bits go out least significant first; `acc` holds fewer than 32 pending bits.
    std::uint64_t acc = OutByte;
    unsigned bits = BitPos;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned leaf = kFirstLeaf + data[i];
        // Walking up yields the leaf's bit first; shifting left puts the root's
        // bit lowest, which is the order they are sent in.
        std::uint64_t code = 0;
        unsigned length = 0;
        unsigned node = leaf;
        do {
            const unsigned parent = Up[node];
            code = (code << 1) | (Right[parent] == node ? 1u : 0u);
            node = parent;
            ++length;
        } while (node != kRoot && length < kShortCode);
        if (node != kRoot) {
            emitLongCode(leaf, acc, bits);
        } else {
            acc |= code << bits;
            bits += length;
            if (bits >= 32) {
                putWord(static_cast<std::uint32_t>(acc));
                acc >>= 32;
                bits -= 32;
            }
        }
        splay(leaf);
    }
    while (bits >= 8) {
        if (FBufferPos == kBufferSize)
            flushOut();
        FBuffer[FBufferPos++] = static_cast<std::uint8_t>(acc);
        acc >>= 8;
        bits -= 8;
    }
    OutByte = static_cast<std::uint16_t>(acc);
    BitPos = static_cast<std::uint8_t>(bits);
}

void TQRCompress::Compress(std::uint8_t Plain)
{
    CompressBuffer(&Plain, 1);
}

void TQRCompress::refillIn()
{
    const std::size_t n = Stream.Read(FBuffer, kBufferSize);
    if (n == 0)
        throw platform::PlatformError(platform::ErrorKind::DamagedInput, "Die gepackten Daten enden zu früh");
    FBufferPos = 0;
    FBufferEnd = n;
}

void TQRCompress::ExpandBuffer(std::uint8_t* out, std::size_t count)
{
    // Bits of the current byte not used yet, least significant first, then
    // whole bytes loaded ahead from the buffer (never across a refill, so they
    // can be handed back to it).
    std::uint64_t acc = BitPos < 8 ? (InByte >> BitPos) : 0;
    unsigned bits = BitPos < 8 ? 8u - BitPos : 0u;
    const auto load = [&] {
        while (bits <= 56 && FBufferPos < FBufferEnd) {
            acc |= std::uint64_t(FBuffer[FBufferPos++]) << bits;
            bits += 8;
        }
    };
    for (std::size_t i = 0; i < count; ++i) {
        unsigned node = kRoot;
        do {
            if (bits == 0) {
                if (FBufferPos == FBufferEnd)
                    refillIn();
                load();
            }
            node = Child[acc & 1u][node];
            acc >>= 1;
            --bits;
        } while (node < kFirstLeaf);
        if (node > kLastLeaf)
            throw platform::PlatformError(platform::ErrorKind::DamagedInput, "Ungültige gepackte Daten");
        out[i] = static_cast<std::uint8_t>(node - kFirstLeaf);
        splay(node);
        if (bits < 32)
            load();
    }
    // Whole bytes loaded but unused go back to the buffer; the part-used byte
    // (the one just before them) stays the current one.
    FBufferPos -= bits / 8;
    const unsigned rest = bits % 8;
    BitPos = static_cast<std::uint8_t>(8 - rest);
    if (rest != 0 && FBufferPos > 0)
        InByte = static_cast<std::uint16_t>(FBuffer[FBufferPos - 1]);
}

void TQRCompress::Expand(std::uint8_t& Expanded)
{
    ExpandBuffer(&Expanded, 1);
}

void TQRCompress::Finish()
{
    if (FFinished)
        return;
    FFinished = true;
    if (CompressFlag) {
        if (BitPos > 0) {
            if (FBufferPos == kBufferSize)
                flushOut();
            FBuffer[FBufferPos++] = static_cast<std::uint8_t>(OutByte);
            OutByte = 0;
            BitPos = 0;
        }
        flushOut();
    } else if (FBufferEnd > FBufferPos) {
        Stream.Seek(-static_cast<std::int64_t>(FBufferEnd - FBufferPos), platform::SeekOrigin::Current);
        FBufferPos = FBufferEnd;
    }
}

} // namespace zt::pages
