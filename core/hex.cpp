#include "core/hex.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/cp936_units.h"
#include "core/hex_codec.h"

namespace morvane {
namespace {

// Decodes hex into out (ceil(n/2) bytes), handing the windows their events
// between blocks of kBytesPerEventPump bytes. False when the windows asked to
// stop; out is then only partly written.
bool DecodeWithPumps(std::string_view hex, unsigned char* out, bool zeroToLineFeed, WindowTies& ties) {
    const std::size_t pairs = hex.size() / 2;
    const std::size_t total = (hex.size() + 1) / 2;
    for (std::size_t done = 0; done < total;) {
        const std::size_t block = std::min(kBytesPerEventPump, total - done);
        const std::size_t blockPairs = std::min(block, pairs - done);
        DecodeHexPairs(hex.data() + 2 * done, blockPairs, out + done, zeroToLineFeed);
        if (blockPairs < block) {
            // An odd length leaves a one-byte last piece, read as a single digit.
            const auto b = static_cast<unsigned char>(DigitValue(static_cast<unsigned char>(hex.back())));
            out[done + blockPairs] = (zeroToLineFeed && b == 0) ? 0x0A : b;
        }
        done += block;
        if (done < total && !ties.ProcessPendingEvents()) return false;
    }
    return true;
}

// The text of UTF-16LE hex, or nothing when the windows asked to stop.
bool DecodeUnicodeHex(std::string_view hex, WindowTies& ties, Text& text) {
    ByteSet units((hex.size() + 1) / 2);
    if (!DecodeWithPumps(hex, units.data(), false, ties)) return false;
    text = WideBytesToText(units);
    return true;
}

constexpr std::size_t kBlock = 64;

// Bit k set when byte k of the block can lead a two-byte character.
std::uint64_t LeadMask(const Cp936UnitTable& table, const unsigned char* block, std::size_t length) {
#if defined(__SSE2__)
    if (table.leadsContiguous && length == kBlock) {
        const __m128i low = _mm_set1_epi8(static_cast<char>(table.leadLow));
        const __m128i span = _mm_set1_epi8(static_cast<char>(table.leadHigh - table.leadLow));
        std::uint64_t mask = 0;
        for (int i = 0; i < 4; ++i) {
            const __m128i offset = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i)), low);
            const __m128i inRange = _mm_cmpeq_epi8(_mm_min_epu8(offset, span), offset);
            mask |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(inRange))} << (16 * i);
        }
        return mask;
    }
#endif
    std::uint64_t mask = 0;
    for (std::size_t k = 0; k < length; ++k) mask |= std::uint64_t{table.isLead[block[k]]} << k;
    return mask;
}

// Bit k set when byte k of the block is the second byte of a two-byte
// character. carry says whether byte 0 is such a second byte, and is updated
// for the next block. Within each run of lead bytes the characters start at
// the run's first byte and every second byte after it, so the second bytes
// are the run's positions (and the byte after it) of the other parity. Adding
// the start bit of each odd-started run carries through that run, which sorts
// runs by the parity of their start without a loop.
std::uint64_t TrailBytes(std::uint64_t leads, std::uint64_t& carry) {
    constexpr std::uint64_t kEven = 0x5555555555555555u;
    leads &= ~carry;
    const std::uint64_t afterLead = (leads << 1) | carry;
    const std::uint64_t oddRunStarts = leads & ~kEven & ~afterLead;
    const std::uint64_t evenRuns = oddRunStarts + leads;
    carry = evenRuns < leads ? 1 : 0;
    return (kEven ^ (evenRuns << 1)) & afterLead;
}

// Writes the four digits of the character at each start bit of the block,
// with no branch on the text. True when some start is no character.
bool LookUpCharacters(const Cp936UnitTable& table, const unsigned char* block, std::uint64_t starts, char*& out) {
    bool missing = false;
    for (; starts != 0; starts &= starts - 1) {
        const int k = std::countr_zero(starts);
        const UnitDigits digits = table.digits[block[k] * 256u + block[k + 1]];
        missing |= digits == 0;
        std::memcpy(out, &digits, sizeof digits);
        out += sizeof digits;
    }
    return missing;
}

}  // namespace

