// Bulk hexadecimal encoding and pair decoding over raw buffers, shared by the
// conversions; the callers own the buffers and the event pumping.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvane {

// The value of one input byte as a hex digit: c-87 from 'a' up, c-55 from 'A'
// up, c-48 below. Any byte has a value; non-digits just give odd ones.
constexpr std::int32_t DigitValue(unsigned char c) {
    return c >= 97 ? c - 87 : c >= 65 ? c - 55 : static_cast<std::int32_t>(c) - 48;
}

// Writes two upper-case hex digits per input byte, high digit first (2*n chars).
void EncodeHex(const unsigned char* in, std::size_t n, char* out);

// Reads `pairs` two-byte pieces and writes one byte each: (16*v1 + v2) mod 256.
// With zeroToLineFeed a resulting 00 is written as 0A instead.
void DecodeHexPairs(const char* in, std::size_t pairs, unsigned char* out, bool zeroToLineFeed);

}  // namespace morvane
