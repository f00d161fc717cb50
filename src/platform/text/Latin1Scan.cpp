#include "platform/text/Latin1Scan.h"

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace zt::platform::text {

namespace {

// The byte classes, each a function of a byte and the one before it.
constexpr bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }
constexpr bool isLatin1Lead(unsigned char b) { return b == 0xC2 || b == 0xC3; }

#if !(defined(__SSE2__) && defined(__x86_64__))
// The rule for byte `b` after `before`, one byte at a time where the
// vector code is not built.
void scanByte(unsigned char before, unsigned char b, Latin1Scan& out)
{
    const bool continuation = isContinuation(b);
    if (continuation != isLatin1Lead(before) || (b >= 0x80 && !continuation && !isLatin1Lead(b)))
        out.latin1 = false;
    if (b < 0x20 || b == 0x7F || (before == 0xC2 && b < 0xA1))
        out.printable = false;
    out.characters += continuation ? 0 : 1;
}
#endif

} // namespace

Latin1Scan scanLatin1(std::string_view utf8)
{
    Latin1Scan out;
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    if (n == 0)
        return out;
#if defined(__SSE2__) && defined(__x86_64__)
    // Sixteen bytes at a time, the last block too: it overlaps the one
    // before (or, in a short text, comes from a padded copy), its lanes
    // already seen masked off. A line of a letter is a few blocks.
    const __m128i c0 = _mm_set1_epi8(static_cast<char>(0xC0)), x80 = _mm_set1_epi8(static_cast<char>(0x80));
    const __m128i fe = _mm_set1_epi8(static_cast<char>(0xFE)), c2 = _mm_set1_epi8(static_cast<char>(0xC2));
    const __m128i space = _mm_set1_epi8(0x20), del = _mm_set1_epi8(0x7F), minusOne = _mm_set1_epi8(-1);
    const __m128i belowA1 = _mm_set1_epi8(static_cast<char>(0xA1));
    const __m128i one = _mm_set1_epi8(1);
    __m128i notLatin1 = _mm_setzero_si128(), notPrintable = _mm_setzero_si128(), counts = _mm_setzero_si128();
    const auto block = [&](__m128i cur, __m128i prev, __m128i lanes) {
        const __m128i cont = _mm_cmpeq_epi8(_mm_and_si128(cur, c0), x80);
        const __m128i lead = _mm_cmpeq_epi8(_mm_and_si128(cur, fe), c2);
        const __m128i prevLead = _mm_cmpeq_epi8(_mm_and_si128(prev, fe), c2);
        const __m128i ascii = _mm_cmpgt_epi8(cur, minusOne); // signed: below 0x80
        const __m128i other = _mm_andnot_si128(_mm_or_si128(ascii, _mm_or_si128(cont, lead)), minusOne);
        notLatin1 = _mm_or_si128(notLatin1, _mm_and_si128(lanes, _mm_or_si128(other, _mm_xor_si128(cont, prevLead))));
        const __m128i control =
            _mm_or_si128(_mm_and_si128(ascii, _mm_cmplt_epi8(cur, space)), _mm_cmpeq_epi8(cur, del));
        // After C2 a continuation below A1 (signed: -128 to -96) is U+0080-U+00A0.
        const __m128i c1 = _mm_and_si128(_mm_cmpeq_epi8(prev, c2), _mm_cmplt_epi8(cur, belowA1));
        notPrintable = _mm_or_si128(notPrintable, _mm_and_si128(lanes, _mm_or_si128(control, c1)));
        // The characters: a one for each byte that starts one, summed in two halves.
        counts = _mm_add_epi64(counts, _mm_sad_epu8(_mm_and_si128(_mm_andnot_si128(cont, lanes), one),
                                                   _mm_setzero_si128()));
    };
    const __m128i all = minusOne;
    std::size_t i = 0;
    if (n >= 16) {
        block(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s)),
              _mm_slli_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s)), 1), all);
        for (i = 16; i + 16 <= n; i += 16)
            block(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)),
                  _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i - 1)), all);
        if (i < n) {
            const std::size_t seen = 16 - (n - i);
            const __m128i index = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
            const __m128i lanes = _mm_cmpgt_epi8(index, _mm_set1_epi8(static_cast<char>(seen - 1)));
            block(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + n - 16)),
                  _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + n - 17)), lanes);
        }
    } else {
        alignas(16) unsigned char padded[32] = {};
        for (std::size_t k = 0; k < n; ++k)
            padded[32 - n + k] = s[k];
        const __m128i index = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
        const __m128i lanes = _mm_cmpgt_epi8(index, _mm_set1_epi8(static_cast<char>(16 - n - 1)));
        block(_mm_load_si128(reinterpret_cast<const __m128i*>(padded + 16)),
              _mm_loadu_si128(reinterpret_cast<const __m128i*>(padded + 15)), lanes);
    }
    out.characters = static_cast<std::size_t>(_mm_cvtsi128_si64(counts)) +
                     static_cast<std::size_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(counts, counts)));
    out.latin1 = _mm_movemask_epi8(notLatin1) == 0;
    out.printable = _mm_movemask_epi8(notPrintable) == 0;
#else
    unsigned char before = 0;
    for (std::size_t i = 0; i < n; ++i) {
        scanByte(before, s[i], out);
        before = s[i];
    }
#endif
    if (isLatin1Lead(s[n - 1])) // a sequence cut off at the end
        out.latin1 = false;
    out.printable = out.printable && out.latin1;
    return out;
}

} // namespace zt::platform::text
