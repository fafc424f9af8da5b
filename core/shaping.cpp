#include "core/shaping.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace morvane {
namespace {

// Writes every two-byte piece of in followed by a space (3 bytes per piece),
// and a one-byte last piece with its space.
void WritePiecesWithSpaces(const char* in, std::size_t n, char* out) {
    std::size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // Four pieces at a time: "ab cd ef gh " from the eight bytes abcdefgh.
        for (; i + 8 <= n; i += 8, out += 12) {
            std::uint64_t x;
            std::memcpy(&x, in + i, 8);
            const std::uint64_t first = (x & 0xFFFF) | (std::uint64_t{0x20} << 16) |
                                        ((x >> 16 & 0xFFFF) << 24) | (std::uint64_t{0x20} << 40) |
                                        ((x >> 32 & 0xFFFF) << 48);
            const auto second = static_cast<std::uint32_t>(0x20 | ((x >> 48 & 0xFFFF) << 8) | (0x20u << 24));
            std::memcpy(out, &first, 8);
            std::memcpy(out + 8, &second, 4);
        }
    }
    for (; i + 2 <= n; i += 2, out += 3) {
        out[0] = in[i];
        out[1] = in[i + 1];
        out[2] = ' ';
    }
    if (i < n) {
        out[0] = in[i];
        out[1] = ' ';
    }
}

}  // namespace

Text SplitIntoPairs(std::string_view text) {
    const std::size_t pieces = (text.size() + 1) / 2;
    Text spaced(text.size() + pieces, '\0');
    WritePiecesWithSpaces(text.data(), text.size(), spaced.data());
    // The trailing spaces go as TrimEnd sees them. Piece starts are always
    // character starts here (a lead byte swallows at most the space after its
    // piece), so TrimEnd of a tail that still holds a non-space character
    // equals the tail of TrimEnd of the whole; widen the tail until it does.
    for (std::size_t tailPieces = 8;; tailPieces *= 2) {
        const std::size_t tailStart = 3 * (pieces - std::min(pieces, tailPieces));
        const Text trimmedTail = TrimEnd(std::string_view(spaced).substr(tailStart));
        if (!trimmedTail.empty() || tailStart == 0) {
            spaced.resize(tailStart + trimmedTail.size());
            return spaced;
        }
    }
}

Text RemoveSpaces(std::string_view text) {
    // Character by character: a space right after a lead byte belongs to that
    // character and stays; a lone lead byte at the end is dropped.
    Text result(text.size(), '\0');
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    char* out = result.data();
    std::size_t i = 0;
    while (i < n) {
        std::uint64_t block;
        if (i + 8 <= n && (std::memcpy(&block, in + i, 8), (block & 0x8080808080808080u) == 0)) {
            // Eight one-byte characters: keep all but the spaces, without branching.
            for (int k = 0; k < 8; ++k) {
                *out = static_cast<char>(in[i + k]);
                out += in[i + k] != ' ';
            }
            i += 8;
        } else if (in[i] >= 0x80) {
            if (i + 1 >= n) break;
            *out++ = static_cast<char>(in[i]);
            *out++ = static_cast<char>(in[i + 1]);
            i += 2;
        } else {
            *out = static_cast<char>(in[i]);
            out += in[i] != ' ';
            ++i;
        }
    }
    result.resize(static_cast<std::size_t>(out - result.data()));
    return result;
}

bool HasInnerSpace(std::string_view text) { return FindText(TrimBoth(text), " ") != -1; }

Text MergeSignatures(std::string_view first, std::string_view second) {
    // Byte by byte: equal bytes stay, every other position of first is "?".
    Text pattern(first.size(), '?');
    const std::size_t common = std::min(first.size(), second.size());
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i question = _mm_set1_epi8('?');
    for (; i + 16 <= common; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first.data() + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(second.data() + i));
        const __m128i same = _mm_cmpeq_epi8(a, b);
        const __m128i merged = _mm_or_si128(_mm_and_si128(same, a), _mm_andnot_si128(same, question));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pattern.data() + i), merged);
    }
#endif
    for (; i < common; ++i)
        if (first[i] == second[i]) pattern[i] = first[i];
    return pattern;
}

}  // namespace morvane
