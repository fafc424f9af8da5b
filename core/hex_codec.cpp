#include "core/hex_codec.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace morvane {
namespace {

constexpr char kUpperDigits[] = "0123456789ABCDEF";

// Two digits per byte value, ready to copy.
constexpr auto kHexOfByte = [] {
    std::array<std::array<char, 2>, 256> table{};
    for (unsigned b = 0; b < 256; ++b) table[b] = {kUpperDigits[b >> 4], kUpperDigits[b & 15]};
    return table;
}();

// Digit values reduced modulo 256, which is all a decoded byte keeps of them.
constexpr auto kDigitValueMod256 = [] {
    std::array<std::uint8_t, 256> table{};
    for (unsigned c = 0; c < 256; ++c) table[c] = static_cast<std::uint8_t>(DigitValue(static_cast<unsigned char>(c)));
    return table;
}();

void EncodeHexScalar(const unsigned char* in, std::size_t n, char* out) {
    for (std::size_t i = 0; i < n; ++i) std::memcpy(out + 2 * i, kHexOfByte[in[i]].data(), 2);
}

void DecodeHexPairsScalar(const char* in, std::size_t pairs, unsigned char* out, bool zeroToLineFeed) {
    for (std::size_t i = 0; i < pairs; ++i) {
        const auto hi = kDigitValueMod256[static_cast<unsigned char>(in[2 * i])];
        const auto lo = kDigitValueMod256[static_cast<unsigned char>(in[2 * i + 1])];
        const auto b = static_cast<unsigned char>(hi * 16 + lo);
        out[i] = (zeroToLineFeed && b == 0) ? 0x0A : b;
    }
}

#if defined(__SSE2__)

// Upper-case digit characters of 16 nibbles (each lane 0..15).
inline __m128i NibblesToDigits(__m128i nibbles) {
    const __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(nibbles, _mm_set1_epi8(9)), _mm_set1_epi8('A' - '0' - 10));
    return _mm_add_epi8(_mm_add_epi8(nibbles, _mm_set1_epi8('0')), letters);
}

// The digit value rule on 16 bytes at once, modulo 256 per lane.
inline __m128i DigitValues(__m128i c) {
    const __m128i fromUpperA = _mm_cmpeq_epi8(_mm_max_epu8(c, _mm_set1_epi8(65)), c);
    const __m128i fromLowerA = _mm_cmpeq_epi8(_mm_max_epu8(c, _mm_set1_epi8(97)), c);
    __m128i v = _mm_sub_epi8(c, _mm_set1_epi8(48));
    v = _mm_sub_epi8(v, _mm_and_si128(fromUpperA, _mm_set1_epi8(7)));
    return _mm_sub_epi8(v, _mm_and_si128(fromLowerA, _mm_set1_epi8(32)));
}

// Eight pieces of 16 digit values: each 16-bit lane holds v1 (low) and v2 (high).
inline __m128i CombinePairs(__m128i values) {
    const __m128i high = _mm_and_si128(_mm_slli_epi16(values, 4), _mm_set1_epi16(0x00F0));
    const __m128i low = _mm_srli_epi16(values, 8);
    return _mm_and_si128(_mm_add_epi16(high, low), _mm_set1_epi16(0x00FF));
}

#endif

}  // namespace

void EncodeHex(const unsigned char* in, std::size_t n, char* out) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i lowNibble = _mm_set1_epi8(0x0F);
    for (; i + 16 <= n; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i hi = NibblesToDigits(_mm_and_si128(_mm_srli_epi16(bytes, 4), lowNibble));
        const __m128i lo = NibblesToDigits(_mm_and_si128(bytes, lowNibble));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i), _mm_unpacklo_epi8(hi, lo));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i + 16), _mm_unpackhi_epi8(hi, lo));
    }
#endif
    EncodeHexScalar(in + i, n - i, out + 2 * i);
}

void DecodeHexPairs(const char* in, std::size_t pairs, unsigned char* out, bool zeroToLineFeed) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i lineFeedWhereZero = _mm_set1_epi8(zeroToLineFeed ? 0x0A : 0);
    for (; i + 16 <= pairs; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 2 * i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 2 * i + 16));
        __m128i bytes = _mm_packus_epi16(CombinePairs(DigitValues(a)), CombinePairs(DigitValues(b)));
        bytes = _mm_or_si128(bytes, _mm_and_si128(_mm_cmpeq_epi8(bytes, zero), lineFeedWhereZero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), bytes);
    }
#endif
    DecodeHexPairsScalar(in + 2 * i, pairs - i, out + i, zeroToLineFeed);
}

}  // namespace morvane