std::int64_t HexToInt64(std::string_view digits) {
    // Only the last 16 bytes count; missing ones on the left read as '0' (value 0).
    if (digits.size() > 16) digits.remove_prefix(digits.size() - 16);
    // Each half of eight digits wraps at 32 bits on its own: no carry crosses.
    std::uint32_t halves[2] = {0, 0};
    for (std::size_t k = 0; k < digits.size(); ++k) {
        const auto c = static_cast<unsigned char>(digits[digits.size() - 1 - k]);
        const auto value = static_cast<std::uint32_t>(DigitValue(c));
        halves[k / 8] += value << (4 * (k % 8));
    }
    return static_cast<std::int64_t>((std::uint64_t{halves[1]} << 32) | halves[0]);
}

ByteSet HexPairsToBytes(std::string_view hex, WindowTies& ties) {
    ByteSet bytes((hex.size() + 1) / 2);
    DecodeWithPumps(hex, bytes.data(), false, ties);
    return bytes;
}

Text AnsiHexToText(std::string_view hex, WindowTies& ties) {
    // Zero bytes become line feeds, so the result is a whole Text.
    Text text((hex.size() + 1) / 2, '\0');
    DecodeWithPumps(hex, reinterpret_cast<unsigned char*>(text.data()), true, ties);
    return text;
}

Text TextToAnsiHex(std::string_view text, WindowTies& ties) {
    // The scratch box always holds the latest result, written once.
    ties.SetScratchText("");
    Text hex;
    hex.reserve(2 * text.size());
    // Encoded through a small buffer, so the result is written only once.
    constexpr std::size_t kChunk = 4096;
    char chunk[2 * kChunk];
    for (std::size_t done = 0; done < text.size(); done += kChunk) {
        const std::size_t length = std::min(kChunk, text.size() - done);
        EncodeHex(reinterpret_cast<const unsigned char*>(text.data()) + done, length, chunk);
        hex.append(chunk, 2 * length);
    }
    ties.SetScratchText(hex);
    return hex;
}

Text TextToUnicodeHex(std::string_view text) {
    const Cp936UnitTable& table = Cp936Units();
    const std::size_t n = text.size();
    Text hex;
    // At most four digits per byte; room never written costs no memory pages.
    hex.reserve(n <= hex.max_size() / 4 ? 4 * n : n);
    char chunk[4 * kBlock * 16];
    char* out = chunk;
    // The last block is read from a copy with room for one byte past the end,
    // so every character can look at the byte after its first.
    unsigned char lastBlock[kBlock + 1] = {};
    std::uint64_t carry = 0;
    bool missing = false;
    for (std::size_t base = 0; base < n; base += kBlock) {
        const std::size_t length = std::min(kBlock, n - base);
        const bool last = base + length == n;
        const auto* in = reinterpret_cast<const unsigned char*>(text.data()) + base;
        if (last) in = static_cast<const unsigned char*>(std::memcpy(lastBlock, in, length));
        const std::uint64_t trails = TrailBytes(LeadMask(table, in, length), carry);
        // A lead byte whose second byte would lie past the end fails the text.
        if (last && (length < kBlock ? (trails >> length) & 1 : carry)) return {};
        const std::uint64_t inBlock = length < kBlock ? (std::uint64_t{1} << length) - 1 : ~std::uint64_t{0};
        missing |= LookUpCharacters(table, in, ~trails & inBlock, out);
        if (last || out > std::end(chunk) - 4 * kBlock) {
            // A pair or byte that is no character fails the whole text.
            if (missing) return {};
            hex.append(chunk, static_cast<std::size_t>(out - chunk));
            out = chunk;
        }
    }
    return hex;
}

Text UnicodeHexToText(std::string_view hex, WindowTies& ties) {
    Text text;
    DecodeUnicodeHex(hex, ties, text);
    return text;
}

Text UnicodeHexToAnsiHex(std::string_view hex, WindowTies& ties) {
    Text text;
    if (!DecodeUnicodeHex(hex, ties, text)) return {};
    return TextToAnsiHex(text, ties);
}

}  // namespace morvane
